#include "core/check/CheckRun.h"

#include "core/check/CertificateTemplate.h"
#include "core/check/CertificateTexts.h"
#include "core/check/Certificates.h"
#include "core/check/CheckReports.h"
#include "core/check/CheckTexts.h"
#include "core/check/CrossCheck.h"
#include "core/check/MailIntake.h"
#include "core/check/ReportFolder.h"
#include "core/check/ResultsCharts.h"
#include "core/common/FileErrorText.h"
#include "core/common/ParallelFor.h"
#include "core/common/TextFile.h"
#include "core/refdata/CountryTable.h"
#include "core/refdata/ScoreWeights.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace qvmd {
namespace {

// Makes the logs' reports on the other cores for the thread that writes them; that thread makes one
// itself whenever none is ready, so nobody waits while there is work. A log's contacts and findings are
// freed once its report is made; the tables read only the members that stay.
class ReportMaker {
public:
    ReportMaker(std::vector<CheckedLog>& logs, const CheckTexts& texts)
        : logs_(logs), texts_(texts), made_(logs.size()) {
        const unsigned helpers = std::min(usableCores(), 8u) - 1;
        try {
            for (unsigned i = 0; i < helpers && i < logs.size(); ++i)
                helpers_.emplace_back([this] {
                    for (;;) {
                        {
                            // Made reports wait in memory for the writer: only a few at a time.
                            std::unique_lock<std::mutex> lock(mutex_);
                            takenChanged_.wait(lock,
                                               [this] { return ready_.size() < MostWaiting || stopping_; });
                        }
                        const std::size_t report = next_++;
                        if (report >= logs_.size())
                            break;
                        made_[report] = make(report);
                        {
                            const std::lock_guard<std::mutex> lock(mutex_);
                            ready_.push_back(report);
                        }
                        readyChanged_.notify_one();
                    }
                });
        } catch (const std::system_error&) {
            // No more threads to be had: the writer makes what nobody else takes.
        }
    }
    ~ReportMaker() {
        next_ = logs_.size();
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        takenChanged_.notify_all();
        for (std::thread& helper : helpers_)
            helper.join();
    }
    ReportMaker(const ReportMaker&) = delete;
    ReportMaker& operator=(const ReportMaker&) = delete;

    // The next report to write, with its log's number, in no particular order; nothing once every report
    // was given out.
    std::optional<std::pair<std::size_t, QByteArray>> next() {
        if (given_ == logs_.size())
            return std::nullopt;
        ++given_;
        std::unique_lock<std::mutex> lock(mutex_);
        if (ready_.empty()) {
            lock.unlock();
            if (const std::size_t report = next_++; report < logs_.size())
                return std::pair{report, make(report)};
            // Every report is taken: one is being made.
            lock.lock();
            readyChanged_.wait(lock, [this] { return !ready_.empty(); });
        }
        const std::size_t report = ready_.back();
        ready_.pop_back();
        lock.unlock();
        takenChanged_.notify_one();
        return std::pair{report, std::exchange(made_[report], QByteArray())};
    }

private:
    QByteArray make(std::size_t i) {
        QByteArray report = logReport(logs_[i], texts_);
        logs_[i].dropDetails();
        return report;
    }

    std::vector<CheckedLog>& logs_;
    const CheckTexts& texts_;
    std::vector<QByteArray> made_;
    std::atomic<std::size_t> next_{0};
    std::size_t given_ = 0; // by the writer
    std::mutex mutex_;
    static constexpr std::size_t MostWaiting = 16;
    std::condition_variable readyChanged_;
    std::condition_variable takenChanged_;
    bool stopping_ = false;          // under mutex_
    std::vector<std::size_t> ready_; // made by a helper, not yet given out
    std::vector<std::thread> helpers_;
};

// One run, in the order its steps take: each step either prepares what the next needs or ends the run
// with the reason in the outcome.
class CheckSteps {
public:
    CheckSteps(const CheckOptions& options, const std::function<void(const QString&)>& progress,
               MailSource* mail)
        : options_(options), progress_(progress), texts_(options.languageOffset),
          mail_(options.mailboxes, mail, options.languageOffset) {}

