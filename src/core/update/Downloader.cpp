#include "core/update/Downloader.h"

#include "core/common/VersionInfo.h"

#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace qvmd {

Downloader::Downloader(QObject* parent) : QObject(parent) {
    manager_.setProxy(QNetworkProxy::NoProxy);
    timer_.setSingleShot(true);
    timer_.setInterval(DefaultTimeout);
    connect(&timer_, &QTimer::timeout, this, &Downloader::onTimeout);
}

Downloader::~Downloader() {
    // A window closed mid-transfer: the reply goes with the manager, and reports to nobody.
    if (reply_) {
        reply_->disconnect();
        reply_->abort();
    }
}

void Downloader::get(const QUrl& url) {
    Q_ASSERT(!reply_);
    result_ = Result{};
    result_.url = url;
    cut_ = tooLarge_ = timedOut_ = false;

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      VersionInfo::title() + QLatin1Char('/') + VersionInfo::versionText());
    // A compressed answer loses its declared length on the way in; the files are small.
    request.setRawHeader("Accept-Encoding", "identity");
    // A move to another address is followed, but never from a secure one to a plain one.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);

    reply_ = manager_.get(request);
    connect(reply_, &QNetworkReply::readyRead, this, &Downloader::onReadyRead);
    connect(reply_, &QNetworkReply::downloadProgress, &timer_, qOverload<>(&QTimer::start));
    connect(reply_, &QNetworkReply::finished, this, &Downloader::onFinished);
    timer_.start();
}

void Downloader::onReadyRead() {
    if (!reply_ || cut_ || tooLarge_)
        return;
    result_.body += reply_->readAll();
    if (result_.body.size() < limit_ || (!cutAtLimit_ && result_.body.size() == limit_))
        return;
    if (cutAtLimit_) {
        result_.body.truncate(limit_);
        cut_ = true;
    } else {
        tooLarge_ = true;
    }
    reply_->abort();
}

void Downloader::onTimeout() {
    if (!reply_)
        return;
    timedOut_ = true;
    reply_->abort();
}

void Downloader::onFinished() {
    timer_.stop();
    QNetworkReply* reply = std::exchange(reply_, nullptr);
    if (!reply)
        return;
    if (!cut_ && !tooLarge_ && !timedOut_)
        result_.body += reply->readAll();
    result_.httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result_.fault = classify(*reply);
    if (result_.fault)
        result_.body.clear();
    reply->deleteLater();
    emit finished();
}

std::optional<DownloadFault> Downloader::classify(QNetworkReply& reply) const {
    using Kind = DownloadFault::Kind;
    const int status = result_.httpStatus;
    // The reason is kept as a code: the window words it in the active language.
    const auto fault = [&](Kind kind) { return DownloadFault{kind, status, QString(), 0, reply.error()}; };
    if (cut_)
        return std::nullopt;
    if (tooLarge_)
        return DownloadFault{Kind::TooLarge, status, QString(), 0};
    if (timedOut_)
        return DownloadFault{Kind::Timeout, status, QString(), 0};
    // A secure address that sends the transfer on to a plain one is refused, whatever status came with it.
    if (reply.error() == QNetworkReply::InsecureRedirectError)
        return fault(Kind::InsecureRedirect);
    // Redirects are followed, so a 3xx here is one that could not be.
    if (status >= 300)
        return fault(Kind::HttpStatus);
    switch (reply.error()) {
    case QNetworkReply::NoError:
        break;
    case QNetworkReply::SslHandshakeFailedError:
        return fault(Kind::Secure);
    default:
        // Headers came, then the connection broke: part of the file arrived.
        return fault(status != 0 ? Kind::Truncated : Kind::NoConnection);
    }
    if (status != 0 && (status < 200 || status >= 300))
        return fault(Kind::HttpStatus);
    const QVariant length = reply.header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && result_.body.size() < length.toLongLong())
        return DownloadFault{Kind::Truncated, status, QString(), 0};
    // Without a length or chunks, the end of the body is only the connection closing, which a cut looks
    // like too. HTTP/2 frames its streams, so a cut there is an error.
    const bool framed = length.isValid() ||
                        reply.attribute(QNetworkRequest::Http2WasUsedAttribute).toBool() ||
                        reply.rawHeader("Transfer-Encoding").toLower().contains("chunked");
    if (status != 0 && !framed)
        return DownloadFault{Kind::UnknownLength, status, QString(), 0};
    if (result_.body.isEmpty())
        return DownloadFault{Kind::Empty, status, QString(), 0};
    if (reply.header(QNetworkRequest::ContentTypeHeader)
            .toString()
            .contains(QLatin1String("html"), Qt::CaseInsensitive))
        return DownloadFault{Kind::WebPage, status, QString(), 0};
    return std::nullopt;
}

} // namespace qvmd
