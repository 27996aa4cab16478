#include "core/common/FileErrorText.h"

#include "core/common/StringTable.h"

#include <QDir>

namespace qvmd {

namespace {

constexpr qsizetype quotedLength = 40;

QString sizeText(qint64 bytes) {
    constexpr qint64 mega = 1024 * 1024;
    if (bytes >= mega && bytes % mega == 0)
        return QStringLiteral("%1 MB").arg(bytes / mega);
    return QStringLiteral("%1 KB").arg((bytes + 1023) / 1024);
}

// The ids of the texts, Italian ones; the English text is under the id plus 1000.
enum TextId {
    FolderMissingReason = 1700,
    IsFolderReason = 1701,
    NotRegularFileReason = 1702,
    TooLargeReason = 1703,
    AccessDeniedReason = 1704,
    ReadOnlyReason = 1705,
    NoSpaceReason = 1706,
    DiskErrorReason = 1707,
    SyncFailedReason = 1708,
    NotWholeNumberReason = 1709,
    OutOfRangeReason = 1710,
    TooManyLinesReason = 1711,
    FolderOfFileMissing = 1712,
    FileMissing = 1713,
    FileUnreadable = 1714,
    FileUnwritable = 1715,
    FileMalformedAtLine = 1716,
    FileMalformed = 1717,
    FileUnconfirmed = 1718,
    LockUnusable = 1719,
    InUseReason = 1724,
};

QString reasonText(const FileError& error, int languageOffset) {
    using Reason = FileError::Reason;
    const auto text = [languageOffset](TextId id) { return builtInText(id, languageOffset); };
    switch (error.reason) {
    case Reason::None:
        return QString();
    case Reason::FolderMissing:
        return text(FolderMissingReason).arg(QDir::toNativeSeparators(error.value));
    case Reason::IsFolder:
        return text(IsFolderReason);
    case Reason::NotRegularFile:
        return text(NotRegularFileReason);
    case Reason::TooLarge:
        return text(TooLargeReason).arg(sizeText(error.high));
    case Reason::AccessDenied:
        return text(AccessDeniedReason);
    case Reason::ReadOnly:
        return text(ReadOnlyReason);
    case Reason::NoSpace:
        return text(NoSpaceReason);
    case Reason::DiskError:
        return text(DiskErrorReason);
    case Reason::SyncFailed:
        return text(SyncFailedReason);
    case Reason::InUse:
        return text(InUseReason);
    case Reason::NotWholeNumber:
        return text(NotWholeNumberReason).arg(quotedValue(error.value));
    case Reason::OutOfRange:
        return text(OutOfRangeReason).arg(quotedValue(error.value)).arg(error.low).arg(error.high);
    case Reason::TooManyLines:
        return text(TooManyLinesReason).arg(error.high);
    }
    return QString();
}

} // namespace

QString quotedValue(const QString& value) {
    QString text;
    qsizetype shown = 0;
    for (const QChar c : value) {
        if (shown == quotedLength) {
            text += QChar(0x2026);
            break;
        }
        ++shown;
        if (c == u'\r')
            text += QStringLiteral("\\r");
        else if (c == u'\n')
            text += QStringLiteral("\\n");
        else if (c == u'\t')
            text += QStringLiteral("\\t");
        else if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            text += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            text += c;
    }
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString fileErrorText(const FileError& error, int languageOffset) {
    const auto text = [languageOffset](TextId id) { return builtInText(id, languageOffset); };
    const QString path = QDir::toNativeSeparators(error.path);
    QString sentence;
    switch (error.kind) {
    case FileError::Kind::Missing:
        // A missing folder is named itself: every file in it is missing, and the folder is what to mend.
        if (error.reason == FileError::Reason::FolderMissing)
            return text(FolderOfFileMissing).arg(QDir::toNativeSeparators(error.value), path);
        return text(FileMissing).arg(path) + QLatin1Char('.');
    case FileError::Kind::Unreadable:
        sentence = text(FileUnreadable).arg(path);
        break;
    case FileError::Kind::Unwritable:
        sentence = text(FileUnwritable).arg(path);
        break;
    case FileError::Kind::Malformed:
        sentence = error.line > 0 ? text(FileMalformedAtLine).arg(path).arg(error.line)
                                  : text(FileMalformed).arg(path);
        break;
    case FileError::Kind::Unconfirmed:
        // The change happened: the text must never suggest the old content is still there.
        return text(FileUnconfirmed).arg(path);
    case FileError::Kind::Unlockable:
        sentence = text(LockUnusable).arg(path);
        break;
    }
    const QString reason = reasonText(error, languageOffset);
    if (!reason.isEmpty())
        sentence += QStringLiteral(": ") + reason;
    return sentence;
}

} // namespace qvmd
