#include "ui/shell/AutoBackupKeeper.h"

#include "core/app/AppState.h"
#include "core/common/FileErrorText.h"
#include "core/exchange/AutoBackupSettings.h"

#include <QLabel>
#include <QSettings>

#include <utility>

namespace qvmd {

AutoBackupKeeper::AutoBackupKeeper(AppState& state, QLabel& statusPanel)
    : state_(state), panel_(statusPanel), idleText_(statusPanel.text()) {}

void AutoBackupKeeper::logWindowOpening() {
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
}

QString AutoBackupKeeper::takeFailure() {
    return std::exchange(failure_, QString());
}

void AutoBackupKeeper::backUp() {
    if (state_.log.LogInUse == 0 || state_.log.LogInUseName.trimmed().isEmpty())
        return;
    const AutoBackupSettings settings = AutoBackupSettings::load(*AutoBackupSettings::openUserSettings());
    if (!settings.enabled)
        return;
    last_ = makeAutoBackup(state_.folder, state_.log.LogInUseName, state_.clock->now(), settings.keep);
    if (last_->status == AutoBackupOutcome::Status::NoBaseName) {
        showFailure(state_.text(1181, QStringLiteral("The log name gives no backup name:")) +
                    QLatin1Char(' ') + state_.log.LogInUseName);
        return;
    }
    if (last_->error) {
        showFailure(fileErrorText(*last_->error, state_.LanguageOffset));
        return;
    }
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
