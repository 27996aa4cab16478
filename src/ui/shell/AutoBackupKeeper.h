#pragma once

#include "core/exchange/AutoBackup.h"

#include <QString>

#include <optional>

class QLabel;

namespace qvmd {

struct AppState;

// Backs up the log in use by itself: when the logging window opens, after every 50 written contacts and
// when the program ends with a contact written, as the user's setting allows. A failure never stops
// anything: it shows in the status panel and waits, once, for the next Backup window.
class AutoBackupKeeper {
public:
    static constexpr int contactsBetweenBackups = 50;

    AutoBackupKeeper(AppState& state, QLabel& statusPanel);

    void logWindowOpening();
    void contactWritten();
    void programEnding();

    // Why the last automatic backup failed, handed over once (to the next Backup window); empty when the
    // last one did not fail or was already handed over.
    QString takeFailure();

    // What the last attempt did; nothing when none was made (off, or no log in use).
    const std::optional<AutoBackupOutcome>& lastOutcome() const { return last_; }

private:
    void backUp();
    void showFailure(const QString& why);

    AppState& state_;
    QLabel& panel_;
    QString idleText_;
    QString failure_;
    int written_ = 0;
    std::optional<AutoBackupOutcome> last_;
};

} // namespace qvmd
