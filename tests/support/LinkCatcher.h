#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

#include <utility>

namespace qvmd::test {

// Catches the links a window hands to the desktop, for the schemes given, instead of opening them.
class LinkCatcher : public QObject {
    Q_OBJECT
public:
    explicit LinkCatcher(QStringList schemes = {QStringLiteral("mailto"), QStringLiteral("http"),
                                                QStringLiteral("https")})
        : schemes_(std::move(schemes)) {
        for (const QString& scheme : std::as_const(schemes_))
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~LinkCatcher() override {
        for (const QString& scheme : std::as_const(schemes_))
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }

private:
    QStringList schemes_;
};

// Catches the mail links only.
class MailCatcher : public LinkCatcher {
public:
    MailCatcher() : LinkCatcher({QStringLiteral("mailto")}) {}
};

} // namespace qvmd::test
