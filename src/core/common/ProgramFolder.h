#pragma once

#include <QString>

namespace qvmd {

// Every file lives below the folder that holds the program; the current directory is never used.
class ProgramFolder {
public:
    explicit ProgramFolder(QString folder) : folder_(std::move(folder)) {}

    // Appends a relative path such as "Data/Prime.dat": directly when the folder already ends in a
    // separator (a drive or file-system root), otherwise with one separator in between. The separator
    // follows the folder's own style, so "C:\\" and "C:\\Logbook" give backslashes throughout.
    QString path(const QString& relative) const;

    QString data(const QString& fileName) const { return path(QStringLiteral("Data/") + fileName); }
    QString logs(const QString& fileName) const { return path(QStringLiteral("Logs/") + fileName); }
    QString backup(const QString& fileName) const { return path(QStringLiteral("Backup/") + fileName); }

    const QString& folder() const { return folder_; }

private:
    QString folder_;
};

} // namespace qvmd