    CheckOutcome run() {
        if (!loadReferenceData() || !prepareReportFolder())
            return outcome_;
        readAndCheck();
        mail_.settle(logs_);
        crossCheckAll();
        writeReports();
        writeCertificateFiles();
        summarise();
        return outcome_;
    }

private:
    bool stop(const QString& error) {
        outcome_.exitCode = 2;
        outcome_.error = error;
        return false;
    }
    bool stopOnReferenceError(const FileError& error) {
        return stop(
            texts_.format(CheckTexts::ReferenceData, {fileErrorText(error, options_.languageOffset)}));
    }

    bool loadReferenceData() {
        const QDir data(options_.dataFolder);
        Result<CountryTable> countries = CountryTable::load(data.filePath(QStringLiteral("Prefix.dat")));
        if (!countries)
            return stopOnReferenceError(countries.error());
        countryCount_ = countries.value().count();
        countries_ = countries.value();
        const Result<ScoreWeights> weights = ScoreWeights::load(data.filePath(QStringLiteral("Data.dat")));
        if (!weights)
            return stopOnReferenceError(weights.error());
        weights_ = weights.value();
        for (const auto& [name, category] :
             {std::pair{QStringLiteral("Lady.dat"), RosterCategories::Lady},
              std::pair{QStringLiteral("Hunter.dat"), RosterCategories::Hunter}}) {
            const Result<QByteArray> bytes = readFileBytes(data.filePath(name), RosterFileLimit);
            if (!bytes)
                return stopOnReferenceError(bytes.error());
            rosters_.addRoster(bytes.value(), category);
        }
        return loadCertificateTemplate();
    }

    // A template that cannot be used stops the run before any log is read, as missing reference data does.
    bool loadCertificateTemplate() {
        if (!options_.certificates)
            return true;
        const QString& path = options_.certificateTemplate;
        QByteArray bytes = defaultCertificateTemplateText();
        if (!path.isEmpty()) {
            const Result<QByteArray> read = readFileBytes(path, SmallFileLimit);
            if (!read)
                return stop(certificateTemplateUnusableText(
                    fileErrorText(read.error(), options_.languageOffset), options_.languageOffset));
            bytes = read.value();
        }
        CertificateTemplateReading reading = readCertificateTemplate(bytes);
        if (!reading.layout)
            return stop(certificateTemplateUnusableText(
                certificateTemplateErrorText(reading.error,
                                             path.isEmpty() ? QStringLiteral(":/certificate.txt") : path,
                                             options_.languageOffset),
                options_.languageOffset));
        certificateLayout_ = std::move(*reading.layout);
        return true;
    }

    // The report folder is made, or found unusable, before any log is read: a run that cannot write its
    // results is not worth its time, and thousands of failed writes would bury the reason.
    bool prepareReportFolder() {
        out_ = options_.outFolder.isEmpty() ? QStringLiteral(".") : options_.outFolder;
        // Before the folder is made: one inside a mailbox would change it.
        if (const std::optional<QString> problem = mail_.reportFolderProblem(out_))
            return stop(*problem);
        if (const std::optional<CheckTexts::Id> problem = reportFolderProblem(out_, options_.inputs))
            return stop(texts_.format(*problem, {QDir::toNativeSeparators(out_)}));
        return true;
    }

    // Logs are read and checked on their own on every core; everything after needs all of them.
    void readAndCheck() {
        const QStringList paths = logPaths(options_.inputs, out_);
        const LogCheckReferences references{&rosters_, countryCount_};
        logs_.resize(static_cast<std::size_t>(paths.size()));
        std::size_t read = 0; // under progressLock, so that the lines come out in order
        std::mutex progressLock;
        parallelFor(logs_.size(), [&](std::size_t i) {
            logs_[i] = checkLogFile(paths[static_cast<qsizetype>(i)], texts_, references);
            const std::lock_guard<std::mutex> lock(progressLock);
            ++read;
            if (progress_ && (read % 500 == 0 || read == logs_.size()))
                progress_(texts_.text(CheckTexts::ProgressRead).arg(read).arg(logs_.size()));
        });
        if (mail_.wanted())
            mail_.readAndCheck(logs_, texts_, references, progress_);
    }

