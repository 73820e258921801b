#include "net/page_fetch.h"

#include <QNetworkReply>
#include <QNetworkRequest>

namespace orvala::net {

PageFetch::PageFetch(const QUrl& url, qint64 maxBytes, QObject* parent)
    : QObject(parent), maxBytes_(maxBytes) {
    QNetworkRequest request(url);
    request.setTransferTimeout(kTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    reply_ = network_.get(request);
    connect(reply_, &QNetworkReply::readyRead, this, &PageFetch::onReadyRead);
    connect(reply_, &QNetworkReply::finished, this, &PageFetch::onFinished);
}

PageFetch::~PageFetch() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
    }
}

void PageFetch::onReadyRead() {
    if (tooLarge_ || !reply_) return;
    bytes_ += reply_->readAll();
    if (bytes_.size() > maxBytes_) {
        tooLarge_ = true;
        bytes_.clear();
        reply_->abort();
    }
}

void PageFetch::onFinished() {
    if (!reply_) return;
    onReadyRead();
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok = !tooLarge_ && reply_->error() == QNetworkReply::NoError && status == 200;
    reply_->deleteLater();
    reply_ = nullptr;
    if (!ok) bytes_.clear();
    emit finished(ok, bytes_);
}

QUrl serviceFile(const QUrl& service, const QString& path) {
    QUrl url = service;
    url.setPath(service.path() + path);
    return url;
}

}  // namespace orvala::net
