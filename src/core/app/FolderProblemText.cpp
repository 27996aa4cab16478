#include "core/app/FolderProblemText.h"

#include "core/common/FileErrorText.h"
#include "core/common/StringTable.h"

#include <QDir>

namespace qvmd {

QString folderProblemText(const FolderProblem& problem, int languageOffset) {
    const auto text = [languageOffset](int id) { return builtInText(id, languageOffset); };
    QString sentence = text(1720) + QLatin1Char('\n') + text(1721);
    for (const QString& folder : problem.tried)
        sentence += QStringLiteral("\n    ") + QDir::toNativeSeparators(folder);
    if (!problem.unusableFolder.isEmpty())
        sentence += QLatin1Char('\n') + text(1722).arg(QDir::toNativeSeparators(problem.unusableFolder));
    if (problem.cause)
        sentence += QStringLiteral("\n") + fileErrorText(*problem.cause, languageOffset);
    return sentence;
}

} // namespace qvmd
