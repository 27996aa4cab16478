#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace qvmd::test {

// A fresh program folder with Data/, Logs/ and Backup/, Data/ filled from the shipped default data.
class TempProgramFolder {
public:
    explicit TempProgramFolder(bool withDefaultData = true);

    QString path() const { return dir_.path(); }
    QString data(const QString& name) const { return dir_.filePath(QStringLiteral("Data/") + name); }
    QString logs(const QString& name) const { return dir_.filePath(QStringLiteral("Logs/") + name); }

    // Writes lines in Windows-1252, each ended by CR LF.
    void writeData(const QString& name, const QStringList& lines) const;
    void writeRaw(const QString& relative, const QByteArray& bytes) const;

    QByteArray readRaw(const QString& relative) const;
    QByteArray readData(const QString& name) const { return readRaw(QStringLiteral("Data/") + name); }

private:
    QTemporaryDir dir_;
};

// Lines joined with CR LF after each, in Windows-1252: what the program writes.
QByteArray crlf(const QStringList& lines);

} // namespace qvmd::test
