#include "ui/shell/AutoBackupKeeper.h"

#include "core/app/AppState.h"
#include "core/common/FileErrorText.h"
#include "core/exchange/AutoBackupSettings.h"

#include <QLabel>
#include <QSettings>
#include <QTimer>

#include <utility>

namespace qvmd {

namespace {

// A copy cut by a contact written meanwhile is taken again; an operator does not write this many in the
// time of one copy.
constexpr int copyAttempts = 4;
// The copy starts this long after it is asked for: by then the window has shown what the operator did,
// and the copy does not take the processor from the next keys (an operator needs longer for a contact).
constexpr int startDelayMilliseconds = 400;

} // namespace

AutoBackupKeeper::AutoBackupKeeper(AppState& state, QLabel& statusPanel, const DiskSync& sync)
    : state_(state), panel_(statusPanel), sync_(sync), idleText_(statusPanel.text()) {
    startDelay.setSingleShot(true);
    startDelay.setInterval(startDelayMilliseconds);
    connect(&startDelay, &QTimer::timeout, this, &AutoBackupKeeper::startWaiting);
}

AutoBackupKeeper::~AutoBackupKeeper() {
    // A copy asked for is made even when the window goes without ending the program (a system shutdown).
    for (;;) {
        if (worker_.joinable())
            worker_.join();
        running_ = 0;
        if (!waiting_)
            break;
        start(*std::exchange(waiting_, std::nullopt));
    }
}

void AutoBackupKeeper::logWindowOpening(std::shared_ptr<const WriteSequence> writes) {
    writes_ = std::move(writes);
    // A log unchanged since its newest copy is not copied again.
    backUp();
}

void AutoBackupKeeper::contactWritten() {
    if (++written_ < contactsBetweenBackups)
        return;
    written_ = 0;
    backUp();
}

void AutoBackupKeeper::programEnding() {
    if (state_.LogChanged != FlagFalse)
        backUp();
    settle();
}

QString AutoBackupKeeper::takeFailure() {
    settle();
    return std::exchange(failure_, QString());
}

void AutoBackupKeeper::backUp() {
    if (state_.log.LogInUse == 0 || state_.log.LogInUseName.trimmed().isEmpty())
        return;
    const AutoBackupSettings settings = AutoBackupSettings::load(*AutoBackupSettings::openUserSettings());
    if (!settings.enabled)
        return;
    // Only the newest request waits: it copies the newest log.
    waiting_ = Job{state_.folder, state_.log.LogInUseName, state_.clock->now(), settings.keep, writes_};
    if (running_ == 0 && !startDelay.isActive())
        startDelay.start();
}

void AutoBackupKeeper::startWaiting() {
    startDelay.stop();
    if (running_ == 0 && waiting_)
        start(*std::exchange(waiting_, std::nullopt));
}

void AutoBackupKeeper::start(Job job) {
    running_ = ++jobs_;
    runningLog_ = job.logName;
    worker_ = std::thread([this, job = std::move(job), id = running_] {
        AutoBackupOutcome outcome;
        for (int attempt = 0; attempt < copyAttempts; ++attempt) {
            outcome = makeAutoBackup(job.folder, job.logName, job.now, job.keep, sync_, job.writes.get());
            if (outcome.status != AutoBackupOutcome::Status::Overtaken)
                break;
        }
        result_ = std::move(outcome);
        QMetaObject::invokeMethod(
            this, [this, id] { collect(id); }, Qt::QueuedConnection);
    });
}

void AutoBackupKeeper::collect(unsigned job) {
    // Already collected by settle().
    if (job != running_)
        return;
    finish();
    if (waiting_)
        startDelay.start();
}

void AutoBackupKeeper::finish() {
    worker_.join();
    running_ = 0;
    last_ = std::move(result_);
    show(*last_, runningLog_);
}

void AutoBackupKeeper::settle() {
    startDelay.stop();
    startWaiting();
    while (running_ != 0) {
        finish();
        startWaiting();
    }
}

void AutoBackupKeeper::show(const AutoBackupOutcome& outcome, const QString& logName) {
    if (outcome.status == AutoBackupOutcome::Status::NoBaseName) {
        showFailure(state_.text(1181, QStringLiteral("The log name gives no backup name:")) +
                    QLatin1Char(' ') + logName);
        return;
    }
    if (outcome.error) {
        showFailure(fileErrorText(*outcome.error, state_.LanguageOffset));
        return;
    }
    // Taken while contacts kept coming: the copy is there, and the next one follows soon.
    if (outcome.status == AutoBackupOutcome::Status::Overtaken)
        return;
    // Made, or nothing new to copy: an earlier failure no longer describes the last backup.
    failure_.clear();
    panel_.setText(idleText_);
    panel_.setToolTip(QString());
}

void AutoBackupKeeper::showFailure(const QString& why) {
    failure_ = why;
    panel_.setText(state_.text(1339, QStringLiteral("Automatic backup failed")));
    panel_.setToolTip(why);
}

} // namespace qvmd
