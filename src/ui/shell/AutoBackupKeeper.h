#pragma once

#include "core/common/DiskSync.h"
#include "core/common/WriteSequence.h"
#include "core/exchange/AutoBackup.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>
#include <thread>

class QLabel;

namespace qvmd {

struct AppState;

// Backs up the log in use by itself: when the logging window opens, after every 50 written contacts and
// when the program ends with a contact written, as the user's setting allows. The copy is made on a
// thread of its own, a moment after it is asked for, so the operator never waits for the disk; its
// outcome shows when it is done. A failure never stops anything: it shows in the status panel and waits,
// once, for the next Backup window.
class AutoBackupKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int contactsBetweenBackups = 50;

    AutoBackupKeeper(AppState& state, QLabel& statusPanel, const DiskSync& sync = systemDiskSync());
    // Makes the copy asked for and waits for it: the program never ends in the middle of one.
    ~AutoBackupKeeper() override;

    // The writes of the open log tell a copy whether a contact was written while it was taken.
    void logWindowOpening(std::shared_ptr<const WriteSequence> writes = {});
    void contactWritten();
    void programEnding();

    // Waits until no copy is under way or asked for, and shows the last outcome. Anything else that
    // touches the Backup folder or the log file whole (a copy by hand, a restore, a deletion) waits here
    // first.
    void settle();

    // Why the last automatic backup failed, handed over once (to the next Backup window); empty when the
    // last one did not fail or was already handed over.
    QString takeFailure();

    // What the last finished attempt did; nothing when none was made (off, or no log in use).
    const std::optional<AutoBackupOutcome>& lastOutcome() const { return last_; }

    // Starts the copy asked for, a moment after the request.
    QTimer startDelay;

public slots:
    void startWaiting();

private:
    struct Job {
        ProgramFolder folder{QString()};
        QString logName;
        QDateTime now;
        int keep = 0;
        std::shared_ptr<const WriteSequence> writes;
    };
    void backUp();
    void start(Job job);
    void collect(unsigned job);
    void finish();
    void show(const AutoBackupOutcome& outcome, const QString& logName);
    void showFailure(const QString& why);

    AppState& state_;
    QLabel& panel_;
    const DiskSync& sync_;
    QString idleText_;
    QString failure_;
    int written_ = 0;
    std::shared_ptr<const WriteSequence> writes_;
    std::optional<AutoBackupOutcome> last_;

    std::thread worker_;
    unsigned running_ = 0; // the job under way, 0 when none
    unsigned jobs_ = 0;
    QString runningLog_;
    AutoBackupOutcome result_; // written by the worker, read after it is joined
    std::optional<Job> waiting_;
};

} // namespace qvmd
