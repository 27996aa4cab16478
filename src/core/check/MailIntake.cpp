#include "core/check/MailIntake.h"

#include "core/check/CheckReports.h"
#include "core/check/CheckRun.h"
#include "core/common/FileErrorText.h"
#include "core/common/ParallelFor.h"
#include "core/common/Windows1252.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace qvmd {
namespace {

// Logs are checked in batches on every core while the mailbox is read between them; a batch stays
// small beside the memory the whole mailbox would take.
constexpr std::size_t BatchLogs = 512;
constexpr qint64 BatchBytes = 32 * 1024 * 1024;
// The summary names the first notes; mail.csv has them all, up to a number that any machine holds and
// any spreadsheet opens: an inbox of millions of messages is counted beyond it.
constexpr std::size_t NotesShown = 10;
constexpr std::size_t MaxNotes = 200000;

// A path as the file system resolves it, also when its last parts do not exist yet (a report folder
// still to be made).
QString resolvedPath(const QString& path) {
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString rest;
    while (!QFileInfo::exists(existing) && existing != QDir::rootPath()) {
        const QFileInfo info(existing);
        rest = info.fileName() + (rest.isEmpty() ? QString() : u'/' + rest);
        existing = info.absolutePath();
    }
    const QString canonical = QFileInfo(existing).canonicalFilePath();
    const QString base = canonical.isEmpty() ? existing : canonical;
    return rest.isEmpty() ? base : QDir::cleanPath(base + u'/' + rest);
}

bool within(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

// Newer first: a readable date beats none, then the later date, then the later message read.
bool newer(const MessageOrigin& a, const MessageOrigin& b) {
    if (a.sent.isValid() != b.sent.isValid())
        return a.sent.isValid();
    if (a.sent.isValid() && a.sent != b.sent)
        return a.sent > b.sent;
    return a.order > b.order;
}

} // namespace

MailIntake::MailIntake(const QStringList& mailboxes, MailSource* source, int languageOffset)
    : mailboxes_(mailboxes), source_(source), texts_(languageOffset) {}

std::optional<QString> MailIntake::reportFolderProblem(const QString& reportFolder) const {
    const QString reports = resolvedPath(reportFolder);
    for (const QString& mailbox : mailboxes_) {
        const QFileInfo info(mailbox);
        const QString place = info.isDir() ? resolvedPath(mailbox) : resolvedPath(info.absolutePath());
        if (info.isDir() ? within(reports, place) : reports == place)
            return texts_.text(MailTexts::ReportFolderInMailbox).arg(QDir::toNativeSeparators(reportFolder));
    }
    return std::nullopt;
}

void MailIntake::readAndCheck(std::vector<CheckedLog>& logs, const CheckTexts& texts,
                              const LogCheckReferences& references,
                              const std::function<void(const QString&)>& progress) {
    first_ = logs.size();
    if (!source_) {
        MailNote note;
        note.kind = MailNote::Kind::Unreadable;
        note.origin.mailbox = mailboxes_.join(QStringLiteral(", "));
        note.value = texts_.text(MailTexts::NoMailReader);
        notes_.push_back(std::move(note));
        failed_ = true;
        return;
    }
    std::vector<ReceivedLog> batch;
    qint64 batchBytes = 0;
    auto flush = [&] {
        const std::size_t start = logs.size();
        logs.resize(start + batch.size());
        parallelFor(batch.size(), [&](std::size_t i) {
            logs[start + i] = checkLogBytes(batch[i].name, batch[i].bytes, texts, references);
            if (batch[i].brokenRecords > 0)
                logs[start + i].addFinding(
                    0, texts_.text(MailTexts::WrappedRecords).arg(batch[i].brokenRecords));
        });
        for (ReceivedLog& log : batch)
            origins_.push_back(std::move(log.origin));
        batch.clear();
        batchBytes = 0;
    };
    auto seen = [&](const MessageOrigin& origin) {
        if (origin.order <= messages_)
            return;
        messages_ = origin.order;
        if (progress && messages_ % 500 == 0)
            progress(texts_.text(MailTexts::ProgressMessages).arg(messages_));
    };
    source_->read(
        mailboxes_,
        [&](ReceivedLog&& log) {
            seen(log.origin);
            batchBytes += log.bytes.size();
            batch.push_back(std::move(log));
            if (batch.size() >= BatchLogs || batchBytes >= BatchBytes)
                flush();
        },
        [&](MailNote&& note) {
            seen(note.origin);
            failed_ = failed_ || note.failure();
            if (notes_.size() < MaxNotes)
                notes_.push_back(std::move(note));
            else
                ++unlisted_;
        });
    flush();
}

QString MailIntake::originText(MailTexts::Id id, const MessageOrigin& origin, const QString& logName) const {
    const QString sender = visibleText(origin.sender);
    const QString date = origin.date.isEmpty() ? texts_.text(MailTexts::DateUnknown) : origin.date;
    const QString subject = quotedValue(origin.subject);
    if (id == MailTexts::MessageLine)
        return texts_.text(id).arg(sender, date, subject);
    return texts_.text(id).arg(logName, sender, date, subject);
}

void MailIntake::settle(std::vector<CheckedLog>& logs) {
    // Logs are per station and category: a station's H log never supersedes its L log.
    QHash<QString, std::vector<std::size_t>> byStation;
    for (std::size_t i = 0; i < origins_.size(); ++i) {
        CheckedLog& log = logs[first_ + i];
        log.originLines = {originText(MailTexts::MessageLine, origins_[i], QString())};
        if (log.readable && wellFormedIdentifier(log.station))
            byStation[log.station + u'_' + log.category].push_back(i);
    }
    for (std::vector<std::size_t>& sent : byStation) {
        if (sent.size() < 2)
            continue;
        std::stable_sort(sent.begin(), sent.end(),
                         [&](std::size_t a, std::size_t b) { return newer(origins_[a], origins_[b]); });
        CheckedLog& newest = logs[first_ + sent.front()];
        for (std::size_t k = 1; k < sent.size(); ++k) {
            CheckedLog& older = logs[first_ + sent[k]];
            older.superseded = true;
            older.originLines.append(
                originText(MailTexts::SupersededBy, origins_[sent.front()], newest.fileName));
            newest.originLines.append(originText(MailTexts::Supersedes, origins_[sent[k]], older.fileName));
            superseded_.push_back({sent[k], sent.front(), older.fileName, newest.fileName});
        }
    }
    std::sort(superseded_.begin(), superseded_.end(),
              [](const Superseded& a, const Superseded& b) { return a.log < b.log; });
}

QString MailIntake::placeText(const MessageOrigin& origin) const {
    return origin.number > 0 ? texts_.text(MailTexts::MessagePlace).arg(origin.number) : origin.place;
}

QString MailIntake::noteText(const MailNote& note) const {
    switch (note.kind) {
    case MailNote::Kind::NoLog:
        return texts_.text(MailTexts::NoteNoLog);
    case MailNote::Kind::NoHeader:
        return texts_.text(MailTexts::NoteNoHeader);
    case MailNote::Kind::BinaryLog:
        return texts_.text(MailTexts::NoteBinaryLog);
    case MailNote::Kind::MessageTooLarge:
        return texts_.text(MailTexts::NoteMessageTooLarge).arg(MaxMessageBytes / (1024 * 1024));
    case MailNote::Kind::AttachmentTooLarge:
        return texts_.text(MailTexts::NoteAttachmentTooLarge).arg(MaxMessageBytes / (1024 * 1024));
    case MailNote::Kind::BrokenMime: {
        static const QHash<QString, MailTexts::Id> reasons{
            {QStringLiteral("truncated"), MailTexts::MimeTruncated},
            {QStringLiteral("empty-multipart"), MailTexts::MimeEmptyMultipart},
            {QStringLiteral("no-boundary"), MailTexts::MimeNoBoundary},
            {QStringLiteral("nesting"), MailTexts::MimeNesting},
            {QStringLiteral("part-without-headers"), MailTexts::MimePartWithoutHeaders},
            {QStringLiteral("malformed"), MailTexts::MimeMalformed},
            {QStringLiteral("bad-header"), MailTexts::MimeBadHeader}};
        QStringList named;
        for (const QString& key : note.value.split(QStringLiteral(", "), Qt::SkipEmptyParts))
            named.append(reasons.contains(key) ? texts_.text(reasons.value(key)) : key);
        return texts_.text(MailTexts::NoteBrokenMime).arg(named.join(QStringLiteral(", ")));
    }
    case MailNote::Kind::Zip:
        return texts_.text(MailTexts::NoteZip);
    case MailNote::Kind::UnknownCharset:
        return texts_.text(MailTexts::NoteUnknownCharset).arg(quotedValue(note.value));
    case MailNote::Kind::Unreadable: // value: a text of the checker's own instead of a file error
        return note.value.isEmpty() ? texts_.text(MailTexts::NoteUnreadable)
                                          .arg(fileErrorText(note.error, texts_.languageOffset()))
                                    : note.value;
    case MailNote::Kind::NotAMailbox:
        return texts_.text(MailTexts::NoteNotAMailbox);
    case MailNote::Kind::WrappedLog:
        return texts_.text(MailTexts::NoteWrappedLog).arg(note.value);
    }
    return QString();
}

QByteArray MailIntake::csv() const {
    QString text;
    auto addRow = [&](const QStringList& row) {
        QStringList fields;
        for (const QString& field : row)
            fields.append(csvField(field, true));
        text += fields.join(u',') + QStringLiteral("\r\n");
    };
    QStringList heading;
    for (int id = MailTexts::ColumnMailbox; id <= MailTexts::ColumnFinding; ++id)
        heading.append(texts_.text(static_cast<MailTexts::Id>(id)));
    addRow(heading);
    for (const MailNote& note : notes_)
        addRow({QDir::toNativeSeparators(note.origin.mailbox), placeText(note.origin), note.origin.sender,
                note.origin.date, note.origin.subject, note.attachment, noteText(note)});
    // A superseded log is no note to answer, but the manager sees which log of a station was not used.
    for (const Superseded& row : superseded_) {
        const MessageOrigin& origin = origins_[row.log];
        addRow({QDir::toNativeSeparators(origin.mailbox), placeText(origin), origin.sender, origin.date,
                origin.subject, row.fileName,
                originText(MailTexts::SupersededBy, origins_[row.by], row.byName)});
    }
    if (unlisted_ > 0)
        addRow({QString(), QString(), QString(), QString(), QString(), QString(),
                texts_.text(MailTexts::NotesUnlisted).arg(unlisted_)});
    return toWindows1252(text);
}

QString MailIntake::summary(const std::vector<CheckedLog>& logs) const {
    const auto superseded = std::count_if(logs.begin() + static_cast<std::ptrdiff_t>(first_), logs.end(),
                                          [](const CheckedLog& log) { return log.superseded; });
    QString text =
        texts_.text(MailTexts::Summary)
            .arg(QString::number(messages_), QString::number(origins_.size()), QString::number(superseded),
                 QString::number(static_cast<qint64>(notes_.size()) + unlisted_)) +
        u'\n';
    for (std::size_t i = 0; i < notes_.size() && i < NotesShown; ++i) {
        const MailNote& note = notes_[i];
        const MessageOrigin& origin = note.origin;
        QString where = origin.order == 0 ? QDir::toNativeSeparators(origin.mailbox)
                                          : visibleText(origin.sender) + QStringLiteral(", ") +
                                                (origin.date.isEmpty() ? texts_.text(MailTexts::DateUnknown)
                                                                       : origin.date) +
                                                QStringLiteral(", ") + quotedValue(origin.subject);
        if (!note.attachment.isEmpty())
            where += QStringLiteral(", ") + visibleText(note.attachment);
        text += QStringLiteral("  ") + where + QStringLiteral(": ") + noteText(note) + u'\n';
    }
    if (notes_.size() > NotesShown)
        text +=
            QStringLiteral("  ") + texts_.text(MailTexts::MoreNotes).arg(notes_.size() - NotesShown) + u'\n';
    return text;
}

} // namespace qvmd
