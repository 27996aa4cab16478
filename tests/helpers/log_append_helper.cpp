// Appends contacts to a log as the logging window does (append, then rewrite the counters), printing
// each progressive number once its append has returned. The crash test kills it at random moments.
// Usage: log_append_helper <program folder> <log name>

#include "UnbufferedSay.h"
#include "core/common/ProgramFolder.h"
#include "core/logfile/LogFile.h"
#include "core/logfile/LogStatistics.h"

#include <cstdio>
#include <string>
#include <unistd.h>

using namespace qvmd;
using qvmd::test::say;

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const ProgramFolder folder(QString::fromLocal8Bit(argv[1]));
    const QString logName = QString::fromLocal8Bit(argv[2]);
    constexpr int countryCount = 340;
    Result<OpenedLog> opened = openLog(folder, logName, countryCount);
    if (!opened)
        return 1;
    LogCounters counters = opened.value().statistics.counters;
    WorkedCountries worked = opened.value().statistics.worked;
    say("R");
    while (!counters.full()) {
        const int n = counters.NextProgressive;
        const bool lady = n % 3 == 0;
        const QString unit = QString::number(n % 97 + 1) + QStringLiteral("QV") + QString::number(n);
        const ContactRecord record =
            ContactRecord::contact(n, QString::number(n % 50 + 1), unit, QStringLiteral("OPERATOR %1").arg(n),
                                   lady ? QStringLiteral("L") : QStringLiteral("H"),
                                   QStringLiteral("Country"), QStringLiteral("06/03/2015 14:05:09"));
        if (appendRecord(folder.logs(logName), record))
            return 1;
        say("P" + std::to_string(n));
        worked.markIdentifier(unit);
        ++counters.NextProgressive;
        ++(lady ? counters.LadyCount : counters.HunterCount);
        counters.CountryCount = static_cast<std::int16_t>(worked.count());
        if (writeCounterFile(folder, counters))
            return 1;
    }
    return 0;
}
