#pragma once

#include "core/common/FileError.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

namespace qvmd {

// The message a log came in, as the award manager finds it again in the mail program.
struct MessageOrigin {
    QString mailbox;   // the path given with --mail
    QString place;     // where in it: the message's file name; empty in an mbox
    qint64 number = 0; // the message's number in an mbox, from 1
    QString sender;    // "Name <address>", decoded
    QString date;      // dd/MM/yyyy HH:mm:ss UTC; empty when the message has no readable date
    QDateTime sent;    // invalid when the message has no readable date
    QString subject;   // decoded
    qint64 order = 0;  // the message's number over every mailbox read, in reading order
};

// A log found in a message: attached (its bytes exactly as sent) or whole in a text body.
struct ReceivedLog {
    QString name;
    QByteArray bytes;
    MessageOrigin origin;
    int brokenRecords = 0; // of a log pasted into a body: records the mail program wrapped
};

// What the manager should hear of a message beyond its logs.
struct MailNote {
    enum class Kind {
        NoLog,           // no log in the message
        NoHeader,        // an attachment named as a log holds no log header
        BinaryLog,       // an attachment named as a log holds zero bytes (binary or UTF-16)
        MessageTooLarge, // value: the limit in MB
        AttachmentTooLarge,
        BrokenMime,     // value: what is broken
        Zip,            // a compressed attachment, not opened
        UnknownCharset, // value: the character set's name
        Unreadable,     // the mailbox or message file cannot be read: error says why
        NotAMailbox,    // a folder with no Maildir and no .eml files
        WrappedLog,     // a log pasted into the text, its records wrapped: value: how many
    };
    Kind kind = Kind::NoLog;
    MessageOrigin origin;
    QString attachment; // the attachment's name, or for a message without a log the names it has
    QString value;
    FileError error; // for Unreadable
    // A message with no log is news, not a failure: the run's status stays 0 for it.
    bool failure() const { return kind != Kind::NoLog; }
};

// Reads mailboxes for the checker; the one way the checker reaches mail, so that the core links no MIME
// library. Logs and notes are handed over in reading order, each as soon as it is found.
class MailSource {
public:
    virtual ~MailSource() = default;
    virtual void read(const QStringList& mailboxes, const std::function<void(ReceivedLog&&)>& take,
                      const std::function<void(MailNote&&)>& note) = 0;
};

// The largest message, and the largest attachment, that is read.
inline constexpr qint64 MaxMessageBytes = 64 * 1024 * 1024;

} // namespace qvmd
