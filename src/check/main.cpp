// qvmd-check: the award manager's checker of received logs.
#include "check/MailReader.h"
#include "core/check/CheckRun.h"
#include "core/check/CheckTexts.h"
#include "core/common/VersionInfo.h"
#include "core/platform/Desktop.h"
#include "core/platform/Memory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Written with its length: a value from a log may hold any character.
void print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

// The program's own Data folder: beside the executable, or the installed copy under share.
QString defaultDataFolder() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString beside = programFolder.filePath(QStringLiteral("Data"));
    if (QFileInfo(beside).isDir())
        return beside;
    const QString installed = programFolder.filePath(QStringLiteral("../share/qv-md/Data"));
    if (QFileInfo(installed).isDir())
        return QDir::cleanPath(installed);
    // The build tree's QV_md folder, when run from the build.
    return QDir::cleanPath(programFolder.filePath(QStringLiteral("QV_md/Data")));
}

// Certificates are drawn with fonts and pictures, which only a GUI application offers; a plain run stays
// without one.
bool drawsCertificates(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            return false;
        if (std::strcmp(argv[i], "--certificates") == 0 || std::strcmp(argv[i], "--template") == 0)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    qvmd::platform::keepFreedMemory();
    std::unique_ptr<QCoreApplication> application;
    if (drawsCertificates(argc, argv)) {
        qvmd::platform::preferOffscreenDrawing();
        qvmd::platform::provideRuntimeFolder();
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const int localeOffset =
        qvmd::languageOffsetOfLocale(qgetenv("LC_ALL"), qgetenv("LC_MESSAGES"), qgetenv("LANG"));
    const QString dataFolder = defaultDataFolder();
    const std::unique_ptr<qvmd::MailSource> mail = makeMailReader();
    if (arguments.isEmpty()) {
        print(stderr, qvmd::checkHelp(qvmd::CheckTexts(localeOffset), dataFolder, mail != nullptr));
        return 2;
    }
    QString error;
    bool unknownOption = false;
    const std::optional<qvmd::CheckOptions> options =
        qvmd::parseCheckArguments(arguments, dataFolder, error, localeOffset, &unknownOption);
    if (!options) {
        // The messages about the arguments themselves follow --lang when it can be read.
        const qsizetype langAt = arguments.indexOf(QStringLiteral("--lang"));
        const QString language = arguments.value(langAt + 1);
        const int offset = langAt < 0                         ? localeOffset
                           : language == QStringLiteral("en") ? 1000
                           : language == QStringLiteral("it") ? 0
                                                              : localeOffset;
        const qvmd::CheckTexts texts(offset);
        print(stderr,
              texts.format(unknownOption ? qvmd::CheckTexts::UnknownOption : qvmd::CheckTexts::BadArgument,
                           {error}) +
                  u'\n' + texts.text(qvmd::CheckTexts::Usage) + u'\n');
        return 2;
    }
    const qvmd::CheckTexts texts(options->languageOffset);
    if (options->action == qvmd::CheckOptions::Action::Help) {
        print(stdout, qvmd::checkHelp(texts, dataFolder, mail != nullptr));
        return 0;
    }
    if (options->action == qvmd::CheckOptions::Action::Version) {
        print(stdout, QStringLiteral("qvmd-check %1\n").arg(qvmd::VersionInfo::versionText()));
        return 0;
    }
    const qvmd::CheckOutcome outcome = qvmd::runCheck(
        *options, [](const QString& line) { print(stderr, line + u'\n'); }, mail.get());
    if (!outcome.error.isEmpty())
        print(stderr, outcome.error + u'\n');
    print(stdout, outcome.summary);
    return outcome.exitCode;
}
