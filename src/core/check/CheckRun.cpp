#include "core/check/CheckRun.h"

#include "core/check/CheckReports.h"
#include "core/check/CheckTexts.h"
#include "core/check/CrossCheck.h"
#include "core/common/FileErrorText.h"
#include "core/common/ParallelFor.h"
#include "core/common/TextFile.h"
#include "core/refdata/CountryTable.h"
#include "core/refdata/ScoreWeights.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

namespace qvmd {

std::optional<CheckOptions> parseCheckArguments(const QStringList& arguments,
                                                const QString& defaultDataFolder, QString& error) {
    CheckOptions options;
    options.dataFolder = defaultDataFolder;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= arguments.size())
                return std::nullopt;
            return arguments[++i];
        };
        if (argument == QLatin1String("--data") || argument == QLatin1String("--out")) {
            const std::optional<QString> folder = value();
            if (!folder || folder->isEmpty()) {
                error = argument;
                return std::nullopt;
            }
            (argument == QLatin1String("--data") ? options.dataFolder : options.outFolder) = *folder;
        } else if (argument == QLatin1String("--window")) {
            const std::optional<QString> minutes = value();
            bool ok = false;
            const int number = minutes ? minutes->toInt(&ok) : 0;
            if (!ok || number < 0 || number > 24 * 60) {
                error = argument + (minutes ? u' ' + *minutes : QString());
                return std::nullopt;
            }
            options.windowMinutes = number;
        } else if (argument == QLatin1String("--lang")) {
            const std::optional<QString> language = value();
            if (language == QStringLiteral("it")) {
                options.languageOffset = 0;
            } else if (language == QStringLiteral("en")) {
                options.languageOffset = 1000;
            } else {
                error = argument + (language ? u' ' + *language : QString());
                return std::nullopt;
            }
        } else if (argument.startsWith(QLatin1String("--"))) {
            error = argument;
            return std::nullopt;
        } else {
            options.inputs.append(argument);
        }
    }
    if (options.inputs.isEmpty()) {
        error = QStringLiteral("LOG_FOLDER_OR_FILES");
        return std::nullopt;
    }
    return options;
}

