#include "ui/logging/LogMessages.h"

#include "core/app/AppState.h"
#include "core/common/FileErrorText.h"
#include "core/exchange/AutoBackup.h"

#include <QDir>

namespace qvmd {

namespace {

QString text(const AppState& state, int id, const char* fallback) {
    return state.text(id, QString::fromUtf8(fallback));
}

} // namespace

QString checkMessage(const AppState& state, const CheckResult& result) {
    switch (result.code) {
    case CheckCode::OwnCallsign:
        return result.messageStation + QStringLiteral("\r\n") +
               text(state, 1068, "You can't put your callsign in the Log");
    case CheckCode::Duplicate:
        return duplicateMessage(
            result, {text(state, 1095, "Contact already made"), text(state, 1093, "With the Progressive No."),
                     text(state, 1094, "To insert it again delete the previous contact")});
    case CheckCode::MissingReceived:
        return text(state, 1070, "Error - Received  Progressive Missed");
    case CheckCode::NameTooShort:
        return text(state, 1071, "Error - The name is too short or missing");
    case CheckCode::NoCategory:
        return text(state, 1137, "You have to choose between Lady or Hunter");
    case CheckCode::Passed:
        break;
    }
    return QString();
}

std::optional<QString> outcomeMessage(const AppState& state, const LogInUse::WriteOutcome& outcome) {
    switch (outcome.outcome) {
    case LogInUse::Outcome::Done:
        break;
    case LogInUse::Outcome::Refused:
        if (outcome.appendError->kind == AppendError::Kind::LogFull)
            return appendErrorText(*outcome.appendError, state.LanguageOffset);
        return appendErrorText(*outcome.appendError, state.LanguageOffset) + QStringLiteral("\r\n") +
               text(state, 1192, "Nothing was written to the Log.");
    case LogInUse::Outcome::CounterFileFailed:
    case LogInUse::Outcome::Unconfirmed:
        return fileErrorText(*outcome.fileError, state.LanguageOffset);
    }
    return std::nullopt;
}

QString openFailureMessage(const AppState& state, const FileError& error) {
    QString message = fileErrorText(error, state.LanguageOffset);
    // A delete stopped between moving the log and clearing the choice leaves the log in Backup.
    if (error.kind == FileError::Kind::Missing && error.reason == FileError::Reason::None) {
        if (const std::optional<QString> copy = newestBackupOf(state.folder, state.log.LogInUseName))
            message +=
                QLatin1Char('\n') +
                text(state, 1362,
                     "The log is no longer in the Logs folder. Its newest copy is in the Backup folder:") +
                QLatin1Char('\n') + QDir::toNativeSeparators(*copy);
    }
    return message;
}

std::optional<QString> tailCutMessage(const AppState& state, const LogInUse::Opened& opened) {
    if (!opened.tailCut)
        return std::nullopt;
    if (opened.tailCut->error)
        return fileErrorText(*opened.tailCut->error, state.LanguageOffset);
    return text(state, 1363,
                "The end of the log left by an interruption (not a contact) was cut off; the whole log was "
                "first copied to %1")
        .arg(QDir::toNativeSeparators(opened.tailCut->backupPath));
}

} // namespace qvmd
