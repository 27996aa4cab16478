#include "core/app/FolderProblemText.h"

#include "core/app/FileErrorText.h"

#include <QDir>

namespace qvmd {

QString folderProblemText(const FolderProblem& problem, int languageOffset) {
    const bool italian = languageOffset == 0;
    QString text = italian ? QStringLiteral("Il programma non trova una cartella in cui tenere i suoi file.\n"
                                            "Cartelle provate:")
                           : QStringLiteral("The program cannot find a folder to keep its files in.\n"
                                            "Folders tried:");
    for (const QString& folder : problem.tried)
        text += QStringLiteral("\n    ") + QDir::toNativeSeparators(folder);
    if (problem.cause)
        text += QStringLiteral("\n") + fileErrorText(*problem.cause, languageOffset);
    return text;
}

} // namespace qvmd
