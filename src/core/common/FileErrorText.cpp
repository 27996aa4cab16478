#include "core/common/FileErrorText.h"

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

QString reasonText(const FileError& error, bool italian) {
    using Reason = FileError::Reason;
    const auto pick = [italian](const char* it, const char* en) {
        return italian ? QString::fromUtf8(it) : QString::fromUtf8(en);
    };
    switch (error.reason) {
    case Reason::None:
        return QString();
    case Reason::FolderMissing:
        return pick("la cartella %1 non esiste", "the folder %1 does not exist")
            .arg(QDir::toNativeSeparators(error.value));
    case Reason::IsFolder:
        return pick("al suo posto c'è una cartella", "there is a folder in its place");
    case Reason::NotRegularFile:
        return pick("non è un file normale", "it is not a regular file");
    case Reason::TooLarge:
        return pick("supera il limite di %1", "it is larger than %1").arg(sizeText(error.high));
    case Reason::AccessDenied:
        return pick("accesso negato", "access denied");
    case Reason::ReadOnly:
        return pick("è in sola lettura", "it is read-only");
    case Reason::NoSpace:
        return pick("il disco è pieno", "the disk is full");
    case Reason::DiskError:
        return pick("errore del disco", "the disk reported an error");
    case Reason::SyncFailed:
        return pick("il disco non ha confermato la scrittura", "the disk did not confirm the write");
    case Reason::InUse:
        return pick("è aperto in un altro programma", "another program has it open");
    case Reason::NotWholeNumber:
        return pick("%1 non è un numero intero", "%1 is not a whole number").arg(quotedValue(error.value));
    case Reason::OutOfRange:
        return pick("%1 non è compreso tra %2 e %3", "%1 is not between %2 and %3")
            .arg(quotedValue(error.value))
            .arg(error.low)
            .arg(error.high);
    case Reason::TooManyLines:
        return pick("ha più di %1 righe", "it has more than %1 lines").arg(error.high);
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
    const bool italian = languageOffset == 0;
    const QString path = QDir::toNativeSeparators(error.path);
    QString text;
    switch (error.kind) {
    case FileError::Kind::Missing:
        // A missing folder is named itself: every file in it is missing, and the folder is what to mend.
        if (error.reason == FileError::Reason::FolderMissing) {
            text = italian ? QStringLiteral("La cartella %1 non esiste: impossibile leggere il file %2.")
                           : QStringLiteral("The folder %1 does not exist: cannot read the file %2.");
            return text.arg(QDir::toNativeSeparators(error.value), path);
        }
        text =
            italian ? QStringLiteral("Il file %1 non esiste") : QStringLiteral("The file %1 does not exist");
        return text.arg(path) + QLatin1Char('.');
    case FileError::Kind::Unreadable:
        text = italian ? QStringLiteral("Impossibile leggere il file %1")
                       : QStringLiteral("Cannot read the file %1");
        text = text.arg(path);
        break;
    case FileError::Kind::Unwritable:
        text = italian ? QStringLiteral("Impossibile scrivere il file %1")
                       : QStringLiteral("Cannot write the file %1");
        text = text.arg(path);
        break;
    case FileError::Kind::Malformed:
        if (error.line > 0) {
            text = italian ? QStringLiteral("Il file %1 non è valido alla riga %2")
                           : QStringLiteral("The file %1 is not valid at line %2");
            text = text.arg(path).arg(error.line);
        } else {
            text = italian ? QStringLiteral("Il file %1 non è valido")
                           : QStringLiteral("The file %1 is not valid");
            text = text.arg(path);
        }
        break;
    case FileError::Kind::Unconfirmed:
        // The change happened: the text must never suggest the old content is still there.
        text = italian ? QStringLiteral("Il nuovo contenuto del file %1 è al suo posto, ma il disco non ha "
                                        "potuto confermarlo: se ora mancasse la corrente potrebbe tornare "
                                        "quello precedente.")
                       : QStringLiteral("The new content of the file %1 is in place, but the disk could not "
                                        "confirm it: a power cut now could bring the old content back.");
        return text.arg(path);
    case FileError::Kind::Unlockable:
        text = italian ? QStringLiteral("Impossibile controllare se il programma è già in esecuzione: il "
                                        "blocco %1 non si può usare")
                       : QStringLiteral("Cannot check whether the program is already running: the lock %1 "
                                        "cannot be used");
        text = text.arg(path);
        break;
    }
    const QString reason = reasonText(error, italian);
    if (!reason.isEmpty())
        text += QStringLiteral(": ") + reason;
    return text;
}

} // namespace qvmd
