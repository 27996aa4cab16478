#include "ui/shell/DeleteLogCommand.h"

#include "core/app/AppState.h"
#include "core/app/StationState.h"
#include "core/common/FileErrorText.h"
#include "core/exchange/LogRetire.h"
#include "ui/kit/Seams.h"

#include <QDir>

namespace qvmd {

bool deleteLogInUse(AppState& state, Seams& seams, QWidget* parent) {
    const QString logName = state.log.LogInUseName.trimmed();
    if (state.log.LogInUse == 0 || logName.isEmpty())
        return false;
    const QString title = state.text(1028, QStringLiteral("Delete Log"));
    const QString first =
        state
            .text(1330, QStringLiteral("Delete the log %1? It is moved into the Backup folder, from where "
                                       "Restore can bring it back."))
            .arg(logName);
    if (!seams.ask(parent, first, title, Seams::Icon::Question, Seams::Default::No))
        return false;
    const QString second =
        state.text(1331, QStringLiteral("Are you quite sure you want to delete the log %1?")).arg(logName);
    if (!seams.ask(parent, second, title, Seams::Icon::Warning, Seams::Default::No))
        return false;

    const QString notDeleted =
        state.text(1333, QStringLiteral("The log was not deleted: it is where it was."));
    const RetireOutcome outcome = retireLog(state.folder, logName, state.clock->now());
    switch (outcome.status) {
    case RetireOutcome::Status::Missing: {
        // Nothing to delete and nothing to keep pointing at: one message, and the choice goes.
        QString text = state
                           .text(1361, QStringLiteral("The log %1 no longer exists: the choice of the log in "
                                                      "use has been cleared."))
                           .arg(logName);
        if (WriteResult failure =
                saveUseFile(state, UseHeader::noLog(state.profile.category, currentYear(state))))
            text = fileErrorText(*outcome.error, state.LanguageOffset) + QLatin1Char('\n') +
                   fileErrorText(*failure, state.LanguageOffset);
        state.log = LogChoice{};
        seams.message(parent, text, title, Seams::Icon::Warning);
        return true;
    }
    case RetireOutcome::Status::NoBaseName:
        seams.message(parent,
                      notDeleted + QLatin1Char('\n') +
                          state.text(1181, QStringLiteral("The log name gives no backup name:")) +
                          QLatin1Char(' ') + logName,
                      title, Seams::Icon::Error);
        return false;
    case RetireOutcome::Status::Failed:
        seams.message(parent,
                      notDeleted + QLatin1Char('\n') + fileErrorText(*outcome.error, state.LanguageOffset),
                      title, Seams::Icon::Error);
        return false;
    case RetireOutcome::Status::Moved:
        break;
    }

    // The log is gone from Logs: nothing may point at it any more.
    if (WriteResult failure =
            saveUseFile(state, UseHeader::noLog(state.profile.category, currentYear(state)))) {
        state.log = LogChoice{};
        seams.message(parent,
                      state.text(1334, QStringLiteral("The log was moved, but the choice of the log in use "
                                                      "could not be cleared.")) +
                          QLatin1Char('\n') + fileErrorText(*failure, state.LanguageOffset),
                      title, Seams::Icon::Error);
        return true;
    }
    seams.message(parent,
                  state.text(1332, QStringLiteral("The log was moved into the Backup folder:")) +
                      QLatin1Char('\n') + QDir::toNativeSeparators(outcome.backupPath),
                  title, Seams::Icon::Information);
    return true;
}

} // namespace qvmd
