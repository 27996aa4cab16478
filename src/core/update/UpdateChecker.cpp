#include "core/update/UpdateChecker.h"

#include "core/common/TextFile.h"
#include "core/update/FileShape.h"
#include "core/update/ReplaceFile.h"

#include <QTimer>

namespace qvmd {

namespace {

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

UpdateChecker::UpdateChecker(ProgramFolder folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder)) {
    connect(&downloader_, &Downloader::finished, this, &UpdateChecker::onTransferFinished);
}

std::optional<FileError> UpdateChecker::readInstalled() {
    Result<InstalledVersions> read = InstalledVersions::load(folder_.data(QStringLiteral("Agg.dat")));
    if (!read) {
        installed_ = InstalledVersions{};
        return read.error();
    }
    installed_ = std::move(read.value());
    return std::nullopt;
}

QString UpdateChecker::address(int i) const {
    return fileAddress(baseAddress_, manifest_.item(i));
}

QString UpdateChecker::localPath(int i) const {
    return folder_.data(updateFiles().at(static_cast<std::size_t>(i)).localName);
}

void UpdateChecker::check(const QString& baseAddress) {
    baseAddress_ = baseAddress.trimmed();
    manifest_ = UpdateManifest{};
    manifestFault_.reset();
    current_ = -1;
    const QUrl manifest = manifestAddress(baseAddress_);
    if (manifest.isEmpty()) {
        // Refused as it is read: an address without http:// or https:// would fail every file later.
        manifestFault_ =
            DownloadFault{DownloadFault::Kind::BadAddress, 0, baseAddress_, BaseAddressEntry + 1};
        QTimer::singleShot(0, this, &UpdateChecker::checkFinished);
        return;
    }
    downloader_.setByteLimit(UpdateManifest::ReadLimit, true);
    downloader_.get(manifest);
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
    newData_ = ReferenceUpdate{};
    // Every address is fixed before the first transfer, so a new Md.ini changes nothing of this run.
    for (int i = 0; i < UpdateFileCount; ++i) {
        FileOutcome& outcome = outcomes_[static_cast<std::size_t>(i)];
        if (!wanted_[static_cast<std::size_t>(i)] || !isPublished(i))
            continue;
        outcome.address = address(i);
        if (outcome.address.isEmpty()) {
            outcome.attempted = true;
            outcome.address = baseAddress_ + manifest_.item(i) + QStringLiteral(".dat");
            outcome.fault = DownloadFault{DownloadFault::Kind::OffServer, 0, outcome.address, 0};
        }
    }
    current_ = -1;
    startNextFile();
}

void UpdateChecker::startNextFile() {
    for (++current_; current_ < UpdateFileCount; ++current_) {
        FileOutcome& next = outcomes_[static_cast<std::size_t>(current_)];
        if (next.fault) {
            emit fileFinished(current_);
        } else if (!next.address.isEmpty()) {
            next.attempted = true;
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
    if (!outcome.fault && current_ == 4)
        outcome.fault = checkNewSettings(baseAddress_, result.body);
    if (!outcome.fault) {
        // A file in place that the disk did not confirm is replaced all the same: Agg.dat must record it.
        if (WriteResult error = replaceFileItself(localPath(current_), result.body, *sync_);
            inPlaceUnconfirmed(error))
            outcome.unconfirmed = error;
        else if (error)
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
        recordError_ = writeLines(folder_.data(QStringLiteral("Agg.dat")), lines, *sync_);
        if (!recordError_ || inPlaceUnconfirmed(recordError_))
            installed_.setLines(lines);
        for (const FileOutcome& outcome : outcomes_) {
            if (outcome.unconfirmed && !recordError_)
                recordError_ = outcome.unconfirmed;
        }
        readBack();
    }
    emit downloadsFinished();
}

void UpdateChecker::readBack() {
    // The rosters are read at every search; the files held in memory are read back here, so the program
    // can use the new ones without a restart.
    const auto keep = [this](const FileError& error) {
        if (!recordError_)
            recordError_ = error;
    };
    if (outcomes_[2].replaced) {
        Result<CountryTable> countries = CountryTable::load(localPath(2));
        if (countries)
            newData_.countries = std::move(countries.value());
        else
            keep(countries.error());
    }
    if (outcomes_[3].replaced) {
        const Result<ScoreWeights> weights = ScoreWeights::load(localPath(3));
        if (weights)
            newData_.weights = weights.value();
        else
            keep(weights.error());
    }
    newData_.settingsReplaced = outcomes_[4].replaced;
}

bool UpdateChecker::anyFailed() const {
    for (const FileOutcome& outcome : outcomes_) {
        if (outcome.attempted && !outcome.replaced)
            return true;
    }
    return false;
}

} // namespace qvmd