    void crossCheckAll() {
        CrossCheckSettings settings;
        settings.windowMinutes = options_.windowMinutes;
        settings.countryCount = countryCount_;
        settings.weights = weights_;
        settings.strictNumbers = options_.strictNumbers;
        if (progress_)
            settings.progress = [this](qint64 count) {
                progress_(texts_.text(CheckTexts::ProgressCrossChecked).arg(count));
            };
        crossCheck(logs_, rosters_, settings, texts_);
    }

    // The two tables, then one report per log; failures are listed in that order. Reports are made anew
    // by every run, so they are written in place without the sync per file that the tables get: three
    // thousand syncs would take most of a run. They are made on every core but written by this thread
    // alone, as they come: creating files in one folder takes the folder's lock, so writers on several
    // cores would only queue for it.
    void writeReports() {
        const QDir outFolder(out_);
        QSet<QString> taken;
        QStringList reportNames;
        for (const CheckedLog& log : logs_)
            reportNames.append(reportName(log.fileName, taken));
        const std::size_t tables = 3;
        std::vector<QString> failures(tables + logs_.size());
        auto noteFailure = [&](std::size_t i, const WriteResult& failure) {
            if (failure)
                failures[i] = texts_.format(CheckTexts::WriteFailed,
                                            {fileErrorText(*failure, options_.languageOffset)});
        };
        // The charts count contacts, which the reports free as they are made.
        const ResultsChartData charts = resultsChartData(logs_, countries_);
        auto writeTables = [&] {
            noteFailure(
                0, writeTable(outFolder.filePath(QStringLiteral("results.csv")), resultsCsv(logs_, texts_)));
            noteFailure(1, writeTable(outFolder.filePath(QStringLiteral("results.html")),
                                      resultsHtml(logs_, texts_, &charts)));
            if (mail_.wanted())
                noteFailure(2, writeTable(outFolder.filePath(QStringLiteral("mail.csv")), mail_.csv()));
        };
        // The tables mostly wait for their syncs, so they get a thread beside the cores the reports keep
        // busy.
        std::optional<std::thread> tableWriter;
        try {
            tableWriter.emplace(writeTables);
        } catch (const std::system_error&) {
            writeTables();
        }
        ReportMaker reports(logs_, texts_);
        while (std::optional<std::pair<std::size_t, QByteArray>> report = reports.next()) {
            const std::size_t i = report->first;
            const QString path = outFolder.filePath(reportNames[static_cast<qsizetype>(i)]);
            const WriteResult failure = overwriteFileBytes(path, report->second);
            // A report cut short by a full disk would pass for a whole one; a special file in the way is
            // not ours to remove.
            if (failure && QFileInfo(path).isFile() && !QFileInfo(path).isSymLink())
                QFile::remove(path);
            noteFailure(tables + i, failure);
        }
        if (tableWriter)
            tableWriter->join();
        failures.erase(std::remove(failures.begin(), failures.end(), QString()), failures.end());
        failures_ = std::move(failures);
    }

    // After the tables, so that a certificate never stands for a rank the tables do not show.
    void writeCertificateFiles() {
        if (!certificateLayout_)
            return;
        const QString folder = QDir(out_).filePath(QStringLiteral("certificates"));
        const CertificatesWritten written = writeCertificates(
            folder, *certificateLayout_, certificatesOf(logs_, countries_), certificateEmblem());
        for (const FileError& failure : written.failures)
            failures_.push_back(
                texts_.format(CheckTexts::WriteFailed, {fileErrorText(failure, options_.languageOffset)}));
        if (written.failures.empty())
            certificatesLine_ =
                certificatesWrittenText(written.written, folder, options_.languageOffset) + u'\n';
    }

