#include "ui/shell/DesktopCheck.h"

#include "core/common/StringTable.h"
#include "core/common/VersionInfo.h"
#include "core/platform/Desktop.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QMessageLogContext>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    platform::provideRuntimeFolder();
}

bool desktopNamed(int argc, char** argv) {
    return platform::desktopNamed(argc, argv);
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
