#include "core/app/FolderProblemText.h"

#include "core/common/FileErrorText.h"

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
    if (!problem.unusableFolder.isEmpty())
        text += (italian ? QStringLiteral("\nImpossibile creare o scrivere la cartella %1.")
                         : QStringLiteral("\nCannot make or write the folder %1."))
                    .arg(QDir::toNativeSeparators(problem.unusableFolder));
    if (problem.cause)
        text += QStringLiteral("\n") + fileErrorText(*problem.cause, languageOffset);
    return text;
}

} // namespace qvmd
