#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace qvmd {

class CheckTexts;

struct CheckOptions {
    enum class Action { Run, Help, Version };
    Action action = Action::Run;
    QString dataFolder; // holds Prefix.dat, Data.dat, Lady.dat, Hunter.dat
    int windowMinutes = 10;
    // A received number that differs from the one the other station sent: reported, or also refused.
    bool strictNumbers = false;
    int languageOffset = 0;      // 0 Italian, 1000 English
    QString outFolder;           // empty: the current folder
    QStringList inputs;          // log folders or files
    QStringList mailboxes;       // mbox files, Maildir folders or folders of .eml files (--mail)
    bool certificates = false;   // a PDF certificate per ranked station (--certificates)
    QString certificateTemplate; // the manager's layout (--template); empty: the built-in one
};

// The command line (without the program name). Help and version need no logs; an argument beginning
// with "-" is an option or an error, never a log, unless it follows "--". error names the offending
// argument when the line is refused; unknownOption tells it was an option nobody knows.
std::optional<CheckOptions> parseCheckArguments(const QStringList& arguments,
                                                const QString& defaultDataFolder, QString& error,
                                                int defaultLanguageOffset = 0, bool* unknownOption = nullptr);

// The language of the environment: the first of LC_ALL, LC_MESSAGES and LANG that is set decides,
// Italian when it begins with "it", English otherwise.
int languageOffsetOfLocale(const QByteArray& lcAll, const QByteArray& lcMessages, const QByteArray& lang);

// The usage line and what each option does, one per line; a build that cannot read mail says so under --mail.
QString checkHelp(const CheckTexts& texts, const QString& defaultDataFolder, bool readsMail = true);

} // namespace qvmd
