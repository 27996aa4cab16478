#pragma once

#include "core/common/FileError.h"
#include "core/logging/ContactLog.h"

#include <optional>

namespace qvmd {

struct AppState;

// The log in use while the logging window is open: its records, its counters and its two files, kept in
// agreement. Every change reaches the log file first; only what the file holds is shown and counted.
class LogInUse {
public:
    explicit LogInUse(AppState& state);

    // Reads the log file; the counters become those of the log itself, and the counter file is
    // rewritten when it says otherwise.
    std::optional<FileError> open();

    ContactLog& contacts() { return contacts_; }
    const ContactLog& contacts() const { return contacts_; }
    bool paperLog() const { return paperLog_; }

    enum class Outcome {
        Done,
        LogFull,           // the progressive number would pass the largest 16-bit value; nothing written
        LogFileFailed,     // nothing changed, in memory or on disk
        CounterFileFailed, // the log file and the window agree; only Log.dat is stale
    };
    struct WriteOutcome {
        Outcome outcome = Outcome::Done;
        std::optional<FileError> error;
        bool written() const { return outcome == Outcome::Done || outcome == Outcome::CounterFileFailed; }
    };

    // A new contact numbered NextProgressive and appended.
    WriteOutcome addContact(Contact contact);
    // A picked contact changed: its progressive number is kept, the file rewritten.
    WriteOutcome modifyContact(int row, Contact contact);
    // The contact of a row marked cancelled, the file rewritten.
    WriteOutcome cancelContact(int row);
    // A blank cancelled line for paper logs, numbered NextProgressive and appended.
    WriteOutcome addBlankCancelled(const QString& timeStamp);

    // Counters and worked countries from the records.
    void recount();

private:
    QString logPath() const;
    QString counterPath() const;
    WriteOutcome rewriteWith(int row, Contact contact);
    WriteOutcome append(Contact contact);
    std::optional<FileError> writeCounters();

    AppState& state_;
    ContactLog contacts_;
    bool paperLog_ = false;
};

} // namespace qvmd
