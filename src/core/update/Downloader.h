#pragma once

#include "core/update/DownloadFault.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <optional>

class QNetworkReply;

namespace qvmd {

// One HTTP or HTTPS transfer at a time into memory, driven by the reply's signals; never from a cache, never
// through a proxy. The transfer fails when nothing arrives for the timeout.
class Downloader : public QObject {
    Q_OBJECT
public:
    struct Result {
        QUrl url;
        QByteArray body;
        int httpStatus = 0;
        std::optional<DownloadFault> fault;
    };

    static constexpr std::chrono::milliseconds DefaultTimeout{30000};
    // A wrong address cannot fill the memory.
    static constexpr qint64 DefaultByteLimit = 64 * 1024 * 1024;

    explicit Downloader(QObject* parent = nullptr);
    ~Downloader() override;

    void setTimeout(std::chrono::milliseconds timeout) { timer_.setInterval(timeout); }
    // With cutAtLimit the transfer stops at the limit and keeps what it has; otherwise more is a failure.
    void setByteLimit(qint64 limit, bool cutAtLimit) {
        limit_ = limit;
        cutAtLimit_ = cutAtLimit;
    }

    // Starts a transfer; finished() follows once, never from inside this call.
    void get(const QUrl& url);
    bool busy() const { return reply_ != nullptr; }
    const Result& result() const { return result_; }

signals:
    void finished();

private:
    void onReadyRead();
    void onFinished();
    void onTimeout();
    std::optional<DownloadFault> classify(QNetworkReply& reply) const;

    QNetworkAccessManager manager_;
    QNetworkReply* reply_ = nullptr;
    QTimer timer_;
    qint64 limit_ = DefaultByteLimit;
    bool cutAtLimit_ = false;
    bool cut_ = false;
    bool tooLarge_ = false;
    bool timedOut_ = false;
    Result result_;
};

} // namespace qvmd
