#include "support/LocalHttpServer.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpSocket>

#include <stdexcept>

namespace qvmd::test {

namespace {

QByteArray reason(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

} // namespace

LocalHttpServer::LocalHttpServer(const QString& certificateFile, const QString& keyFile) {
    if (certificateFile.isEmpty()) {
        server_ = std::make_unique<QTcpServer>();
    } else {
        QFile certificate(certificateFile);
        QFile key(keyFile);
        if (!certificate.open(QIODevice::ReadOnly) || !key.open(QIODevice::ReadOnly))
            throw std::runtime_error("cannot read the test certificate");
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setLocalCertificate(QSslCertificate(certificate.readAll(), QSsl::Pem));
        tls.setPrivateKey(QSslKey(key.readAll(), QSsl::Rsa, QSsl::Pem));
        auto server = std::make_unique<QSslServer>();
        server->setSslConfiguration(tls);
        server_ = std::move(server);
        scheme_ = QStringLiteral("https");
    }
    if (!server_->listen(QHostAddress::LocalHost))
        throw std::runtime_error("cannot listen on 127.0.0.1");
    // Emitted once a connection is ready for use, after the handshake when there is one.
    connect(server_.get(), &QTcpServer::pendingConnectionAvailable, this, &LocalHttpServer::onConnection);
}

QString LocalHttpServer::baseAddress() const {
    return QStringLiteral("%1://127.0.0.1:%2/files/").arg(scheme_).arg(port());
}

void LocalHttpServer::onConnection() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void LocalHttpServer::answer(QTcpSocket* socket) {
    // Requests are small; wait until the header block is complete.
    const QByteArray pending = socket->property("pending").toByteArray() + socket->readAll();
    socket->setProperty("pending", pending);
    if (!pending.contains("\r\n\r\n"))
        return;
    const QList<QByteArray> requestLine = pending.left(pending.indexOf("\r\n")).split(' ');
    const QString path = requestLine.size() >= 2 ? QString::fromLatin1(requestLine[1]) : QString();
    requests.append(path);

    Response response{404, "<html><body>Not Found</body></html>", "text/html"};
    if (auto found = responses_.find(path); found != responses_.end())
        response = *found;
    using Mode = Response::Mode;
    if (response.mode == Mode::Silent)
        return;
    if (response.mode == Mode::Hangup) {
        socket->disconnectFromHost();
        return;
    }
    const qsizetype announced = response.body.size() + (response.mode == Mode::Truncate ? 100 : 0);
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reason(response.status) +
                      "\r\nContent-Type: " + response.contentType;
    if (!response.location.isEmpty())
        head += "\r\nLocation: " + response.location;
    QByteArray body = response.body;
    if (response.mode == Mode::Unannounced) {
        body.truncate(body.size() / 2);
    } else if (response.mode == Mode::Chunked) {
        head += "\r\nTransfer-Encoding: chunked";
        body.clear();
        for (qsizetype at = 0; at < response.body.size(); at += 16) {
            const QByteArray chunk = response.body.mid(at, 16);
            body += QByteArray::number(chunk.size(), 16) + "\r\n" + chunk + "\r\n";
        }
        body += "0\r\n\r\n";
    } else {
        head += "\r\nContent-Length: " + QByteArray::number(announced);
    }
    head += "\r\nConnection: close\r\n\r\n";
    socket->write(head + body);
    socket->disconnectFromHost();
}

quint16 closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace qvmd::test
