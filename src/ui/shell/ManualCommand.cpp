#include "ui/shell/ManualCommand.h"

#include "core/app/AppState.h"
#include "core/app/ManualLocation.h"
#include "ui/kit/Seams.h"

#include <QDir>
#include <QStandardPaths>

namespace qvmd {

void openManual(const AppState& state, Seams& seams, QWidget* parent, const QString& executableFolder,
                const UrlOpener& open) {
    const QString title = state.text(1003, QStringLiteral("Manual"));
    const QStringList dataFolders = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    const QString page = findManual(executableFolder, dataFolders, state.LanguageOffset);
    if (page.isEmpty()) {
        QStringList places;
        for (const QString& place : manualCandidates(executableFolder, dataFolders, state.LanguageOffset))
            places.append(QDir::toNativeSeparators(place));
        seams.message(parent,
                      state.text(1335, QStringLiteral("The manual was not found. It was looked for in:")) +
                          QLatin1Char('\n') + places.join(QLatin1Char('\n')),
                      title, Seams::Icon::Warning);
        return;
    }
    if (!open(QUrl::fromLocalFile(page)))
        seams.message(parent,
                      state.text(1336, QStringLiteral("No browser could be started to show the manual. The "
                                                      "manual is the file:")) +
                          QLatin1Char('\n') + QDir::toNativeSeparators(page),
                      title, Seams::Icon::Warning);
}

} // namespace qvmd
