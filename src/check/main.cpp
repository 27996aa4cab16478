// qvmd-check: the award manager's checker of received logs.
#include "core/check/CheckRun.h"
#include "core/check/CheckTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
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

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    // The language of the messages about the arguments themselves follows --lang when it can be read.
    const qsizetype langAt = arguments.indexOf(QStringLiteral("--lang"));
    const int offset = langAt >= 0 && arguments.value(langAt + 1) == QStringLiteral("en") ? 1000 : 0;
    const qvmd::CheckTexts texts(offset);
    QString error;
    const std::optional<qvmd::CheckOptions> options =
        qvmd::parseCheckArguments(arguments, defaultDataFolder(), error);
    if (!options) {
        print(stderr, texts.text(qvmd::CheckTexts::BadArgument).arg(error) + u'\n' +
                          texts.text(qvmd::CheckTexts::Usage) + u'\n');
        return 2;
    }
    const qvmd::CheckOutcome outcome =
        qvmd::runCheck(*options, [](const QString& line) { print(stderr, line + u'\n'); });
    if (!outcome.error.isEmpty())
        print(stderr, outcome.error + u'\n');
    print(stdout, outcome.summary);
    return outcome.exitCode;
}
