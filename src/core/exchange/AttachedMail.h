#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class QProcess;

namespace qvmd {

// Hands a mail with the log attached to the user's mail program through the desktop's xdg-email. The
// helper either ends at once (it handed the mail over, or it failed) or keeps running with the mail program
// it started: after a short wait that counts as handed over, and the helper is left to run.
class AttachedMail : public QObject {
    Q_OBJECT
public:
    // How long a helper that has not ended is waited for before the mail counts as handed over.
    static constexpr int settleMilliseconds = 3000;

    // The helper's full path on PATH, or empty when there is none.
    static QString findHelper();
    // Whether the helper can be given this recipient: one that starts like an option cannot.
    static bool takesRecipient(const QString& address);
    // The helper's arguments: subject, body, the attachment and the recipient, each one argument. Empty
    // when the recipient could be read as an option.
    static QStringList arguments(const QString& address, const QString& subject, const QString& body,
                                 const QString& attachment);

    explicit AttachedMail(QObject* parent = nullptr);
    ~AttachedMail() override;

    // Starts the helper; `done` follows once, unless start itself returns false.
    bool start(const QString& helper, const QStringList& arguments);
    // The wait ran out with the helper still running: the mail program has the mail.
    void settle();

signals:
    void done(bool handedOver);

private:
    void finish(bool handedOver);

    QProcess* process_ = nullptr;
    QTimer settle_;
    bool finished_ = false;
};

} // namespace qvmd