namespace {

// The files to read: a folder gives every entry in it (files, and anything else standing there, which is
// then reported as unreadable), sorted by name.
QStringList logPaths(const QStringList& inputs) {
    QStringList paths;
    for (const QString& input : inputs) {
        const QFileInfo info(input);
        if (info.isDir()) {
            const QDir folder(input);
            const QStringList names = folder.entryList(
                QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
            for (const QString& name : names)
                paths.append(folder.filePath(name));
        } else {
            paths.append(input);
        }
    }
    return paths;
}

// A report name per log that no other log's report takes.
QString reportName(const QString& fileName, QSet<QString>& taken) {
    QString name = fileName + QStringLiteral(".txt");
    for (int n = 2; taken.contains(name.toLower()); ++n)
        name = fileName + QStringLiteral("-%1.txt").arg(n);
    taken.insert(name.toLower());
    return name;
}

} // namespace

CheckOutcome runCheck(const CheckOptions& options, const std::function<void(const QString&)>& progress) {
    const CheckTexts texts(options.languageOffset);
    CheckOutcome outcome;
    auto referenceError = [&](const FileError& error) {
        outcome.exitCode = 2;
        outcome.error =
            texts.text(CheckTexts::ReferenceData).arg(fileErrorText(error, options.languageOffset));
        return outcome;
    };
    const QDir data(options.dataFolder);
    const Result<CountryTable> countries = CountryTable::load(data.filePath(QStringLiteral("Prefix.dat")));
    if (!countries)
        return referenceError(countries.error());
    const Result<ScoreWeights> weights = ScoreWeights::load(data.filePath(QStringLiteral("Data.dat")));
    if (!weights)
        return referenceError(weights.error());
    RosterCategories rosters;
    for (const auto& [name, category] : {std::pair{QStringLiteral("Lady.dat"), RosterCategories::Lady},
                                         std::pair{QStringLiteral("Hunter.dat"), RosterCategories::Hunter}}) {
        const Result<QByteArray> bytes = readFileBytes(data.filePath(name), RosterFileLimit);
        if (!bytes)
            return referenceError(bytes.error());
        rosters.addRoster(bytes.value(), category);
    }

    // The report folder is made, or found unusable, before any log is read: a run that cannot write its
    // results is not worth its time, and thousands of failed writes would bury the reason.
    const QString out = options.outFolder.isEmpty() ? QStringLiteral(".") : options.outFolder;
    if (!QDir().mkpath(out) || !QFileInfo(out).isDir() || !QFileInfo(out).isWritable()) {
        outcome.exitCode = 2;
        outcome.error = texts.text(CheckTexts::ReportFolderUnusable).arg(QDir::toNativeSeparators(out));
        return outcome;
    }
    // Reports written among the logs would be read as logs by the next run, and reported on in turn.
    const QString outPath = QFileInfo(out).canonicalFilePath();
    for (const QString& input : options.inputs) {
        if (QFileInfo(input).isDir() && QFileInfo(input).canonicalFilePath() == outPath) {
            outcome.exitCode = 2;
            outcome.error = texts.text(CheckTexts::ReportFolderHoldsLogs).arg(QDir::toNativeSeparators(out));
            return outcome;
        }
    }
    const QDir outFolder(out);

    const QStringList paths = logPaths(options.inputs);
    const LogCheckReferences references{&rosters, countries.value().count()};
    // Logs are read and checked on their own on every core; everything after needs all of them.
    std::vector<CheckedLog> logs(static_cast<std::size_t>(paths.size()));
    std::size_t read = 0; // under progressLock, so that the lines come out in order
    std::mutex progressLock;
    parallelFor(logs.size(), [&](std::size_t i) {
        logs[i] = checkLogFile(paths[static_cast<qsizetype>(i)], texts, references);
        const std::lock_guard<std::mutex> lock(progressLock);
        ++read;
        if (progress && (read % 500 == 0 || read == logs.size()))
            progress(texts.text(CheckTexts::ProgressRead).arg(read).arg(logs.size()));
    });
    const auto unreadable = static_cast<int>(
        std::count_if(logs.cbegin(), logs.cend(), [](const CheckedLog& log) { return !log.readable; }));

    CrossCheckSettings settings;
    settings.windowMinutes = options.windowMinutes;
    settings.countryCount = countries.value().count();
    settings.weights = weights.value();
    if (progress)
        settings.progress = [&](qint64 count) {
            progress(texts.text(CheckTexts::ProgressCrossChecked).arg(count));
        };
    crossCheck(logs, rosters, settings, texts);

    QSet<QString> taken;
    QStringList reportNames;
    qint64 crossChecked = 0;
    qint64 confirmed = 0;
    for (const CheckedLog& log : logs) {
        reportNames.append(reportName(log.fileName, taken));
        confirmed += log.confirmed;
        crossChecked += log.confirmed + log.notInLog + log.timeOff;
    }
    // The two tables, then one report per log, each made and written on its own; failures are listed
    // in that order. Reports are made anew by every run, so they are written in place without the sync
    // per file that the tables get: three thousand syncs would take most of a run.
    const std::size_t tables = 2;
    std::vector<QString> failures(tables + logs.size());
    auto noteFailure = [&](std::size_t i, const WriteResult& failure) {
        if (failure)
            failures[i] =
                texts.text(CheckTexts::WriteFailed).arg(fileErrorText(*failure, options.languageOffset));
    };
    auto writeTables = [&] {
        noteFailure(
            0, writeFileBytes(outFolder.filePath(QStringLiteral("results.csv")), resultsCsv(logs, texts)));
        noteFailure(
            1, writeFileBytes(outFolder.filePath(QStringLiteral("results.html")), resultsHtml(logs, texts)));
    };
    // The tables mostly wait for their syncs, so they get a thread beside the cores the reports keep busy.
    std::optional<std::thread> tableWriter;
    try {
        tableWriter.emplace(writeTables);
    } catch (const std::system_error&) {
        writeTables();
    }
    parallelFor(logs.size(), [&](std::size_t i) {
        CheckedLog& log = logs[i];
        noteFailure(tables + i, overwriteFileBytes(outFolder.filePath(reportNames[static_cast<qsizetype>(i)]),
                                                   logReport(log, texts)));
        // Nearly a million records are freed here, on every core, while the tables read only the members
        // that stay.
        log.dropDetails();
    });
    if (tableWriter)
        tableWriter->join();
    failures.erase(std::remove(failures.begin(), failures.end(), QString()), failures.end());

    outcome.exitCode = unreadable > 0 ? 1 : 0;
    outcome.summary = texts.text(CheckTexts::Summary)
                          .arg(logs.size() - static_cast<std::size_t>(unreadable))
                          .arg(unreadable)
                          .arg(crossChecked)
                          .arg(confirmed) +
                      u'\n';
    for (const CheckedLog* log : tableOrder(logs))
        outcome.summary += QStringLiteral("%1 %2 %3 %4\n")
                               .arg(log->category, 1)
                               .arg(log->rank > 0 ? QString::number(log->rank) : QStringLiteral("-"), 4)
                               .arg(log->station, -12)
                               .arg(log->checkedScore);
    if (failures.empty()) {
        outcome.summary += texts.text(CheckTexts::ReportsWritten).arg(QDir::toNativeSeparators(out)) + u'\n';
    } else {
        // A full disk fails every file after it: the first few say why, the rest are counted.
        constexpr std::size_t shown = 5;
        QStringList lines(failures.begin(),
                          failures.begin() + static_cast<std::ptrdiff_t>(std::min(shown, failures.size())));
        if (failures.size() > shown)
            lines.append(texts.text(CheckTexts::MoreWriteFailures).arg(failures.size() - shown));
        outcome.error = lines.join(u'\n');
        outcome.exitCode = std::max(outcome.exitCode, 1);
    }
    return outcome;
}

} // namespace qvmd
