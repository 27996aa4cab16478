// Logs contacts and backs the log up by itself after each one, as the program does, printing the name of
// each copy once it is made. The crash test kills it at random moments.
// Usage: auto_backup_helper <program folder> <log name> <first second> <copies kept>

#include "UnbufferedSay.h"
#include "core/common/ProgramFolder.h"
#include "core/exchange/AutoBackup.h"
#include "core/logfile/LogFile.h"
#include "core/logfile/LogStatistics.h"

#include <QFileInfo>

#include <cstdio>
#include <string>
#include <unistd.h>

using namespace qvmd;
using qvmd::test::say;

int main(int argc, char** argv) {
    if (argc != 5)
        return 2;
    const ProgramFolder folder(QString::fromLocal8Bit(argv[1]));
    const QString logName = QString::fromLocal8Bit(argv[2]);
    const qint64 firstSecond = std::stoll(argv[3]);
    const int keep = std::stoi(argv[4]);
    Result<OpenedLog> opened = openLog(folder, logName, 340);
    if (!opened)
        return 1;
    int next = opened.value().statistics.counters.NextProgressive;
    // Each copy a second after the one before, so no two copies of one life share a name.
    QDateTime now(QDate(2015, 3, 6), QTime(0, 0));
    now = now.addSecs(firstSecond);
    say("R");
    for (;; ++next) {
        const QString unit = QString::number(next % 97 + 1) + QStringLiteral("QV") + QString::number(next);
        const ContactRecord record = ContactRecord::contact(
            next, QStringLiteral("1"), unit, QStringLiteral("OPERATOR %1").arg(next), QStringLiteral("H"),
            QStringLiteral("Country"), QStringLiteral("06/03/2015 14:05:09"));
        if (appendRecord(folder.logs(logName), record))
            return 1;
        say("P" + std::to_string(next));
        now = now.addSecs(1);
        const AutoBackupOutcome outcome = makeAutoBackup(folder, logName, now, keep);
        if (outcome.status != AutoBackupOutcome::Status::Made || outcome.error)
            return 1;
        say("B" + QFileInfo(outcome.backupPath).fileName().toStdString());
    }
}
