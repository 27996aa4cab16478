#include "core/mail/GMimeMailSource.h"

#include "core/common/ParallelFor.h"
#include "core/common/TextFile.h"
#include "core/mail/GMimeSession.h"
#include "core/mail/MboxSplitter.h"
#include "core/mail/MessageScan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <vector>

namespace qvmd {
namespace {

// Messages wait in a batch until enough of them can be parsed side by side.
constexpr std::size_t BatchMessages = 256;
constexpr qint64 BatchBytes = 32 * 1024 * 1024;
constexpr qint64 ReadPiece = 4 * 1024 * 1024;

class Reading {
public:
    Reading(const std::function<void(ReceivedLog&&)>& take, const std::function<void(MailNote&&)>& note)
        : take_(take), note_(note) {}

    void mailbox(const QString& path) {
        mailbox_ = path;
        const QFileInfo info(path);
        if (info.isDir())
            folder(path);
        else if (!info.exists())
            unreadable(mailboxOrigin(), fileError(FileError::Kind::Missing, path));
        else if (!info.isFile())
            unreadable(mailboxOrigin(),
                       fileError(FileError::Kind::Unreadable, path, FileError::Reason::NotRegularFile));
        else
            file(path);
        flush();
    }

private:
    struct Waiting {
        MessageOrigin origin;
        QByteArray bytes;
        bool tooLarge = false;
    };

    MessageOrigin mailboxOrigin() const {
        MessageOrigin origin;
        origin.mailbox = mailbox_;
        return origin;
    }
    MessageOrigin nextOrigin() {
        MessageOrigin origin = mailboxOrigin();
        origin.order = ++order_;
        return origin;
    }

    void unreadable(MessageOrigin origin, const FileError& error) {
        flush(); // notes keep the mailbox's order
        MailNote note;
        note.kind = MailNote::Kind::Unreadable;
        note.origin = std::move(origin);
        note.error = error;
        note_(std::move(note));
    }

    // A Maildir folder when it has new/ or cur/ (tmp/ holds deliveries not yet done); otherwise the .eml
    // files in it.
    void folder(const QString& path) {
        const QDir dir(path);
        QStringList files;
        if (QFileInfo(dir.filePath(QStringLiteral("cur"))).isDir() ||
            QFileInfo(dir.filePath(QStringLiteral("new"))).isDir()) {
            // Maildir names begin with the delivery time: by name is by arrival.
            QStringList named;
            for (const char* sub : {"new", "cur"})
                for (const QString& name :
                     QDir(dir.filePath(QLatin1String(sub))).entryList(QDir::Files | QDir::System, QDir::Name))
                    named.append(name + u'\n' + QLatin1String(sub) + u'/' + name);
            named.sort();
            for (const QString& entry : named)
                files.append(entry.section(u'\n', 1));
        } else {
            files = dir.entryList({QStringLiteral("*.eml")}, QDir::Files | QDir::System, QDir::Name);
            if (files.isEmpty()) {
                MailNote note;
                note.kind = MailNote::Kind::NotAMailbox;
                note.origin = mailboxOrigin();
                note_(std::move(note));
                return;
            }
        }
        for (const QString& name : files)
            messageFile(dir.filePath(name), name);
    }

    void messageFile(const QString& path, const QString& place) {
        MessageOrigin origin = nextOrigin();
        origin.place = place;
        const Result<QByteArray> bytes = readFileBytes(path, MaxMessageBytes);
        if (bytes) {
            wait({std::move(origin), bytes.value(), false});
            return;
        }
        if (bytes.error().reason != FileError::Reason::TooLarge) {
            unreadable(std::move(origin), bytes.error());
            return;
        }
        QFile file(path);
        QByteArray head;
        if (file.open(QIODevice::ReadOnly))
            head = file.read(MboxSplitter::HeadBytes);
        wait({std::move(origin), head, true});
    }

    // An mbox when it begins with a "From " line; otherwise one message.
    void file(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            unreadable(mailboxOrigin(),
                       fileError(FileError::Kind::Unreadable, path, FileError::Reason::AccessDenied));
            return;
        }
        if (file.peek(5) != "From ") {
            file.close();
            messageFile(path, QFileInfo(path).fileName());
            return;
        }
        MboxSplitter splitter(MaxMessageBytes, [&](MboxSplitter::Message&& message) {
            MessageOrigin origin = nextOrigin();
            origin.number = message.number;
            wait({std::move(origin), std::move(message.bytes), message.tooLarge});
        });
        QByteArray piece(ReadPiece, Qt::Uninitialized);
        for (;;) {
            const qint64 read = file.read(piece.data(), ReadPiece);
            if (read < 0) {
                splitter.finish();
                unreadable(mailboxOrigin(),
                           fileError(FileError::Kind::Unreadable, path, FileError::Reason::DiskError));
                return;
            }
            if (read == 0)
                break;
            splitter.feed(QByteArrayView(piece.constData(), read));
        }
        splitter.finish();
    }

    void wait(Waiting&& message) {
        waitingBytes_ += message.bytes.size();
        waiting_.push_back(std::move(message));
        if (waiting_.size() >= BatchMessages || waitingBytes_ >= BatchBytes)
            flush();
    }

    void flush() {
        std::vector<MessageHarvest> harvests(waiting_.size());
        parallelFor(waiting_.size(), [&](std::size_t i) {
            Waiting& message = waiting_[i];
            harvests[i] = message.tooLarge ? tooLargeMessage(message.bytes, message.origin)
                                           : scanMessage(message.bytes, message.origin);
            message.bytes = QByteArray(); // freed on every core, not after the batch
        });
        waiting_.clear();
        waitingBytes_ = 0;
        for (MessageHarvest& harvest : harvests) {
            for (ReceivedLog& log : harvest.logs)
                take_(std::move(log));
            for (MailNote& note : harvest.notes)
                note_(std::move(note));
        }
    }

    const std::function<void(ReceivedLog&&)>& take_;
    const std::function<void(MailNote&&)>& note_;
    QString mailbox_;
    qint64 order_ = 0;
    std::vector<Waiting> waiting_;
    qint64 waitingBytes_ = 0;
};

} // namespace

void GMimeMailSource::read(const QStringList& mailboxes, const std::function<void(ReceivedLog&&)>& take,
                           const std::function<void(MailNote&&)>& note) {
    ensureGMime();
    Reading reading(take, note);
    for (const QString& mailbox : mailboxes)
        reading.mailbox(mailbox);
}

} // namespace qvmd
