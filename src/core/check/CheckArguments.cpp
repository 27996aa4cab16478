#include "core/check/CheckArguments.h"

#include "core/check/CertificateTexts.h"
#include "core/check/CheckTexts.h"
#include "core/check/MailTexts.h"

#include <QDir>

namespace qvmd {

std::optional<CheckOptions> parseCheckArguments(const QStringList& arguments,
                                                const QString& defaultDataFolder, QString& error,
                                                int defaultLanguageOffset, bool* unknownOption) {
    CheckOptions options;
    options.dataFolder = defaultDataFolder;
    options.languageOffset = defaultLanguageOffset;
    if (unknownOption)
        *unknownOption = false;
    bool onlyLogs = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= arguments.size())
                return std::nullopt;
            return arguments[++i];
        };
        if (onlyLogs || !argument.startsWith(u'-')) {
            options.inputs.append(argument);
        } else if (argument == QLatin1String("--")) {
            onlyLogs = true;
        } else if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            options.action = CheckOptions::Action::Help;
        } else if (argument == QLatin1String("--version")) {
            if (options.action == CheckOptions::Action::Run)
                options.action = CheckOptions::Action::Version;
        } else if (argument == QLatin1String("--certificates")) {
            options.certificates = true;
        } else if (argument == QLatin1String("--template")) {
            const std::optional<QString> file = value();
            if (!file || file->isEmpty()) {
                error = argument;
                return std::nullopt;
            }
            options.certificates = true;
            options.certificateTemplate = *file;
        } else if (argument == QLatin1String("--data") || argument == QLatin1String("--out") ||
                   argument == QLatin1String("--mail")) {
            const std::optional<QString> folder = value();
            if (!folder || folder->isEmpty()) {
                error = argument;
                return std::nullopt;
            }
            if (argument == QLatin1String("--mail"))
                options.mailboxes.append(*folder);
            else
                (argument == QLatin1String("--data") ? options.dataFolder : options.outFolder) = *folder;
        } else if (argument == QLatin1String("--window")) {
            const std::optional<QString> minutes = value();
            bool ok = false;
            const int number = minutes ? minutes->toInt(&ok) : 0;
            if (!ok || number < 0 || number > 24 * 60) {
                error = argument + (minutes ? u' ' + *minutes : QString());
                return std::nullopt;
            }
            options.windowMinutes = number;
        } else if (argument == QLatin1String("--numbers")) {
            const std::optional<QString> rule = value();
            if (rule != QStringLiteral("strict") && rule != QStringLiteral("report")) {
                error = argument + (rule ? u' ' + *rule : QString());
                return std::nullopt;
            }
            options.strictNumbers = rule == QStringLiteral("strict");
        } else if (argument == QLatin1String("--lang")) {
            const std::optional<QString> language = value();
            if (language == QStringLiteral("it")) {
                options.languageOffset = 0;
            } else if (language == QStringLiteral("en")) {
                options.languageOffset = 1000;
            } else {
                error = argument + (language ? u' ' + *language : QString());
                return std::nullopt;
            }
        } else {
            error = argument;
            if (unknownOption)
                *unknownOption = true;
            return std::nullopt;
        }
    }
    if (options.action == CheckOptions::Action::Run && options.inputs.isEmpty() &&
        options.mailboxes.isEmpty()) {
        error = QStringLiteral("LOG_FOLDER_OR_FILES");
        return std::nullopt;
    }
    return options;
}

int languageOffsetOfLocale(const QByteArray& lcAll, const QByteArray& lcMessages, const QByteArray& lang) {
    for (const QByteArray* setting : {&lcAll, &lcMessages, &lang})
        if (!setting->isEmpty())
            return setting->startsWith("it") ? 0 : 1000;
    return 1000;
}

QString checkHelp(const CheckTexts& texts, const QString& defaultDataFolder, bool readsMail) {
    QString help = texts.text(CheckTexts::Usage) + u'\n' + texts.text(CheckTexts::HelpPurpose) + u'\n';
    for (const CheckTexts::Id id : {CheckTexts::HelpData, CheckTexts::HelpWindow, CheckTexts::HelpNumbers,
                                    CheckTexts::HelpLang, CheckTexts::HelpOut, CheckTexts::HelpOptions})
        help +=
            QStringLiteral("  ") + texts.format(id, {QDir::toNativeSeparators(defaultDataFolder)}) + u'\n';
    const MailTexts mailTexts(texts.languageOffset());
    help += QStringLiteral("  ") + mailTexts.text(MailTexts::HelpMail) + u'\n';
    if (!readsMail)
        help += QStringLiteral("  ") + mailTexts.text(MailTexts::HelpMailMissing) + u'\n';
    help += QStringLiteral("  ") + certificateHelpText(texts.languageOffset()) + u'\n';
    return help + texts.text(CheckTexts::HelpExit) + u'\n';
}

} // namespace qvmd
