#pragma once

#include <QByteArray>
#include <QString>

namespace qvmd::test {

// PATH set to one folder for the life of the object, so a test decides which helper programs exist.
class PathOverride {
public:
    explicit PathOverride(const QString& folder) : saved_(qgetenv("PATH")) {
        qputenv("PATH", folder.toLocal8Bit());
    }
    ~PathOverride() { qputenv("PATH", saved_); }
    PathOverride(const PathOverride&) = delete;
    PathOverride& operator=(const PathOverride&) = delete;

private:
    QByteArray saved_;
};

} // namespace qvmd::test
