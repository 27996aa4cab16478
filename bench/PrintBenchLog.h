#pragma once

#include "FixtureFile.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The print benchmark's program folder: a log of the given number of contacts, as the logging window
// writes it (Windows-1252, CR LF, the eleven header lines first), and its counter file.
inline QString benchLogName() {
    return QStringLiteral("5QV123_MD_L_2015.Log");
}

class BenchProgramFolder {
public:
    explicit BenchProgramFolder(int contacts) {
        QDir(dir_.path()).mkpath(QStringLiteral("Logs"));
        QByteArray log;
        for (const char* line :
             {"##L", "#5QV123", "#OPERATOR", "#N", "#1", "#06/03/2015", "#5", "#QV", "#123", "#2015", "#LOG"})
            log += QByteArray(line) + "\r\n";
        const char* names[] = {"MARIA ROSSI", "NICOL\xD2 D'AMBROSIO", "ANNA DE' MEDICI", "G.B. CELIK"};
        const char* countries[] = {"Italia", "Francia", "Germania", "Regno Unito"};
        int hunters = 0;
        int cancelled = 0;
        for (int i = 1; i <= contacts; ++i) {
            const bool hunter = i % 3 != 0;
            const bool deleted = i % 50 == 0;
            hunters += hunter && !deleted;
            cancelled += deleted;
            log += QByteArray::number(i) + '>' + QByteArray::number(i % 900 + 1) + '>' +
                   QByteArray::number(i % 341 + 1) + "QV" + QByteArray::number(i % 3000 + 1) + '>' +
                   names[i % 4] + '>' + (hunter ? "H" : "L") + '>' + countries[i % 4] + '>' +
                   QStringLiteral("06/03/2015 14:%1:%2")
                       .arg(i / 60 % 60, 2, 10, QLatin1Char('0'))
                       .arg(i % 60, 2, 10, QLatin1Char('0'))
                       .toLatin1() +
                   '>' + (deleted ? "S" : "N") + ">\r\n";
        }
        logBytes_ = log.size();
        writeFixtureFile(file(QStringLiteral("Logs/") + benchLogName()), log);
        const QStringList counters = {QString::number(contacts + 1), QString::number(hunters),
                                      QString::number(contacts - hunters - cancelled), QStringLiteral("4"),
                                      QString::number(cancelled)};
        writeFixtureFile(file(QStringLiteral("Logs/Log.dat")),
                         (counters.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
    }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    qint64 logBytes() const { return logBytes_; }

private:
    QTemporaryDir dir_;
    qint64 logBytes_ = 0;
};
