#include "core/app/FileErrorText.h"

#include <QDir>

namespace qvmd {

QString fileErrorText(const FileError& error, int languageOffset) {
    const bool italian = languageOffset == 0;
    const QString path = QDir::toNativeSeparators(error.path);
    QString text;
    switch (error.kind) {
    case FileError::Kind::Missing:
        text =
            italian ? QStringLiteral("Il file %1 non esiste") : QStringLiteral("The file %1 does not exist");
        text = text.arg(path);
        // The detail of a missing file only repeats the sentence.
        return text + QLatin1Char('.');
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
    }
    const QString detail = error.detail.trimmed();
    if (!detail.isEmpty())
        text += QStringLiteral(": ") + detail;
    return text;
}

} // namespace qvmd
