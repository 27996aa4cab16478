#pragma once

#include "core/check/CheckedLog.h"
#include "core/check/MailTexts.h"
#include "core/check/ReceivedMail.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace qvmd {

// The checker's side of the mailboxes given with --mail: their logs join the run's logs, checked as
// they come; the newest message of a station counts; what the manager must answer goes to mail.csv.
class MailIntake {
public:
    MailIntake(const QStringList& mailboxes, MailSource* source, int languageOffset);

    bool wanted() const { return !mailboxes_.isEmpty(); }
    // Why the report folder may not be used: it is a mailbox, lies in one, or holds an mbox file.
    std::optional<QString> reportFolderProblem(const QString& reportFolder) const;
    // Reads every mailbox and checks each log found on every core, appending it to logs.
    void readAndCheck(std::vector<CheckedLog>& logs, const CheckTexts& texts,
                      const LogCheckReferences& references,
                      const std::function<void(const QString&)>& progress);
    // Before the cross-check: of several logs of one station and category from mail, all but the newest
    // message's are superseded (and listed in mail.csv); every log from mail gets its message's lines.
    void settle(std::vector<CheckedLog>& logs);
    // mail.csv: one row per note, Windows-1252 with CR LF, as results.csv.
    QByteArray csv() const;
    // The summary's lines: the counts, then the first notes.
    QString summary(const std::vector<CheckedLog>& logs) const;
    // Something in the mail could not be read.
    bool failed() const { return failed_; }

private:
    QString originText(MailTexts::Id id, const MessageOrigin& origin, const QString& logName) const;
    QString noteText(const MailNote& note) const;
    QString placeText(const MessageOrigin& origin) const;

    QStringList mailboxes_;
    MailSource* source_;
    MailTexts texts_;
    std::size_t first_ = 0;              // the first log from mail in the run's logs
    std::vector<MessageOrigin> origins_; // one per log from mail, in the same order
    std::vector<MailNote> notes_;        // the first MaxNotes
    struct Superseded {
        std::size_t log = 0; // in origins_
        std::size_t by = 0;
        QString fileName;
        QString byName;
    };
    std::vector<Superseded> superseded_; // in the order of the messages
    qint64 unlisted_ = 0;                // the notes after them, only counted
    bool failed_ = false;
    qint64 messages_ = 0;
};

} // namespace qvmd
