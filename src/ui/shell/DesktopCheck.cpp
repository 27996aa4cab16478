#include "ui/shell/DesktopCheck.h"

#include "core/common/StringTable.h"
#include "core/common/VersionInfo.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QMessageLogContext>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS) && !defined(Q_OS_ANDROID)
#define QVMD_X11_OR_WAYLAND
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qvmd {

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
QList<HeldMessage>* heldMessages = nullptr;
QByteArray* noDesktopMessage = nullptr;

void duringStart(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        // The toolkit gives up on the window system here and would abort: say it our way and end.
        std::fputs(noDesktopMessage->constData(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    const QByteArray category = context.category ? QByteArray(context.category) : QByteArray();
    if (category.startsWith("qt.qpa")) {
        heldMessages->append({type, category, text});
        return;
    }
    if (previousHandler)
        previousHandler(type, context, text);
}

} // namespace

QString noDesktopText(const QString& program) {
    const StringTable& strings = StringTable::builtIn();
    const QString italian = strings.text(1221).value_or(QString());
    const QString english = strings.text(2221).value_or(QString());
    const QString title = VersionInfo::title();
    return italian.arg(title, program) + QLatin1Char('\n') + english.arg(title, program) + QLatin1Char('\n');
}

void provideRuntimeFolder() {
#ifdef QVMD_X11_OR_WAYLAND
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const passwd* user = ::getpwuid(::geteuid());
    if (!user || !user->pw_name)
        return;
    const QByteArray folder = QFile::encodeName(QDir::tempPath() + QStringLiteral("/runtime-") +
                                                QString::fromLocal8Bit(user->pw_name));
    ::mkdir(folder.constData(), 0700);
    struct stat status {};
    // Anything else (another owner, open to others, a link) is left for the toolkit to report.
    if (::lstat(folder.constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != ::geteuid() || (status.st_mode & 0077) != 0)
        return;
    qputenv("XDG_RUNTIME_DIR", folder);
#endif
}

bool desktopNamed(int argc, char** argv) {
#ifdef QVMD_X11_OR_WAYLAND
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    }
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return true;
#endif
}

DesktopStartGuard::DesktopStartGuard(const QString& program) {
    heldMessages = new QList<HeldMessage>;
    noDesktopMessage = new QByteArray(noDesktopText(program).toLocal8Bit());
    previousHandler = qInstallMessageHandler(duringStart);
}

DesktopStartGuard::~DesktopStartGuard() {
    qInstallMessageHandler(previousHandler);
    // The start succeeded: what the window system said is not hidden.
    for (const HeldMessage& held : *heldMessages) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.constData());
        qt_message_output(held.type, context, held.text);
    }
    delete heldMessages;
    delete noDesktopMessage;
    heldMessages = nullptr;
    noDesktopMessage = nullptr;
}

} // namespace qvmd
