#pragma once

#include <QString>

#include <vector>

namespace qvmd {

// The texts of the checker's mail reading, in one language (offset 0 Italian, 1000 English).
class MailTexts {
public:
    enum Id : int {
        MessageLine = 1520,
        Supersedes,
        SupersededBy,
        DateUnknown,
        ColumnMailbox,
        ColumnMessage,
        ColumnSender,
        ColumnDate,
        ColumnSubject,
        ColumnAttachment,
        ColumnFinding,
        NoteNoLog,
        NoteNoHeader,
        NoteBinaryLog,
        NoteMessageTooLarge,
        NoteAttachmentTooLarge,
        NoteBrokenMime,
        NoteZip,
        NoteUnknownCharset,
        NoteUnreadable,
        NoteNotAMailbox,
        Summary,
        MoreNotes,
        HelpMail,
        ReportFolderInMailbox,
        ProgressMessages,
        MessagePlace,
        MimeTruncated,
        MimeEmptyMultipart,
        MimeNoBoundary,
        MimeNesting,
        MimePartWithoutHeaders,
        MimeMalformed,
        MimeBadHeader,
        NoMailReader,
        NotesUnlisted,
        NoteWrappedLog,
        WrappedRecords,
        Last = WrappedRecords,
    };

    explicit MailTexts(int languageOffset);
    const QString& text(Id id) const { return texts_[static_cast<std::size_t>(id - MessageLine)]; }
    int languageOffset() const { return offset_; }

private:
    int offset_;
    std::vector<QString> texts_;
};

} // namespace qvmd
