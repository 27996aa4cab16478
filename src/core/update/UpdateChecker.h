#pragma once

#include "core/common/DiskSync.h"
#include "core/common/FileError.h"
#include "core/common/ProgramFolder.h"
#include "core/refdata/CountryTable.h"
#include "core/refdata/ScoreWeights.h"
#include "core/update/DownloadFault.h"
#include "core/update/Downloader.h"
#include "core/update/InstalledVersions.h"
#include "core/update/UpdateFiles.h"
#include "core/update/UpdateManifest.h"

#include <QObject>

#include <array>
#include <chrono>
#include <optional>

namespace qvmd {

// What a run replaced that the running program holds in memory, read back from the new files; the window
// puts it in place.
struct ReferenceUpdate {
    std::optional<CountryTable> countries;
    std::optional<ScoreWeights> weights;
    bool settingsReplaced = false; // Md.ini: read again by whoever holds the settings
};

// Fetches the manifest, compares it with Agg.dat, and replaces the chosen files one after the other. It only
// reports; the update window shows what it reports. Each file is checked before it takes the place of the
// old one, so a failed transfer leaves the old file where it was.
class UpdateChecker : public QObject {
    Q_OBJECT
public:
    struct FileOutcome {
        bool attempted = false;
        bool replaced = false;
        QString address;
        std::optional<DownloadFault> fault;
        std::optional<FileError> unconfirmed; // replaced, but the disk did not confirm the new file
    };

    explicit UpdateChecker(ProgramFolder folder, QObject* parent = nullptr);

    void setTimeout(std::chrono::milliseconds timeout) { downloader_.setTimeout(timeout); }
    // The sync every replaced file and Agg.dat use; a test hands in one that records or fails.
    void setDiskSync(const DiskSync& sync) { sync_ = &sync; }

    // Reads Agg.dat; a missing file means nothing installed. On another failure nothing counts as installed
    // and the error is returned for the window to show.
    std::optional<FileError> readInstalled();
    const InstalledVersions& installed() const { return installed_; }

    // Fetches the manifest from the server of the base address (Md.ini's entry); checkFinished() follows,
    // also when the base address is refused without a transfer (a BadAddress manifest fault).
    void check(const QString& baseAddress);
    bool manifestObtained() const { return !manifest_.isUnusable(); }
    const std::optional<DownloadFault>& manifestFault() const { return manifestFault_; }
    const UpdateManifest& manifest() const { return manifest_; }

    // A row without an item in the manifest has nothing to fetch.
    bool isPublished(int i) const { return !manifest_.item(i).isEmpty(); }
    bool hasUpdate(int i) const {
        return isPublished(i) && !isCurrentVersion(manifest_.item(i), installed_.line(i));
    }
    QString address(int i) const;
    QString localPath(int i) const;

    // Fetches the wanted files in order, replaces each one that arrives whole and well formed, records the
    // replaced ones in Agg.dat and reads back what the program holds in memory (newReferenceData());
    // fileFinished() follows each file, downloadsFinished() the whole run.
    void download(const std::array<bool, UpdateFileCount>& wanted);
    bool busy() const { return downloader_.busy(); }
    const FileOutcome& outcome(int i) const { return outcomes_.at(static_cast<std::size_t>(i)); }
    bool anyFailed() const;
    // Agg.dat could not be rewritten, or a replaced file could not be read back; or Kind::Unconfirmed: a
    // file or Agg.dat is in place (and recorded) but the disk did not confirm it.
    const std::optional<FileError>& recordError() const { return recordError_; }
    const ReferenceUpdate& newReferenceData() const { return newData_; }

signals:
    void checkFinished();
    void fileFinished(int index);
    void downloadsFinished();

private:
    void onTransferFinished();
    void onManifest();
    void startNextFile();
    void onFile();
    void finishRun();
    void readBack();

    ProgramFolder folder_;
    const DiskSync* sync_ = &systemDiskSync();
    QString baseAddress_;
    Downloader downloader_;
    InstalledVersions installed_;
    UpdateManifest manifest_;
    std::optional<DownloadFault> manifestFault_;
    std::array<bool, UpdateFileCount> wanted_{};
    std::array<FileOutcome, UpdateFileCount> outcomes_{};
    std::optional<FileError> recordError_;
    ReferenceUpdate newData_;
    int current_ = -1; // file being fetched, -1 while the manifest is
};

} // namespace qvmd
