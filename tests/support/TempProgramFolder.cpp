#include "support/TempProgramFolder.h"

#include "core/common/Windows1252.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <stdexcept>

namespace qvmd::test {

TempProgramFolder::TempProgramFolder(bool withDefaultData) {
    QDir root(dir_.path());
    for (const char* sub : {"Data", "Logs", "Backup"})
        root.mkpath(QLatin1String(sub));
    if (!withDefaultData)
        return;
    QDirIterator files(QStringLiteral(QVMD_SOURCE_DIR "/data"), QDir::Files);
    while (files.hasNext()) {
        files.next();
        QFile::copy(files.filePath(), data(files.fileName()));
    }
}

void TempProgramFolder::writeData(const QString& name, const QStringList& lines) const {
    writeRaw(QStringLiteral("Data/") + name, crlf(lines));
}

void TempProgramFolder::writeRaw(const QString& relative, const QByteArray& bytes) const {
    QFile file(dir_.filePath(relative));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file " + relative.toStdString());
}

QByteArray TempProgramFolder::readRaw(const QString& relative) const {
    QFile file(dir_.filePath(relative));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray crlf(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += toWindows1252(line) + "\r\n";
    return bytes;
}

} // namespace qvmd::test
