// Appends contacts to a log as the logging window does (the log in use: the record synced, then Log.dat
// rewritten in place), printing each progressive number once its write has returned. The crash test kills
// it at random moments.
// Usage: log_append_helper <program folder> <log name>

#include "UnbufferedSay.h"
#include "core/common/ProgramFolder.h"
#include "core/logging/LogInUse.h"

#include <cstdio>
#include <string>
#include <unistd.h>

using namespace qvmd;
using qvmd::test::say;

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    LogInUsePlace place;
    place.folder = ProgramFolder(QString::fromLocal8Bit(argv[1]));
    place.logName = QString::fromLocal8Bit(argv[2]);
    place.countryCount = 340;
    LogInUse log(place);
    if (log.open().logError)
        return 1;
    say("R");
    while (!log.counters().full()) {
        const int n = log.counters().NextProgressive;
        const bool lady = n % 3 == 0;
        const ContactFields fields{QString::number(n % 50 + 1),
                                   QString::number(n % 97 + 1) + QStringLiteral("QV") + QString::number(n),
                                   QStringLiteral("OPERATOR %1").arg(n),
                                   lady ? QStringLiteral("L") : QStringLiteral("H"),
                                   QStringLiteral("Country"),
                                   QStringLiteral("06/03/2015 14:05:09")};
        if (log.addContact(fields).outcome != LogInUse::Outcome::Done)
            return 1;
        say("P" + std::to_string(n));
    }
    return log.settle() ? 1 : 0;
}
