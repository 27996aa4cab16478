#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>

#include <memory>

class QTcpSocket;

namespace qvmd::test {

// A tiny HTTP server on 127.0.0.1 with canned answers by path, for the update tests.
class LocalHttpServer : public QObject {
    Q_OBJECT
public:
    struct Response {
        enum class Mode {
            Whole,       // status line, headers and the whole body
            Silent,      // accepts the connection and never answers
            Truncate,    // announces more bytes than it sends, then closes
            Hangup,      // closes without a word
            Unannounced, // sends no length, then the first half of the body, then closes
            Chunked,     // sends the whole body in chunks of at most 16 bytes, with no length
        };
        int status = 200;
        QByteArray body;
        QByteArray contentType = "text/plain";
        Mode mode = Mode::Whole;
        QByteArray location = {}; // sent as the Location header when not empty (a redirect)
    };

    // With a certificate and key (PEM files) it answers over TLS, and its addresses start with https.
    LocalHttpServer(const QString& certificateFile = QString(), const QString& keyFile = QString());

    // The base address as Md.ini would hold it, ending in "/files/".
    QString baseAddress() const;
    quint16 port() const { return server_->serverPort(); }

    void serve(const QString& path, Response response) { responses_[path] = std::move(response); }
    void serve(const QString& path, const QByteArray& body) { serve(path, Response{200, body}); }
    void serveManifest(const QByteArray& body) { serve(QStringLiteral("/download/Aggior_MD.dat"), body); }
    void serveFile(const QString& name, Response response) {
        serve(QStringLiteral("/files/") + name, std::move(response));
    }

    // Paths asked for, in order.
    QStringList requests;

private:
    void onConnection();
    void answer(QTcpSocket* socket);

    std::unique_ptr<QTcpServer> server_;
    QString scheme_ = QStringLiteral("http");
    QHash<QString, Response> responses_;
};

// A port on 127.0.0.1 where nothing listens.
quint16 closedPort();

} // namespace qvmd::test
