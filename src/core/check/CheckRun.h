#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace qvmd {

struct CheckOptions {
    QString dataFolder; // holds Prefix.dat, Data.dat, Lady.dat, Hunter.dat
    int windowMinutes = 10;
    int languageOffset = 0; // 0 Italian, 1000 English
    QString outFolder;      // empty: the current folder
    QStringList inputs;     // log folders or files
};

// The command line (without the program name); error names the offending argument when it is refused.
std::optional<CheckOptions> parseCheckArguments(const QStringList& arguments,
                                                const QString& defaultDataFolder, QString& error);

struct CheckOutcome {
    int exitCode = 0; // 0 every log read, 1 some could not be read, 2 the run could not start
    QString summary;  // for standard output
    QString error;    // for standard error when the run could not start or write
};

// The whole run: reads the reference data and every log (each folder's entries in name order), checks,
// cross-checks, scores and writes results.csv, results.html and one report per log into the report
// folder. progress receives a line now and then.
CheckOutcome runCheck(const CheckOptions& options, const std::function<void(const QString&)>& progress = {});

} // namespace qvmd
