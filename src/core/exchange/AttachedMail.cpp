#include "core/exchange/AttachedMail.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

namespace qvmd {

QString AttachedMail::findHelper() {
    return QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
}

bool AttachedMail::takesRecipient(const QString& address) {
    // An address from Md.ini that starts like an option would be taken as one.
    return !address.trimmed().startsWith(QLatin1Char('-'));
}

QStringList AttachedMail::arguments(const QString& address, const QString& subject, const QString& body,
                                    const QString& attachment) {
    const QString recipient = address.trimmed();
    if (!takesRecipient(recipient))
        return {};
    QStringList args{QStringLiteral("--subject"), subject,   QStringLiteral("--body"), body,
                     QStringLiteral("--attach"),  attachment};
    if (!recipient.isEmpty())
        args.append(recipient);
    return args;
}

AttachedMail::AttachedMail(QObject* parent) : QObject(parent) {
    settle_.setSingleShot(true);
    settle_.setInterval(settleMilliseconds);
    connect(&settle_, &QTimer::timeout, this, &AttachedMail::settle);
}

AttachedMail::~AttachedMail() {
    // A helper still running belongs to the mail program now; it must not be killed with this object.
    if (process_ && process_->state() != QProcess::NotRunning) {
        process_->disconnect(this);
        process_->setParent(QCoreApplication::instance());
        connect(process_, &QProcess::finished, process_, &QObject::deleteLater);
        connect(process_, &QProcess::errorOccurred, process_, &QObject::deleteLater);
    }
}

bool AttachedMail::start(const QString& helper, const QStringList& arguments) {
    if (helper.isEmpty() || arguments.isEmpty() || process_)
        return false;
    process_ = new QProcess(this);
    process_->setProcessChannelMode(QProcess::ForwardedChannels);
    process_->setStandardInputFile(QProcess::nullDevice());
    connect(process_, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        finish(status == QProcess::NormalExit && exitCode == 0);
    });
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish(false);
    });
    process_->start(helper, arguments);
    settle_.start();
    return true;
}

void AttachedMail::settle() {
    finish(true);
}

void AttachedMail::finish(bool handedOver) {
    if (finished_)
        return;
    finished_ = true;
    settle_.stop();
    emit done(handedOver);
}

} // namespace qvmd
