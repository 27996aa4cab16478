#include "core/update/UpdateChecker.h"

#include "core/app/AppState.h"
#include "core/app/StartupFiles.h"
#include "core/common/TextFile.h"
#include "core/update/FileShape.h"

namespace qvmd {

namespace {

constexpr int baseAddressEntry = 6;

// What the program reads of each file: a bigger download could never be read back, so it is refused.
qint64 sizeLimit(int fileIndex) {
    switch (fileIndex) {
    case 0:
    case 1:
        return RosterFileLimit;
    case 2:
        return TableFileLimit;
    default:
        return SmallFileLimit;
    }
}

} // namespace

UpdateChecker::UpdateChecker(AppState& state, QObject* parent) : QObject(parent), state_(state) {
    connect(&downloader_, &Downloader::finished, this, &UpdateChecker::onTransferFinished);
}

std::optional<FileError> UpdateChecker::readInstalled() {
    Result<InstalledVersions> read = InstalledVersions::load(state_.folder.data(QStringLiteral("Agg.dat")));
    if (!read) {
        installed_ = InstalledVersions{};
        return read.error();
    }
    installed_ = std::move(read.value());
    return std::nullopt;
}

QString UpdateChecker::address(int i) const {
    return fileAddress(state_.SettingsEntries.value(baseAddressEntry), manifest_.item(i));
}

QString UpdateChecker::localPath(int i) const {
    return state_.folder.data(updateFiles().at(static_cast<std::size_t>(i)).localName);
}

void UpdateChecker::check() {
    manifest_ = UpdateManifest{};
    manifestFault_.reset();
    current_ = -1;
    downloader_.setByteLimit(UpdateManifest::ReadLimit, true);
    downloader_.get(manifestAddress(state_.SettingsEntries.value(baseAddressEntry)));
}

void UpdateChecker::onTransferFinished() {
    if (current_ < 0)
        onManifest();
    else
        onFile();
}

void UpdateChecker::onManifest() {
    const Downloader::Result& result = downloader_.result();
    manifestFault_ = result.fault;
    if (!result.fault)
        manifest_ = UpdateManifest::parse(result.body);
    emit checkFinished();
}

void UpdateChecker::download(const std::array<bool, UpdateFileCount>& wanted) {
    wanted_ = wanted;
    outcomes_ = {};
    recordError_.reset();
    // Every address is fixed before the first transfer, so a new Md.ini changes nothing of this run.
    for (int i = 0; i < UpdateFileCount; ++i) {
        if (wanted_[static_cast<std::size_t>(i)] && isPublished(i))
            outcomes_[static_cast<std::size_t>(i)].address = address(i);
    }
    current_ = -1;
    startNextFile();
}

void UpdateChecker::startNextFile() {
    for (++current_; current_ < UpdateFileCount; ++current_) {
        const FileOutcome& next = outcomes_[static_cast<std::size_t>(current_)];
        if (!next.address.isEmpty()) {
            outcomes_[static_cast<std::size_t>(current_)].attempted = true;
            downloader_.setByteLimit(sizeLimit(current_), false);
            downloader_.get(QUrl(next.address));
            return;
        }
    }
    finishRun();
}

void UpdateChecker::onFile() {
    FileOutcome& outcome = outcomes_[static_cast<std::size_t>(current_)];
    const Downloader::Result& result = downloader_.result();
    outcome.fault = result.fault;
    if (!outcome.fault)
        outcome.fault = checkFileShape(current_, result.body);
    if (!outcome.fault) {
        if (WriteResult error = writeFileBytes(localPath(current_), result.body))
            outcome.fault = DownloadFault{DownloadFault::Kind::Unwritable, 0, error->path, 0};
    }
    outcome.replaced = !outcome.fault;
    emit fileFinished(current_);
    startNextFile();
}

void UpdateChecker::finishRun() {
    current_ = -1;
    std::array<bool, UpdateFileCount> replaced{};
    bool anyReplaced = false;
    for (int i = 0; i < UpdateFileCount; ++i) {
        replaced[static_cast<std::size_t>(i)] = outcomes_[static_cast<std::size_t>(i)].replaced;
        anyReplaced = anyReplaced || replaced[static_cast<std::size_t>(i)];
    }
    // Agg.dat changes only when a file did; otherwise every local file stays exactly as it was.
    if (anyReplaced) {
        const QStringList lines = installed_.afterUpdate(manifest_, replaced);
        recordError_ = writeLines(state_.folder.data(QStringLiteral("Agg.dat")), lines);
        if (!recordError_)
            installed_.setLines(lines);
        reloadSharedState();
    }
    emit downloadsFinished();
}

void UpdateChecker::reloadSharedState() {
    // The rosters are read at every search; the files held in memory are read again here, so the next
    // lookup, the country list and the score see the new ones without a restart.
    const auto keep = [this](const std::optional<FileError>& error) {
        if (error && !recordError_)
            recordError_ = error;
    };
    if (outcomes_[2].replaced) {
        Result<CountryTable> countries = CountryTable::load(localPath(2));
        if (countries) {
            // Country numbers are line numbers, so the marks of the log in use still mean the same countries.
            WorkedCountries worked(countries.value().count());
            for (int n = 1; n <= state_.worked.countryCount(); ++n) {
                if (state_.worked.isWorked(n))
                    worked.mark(n);
            }
            state_.worked = std::move(worked);
            state_.countries = std::move(countries.value());
        } else {
            keep(countries.error());
        }
    }
    if (outcomes_[3].replaced) {
        const Result<ScoreWeights> weights = ScoreWeights::load(localPath(3));
        if (weights)
            state_.weights = weights.value();
        else
            keep(weights.error());
    }
    if (outcomes_[4].replaced)
        keep(readMdIni(state_));
}

bool UpdateChecker::anyFailed() const {
    for (const FileOutcome& outcome : outcomes_) {
        if (outcome.attempted && !outcome.replaced)
            return true;
    }
    return false;
}

} // namespace qvmd