    void summarise() {
        const auto unreadable = static_cast<std::size_t>(
            std::count_if(logs_.cbegin(), logs_.cend(), [](const CheckedLog& log) { return !log.readable; }));
        qint64 crossChecked = 0;
        qint64 confirmed = 0;
        for (const CheckedLog& log : logs_) {
            confirmed += log.confirmed;
            crossChecked += log.confirmed + log.notInLog + log.timeOff + log.numbersRefused;
        }
        outcome_.exitCode = unreadable > 0 || mail_.failed() ? 1 : 0;
        outcome_.summary =
            texts_.format(CheckTexts::Summary,
                          {QString::number(logs_.size() - unreadable), QString::number(unreadable),
                           QString::number(crossChecked), QString::number(confirmed)}) +
            u'\n';
        if (mail_.wanted())
            outcome_.summary += mail_.summary(logs_);
        for (const CheckedLog* log : tableOrder(logs_))
            outcome_.summary +=
                visibleText(log->category).rightJustified(1) + u' ' +
                (log->rank > 0 ? QString::number(log->rank) : QStringLiteral("-")).rightJustified(4) + u' ' +
                visibleText(log->station).leftJustified(12) + u' ' + QString::number(log->checkedScore) +
                u'\n';
        outcome_.summary += certificatesLine_;
        if (failures_.empty()) {
            outcome_.summary +=
                texts_.format(CheckTexts::ReportsWritten, {QDir::toNativeSeparators(out_)}) + u'\n';
            return;
        }
        // A full disk fails every file after it: the first few say why, the rest are counted.
        constexpr std::size_t shown = 5;
        QStringList lines(failures_.begin(),
                          failures_.begin() + static_cast<std::ptrdiff_t>(std::min(shown, failures_.size())));
        if (failures_.size() > shown)
            lines.append(
                texts_.format(CheckTexts::MoreWriteFailures, {QString::number(failures_.size() - shown)}));
        outcome_.error = lines.join(u'\n');
        outcome_.exitCode = std::max(outcome_.exitCode, 1);
    }

    const CheckOptions& options_;
    const std::function<void(const QString&)>& progress_;
    const CheckTexts texts_;
    CheckOutcome outcome_;
    MailIntake mail_;
    int countryCount_ = 0;
    CountryTable countries_; // the page's charts name the countries
    ScoreWeights weights_;
    RosterCategories rosters_;
    QString out_;
    std::vector<CheckedLog> logs_;
    std::vector<QString> failures_;
    std::optional<CertificateTemplate> certificateLayout_;
    QString certificatesLine_;
};

} // namespace

CheckOutcome runCheck(const CheckOptions& options, const std::function<void(const QString&)>& progress,
                      MailSource* mail) {
    return CheckSteps(options, progress, mail).run();
}

bool isVisibleAsItIs(QStringView text) {
    // Every report passes through here, eight characters at a time where the processor allows: a
    // character is printable ASCII when c - 0x20, as an unsigned 16-bit number, is at most 0x5E.
    const char16_t* at = text.utf16();
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i space = _mm_set1_epi16(0x20);
    const __m128i last = _mm_set1_epi16(0x5E);
    __m128i beyond = _mm_setzero_si128();
    for (; i + 8 <= text.size(); i += 8) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + i));
        beyond = _mm_or_si128(beyond, _mm_subs_epu16(_mm_sub_epi16(block, space), last));
    }
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(beyond, _mm_setzero_si128())) != 0xFFFF)
        return false;
#endif
    for (; i < text.size(); ++i)
        if (static_cast<char16_t>(at[i] - 0x20) > 0x5E)
            return false;
    return true;
}

void appendVisible(QString& out, QStringView text) {
    // Nearly every text is plain printable ASCII and goes as it is.
    if (isVisibleAsItIs(text)) {
        out += text;
        return;
    }
    for (const QChar c : text) {
        if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
}

QString visibleText(QStringView text) {
    QString visible;
    visible.reserve(text.size());
    appendVisible(visible, text);
    return visible;
}

} // namespace qvmd
