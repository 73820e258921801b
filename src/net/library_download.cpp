#include "net/library_download.h"

#include <QDir>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace orvala::net {

LibraryDownload::LibraryDownload(const QUrl& service, const QString& file, const QString& folder,
                                 QObject* parent)
    : QObject(parent) {
    out_ = std::make_unique<QSaveFile>(QDir(folder).filePath(file));
    // Only a plain file name is fetched: a name with a path in it never leaves the folder.
    if (file.isEmpty() || file.contains('/') || file.contains('\\') || file.startsWith('.') ||
        !out_->open(QIODevice::WriteOnly)) {
        failed_ = true;
        QMetaObject::invokeMethod(
            this, [this] { emit finished(false); }, Qt::QueuedConnection);
        return;
    }
    QUrl url = service;
    url.setPath(service.path() + "/files/" + file);
    QNetworkRequest request(url);
    request.setTransferTimeout(kTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    reply_ = network_.get(request);
    connect(reply_, &QNetworkReply::readyRead, this, &LibraryDownload::onReadyRead);
    connect(reply_, &QNetworkReply::finished, this, &LibraryDownload::onFinished);
}

LibraryDownload::~LibraryDownload() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
    }
    if (out_) out_->cancelWriting();
}

void LibraryDownload::onReadyRead() {
    if (failed_ || !reply_) return;
    const QByteArray bytes = reply_->readAll();
    received_ += bytes.size();
    if (received_ > kMaxBytes || out_->write(bytes) != bytes.size()) {
        failed_ = true;
        reply_->abort();
    }
}

void LibraryDownload::onFinished() {
    if (!reply_) return;
    onReadyRead();
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    const bool whole = !length.isValid() || length.toLongLong() == received_;
    const bool ok = !failed_ && reply_->error() == QNetworkReply::NoError && status == 200 &&
                    received_ > 0 && whole;
    reply_->deleteLater();
    reply_ = nullptr;
    if (!ok) {
        fail();
        return;
    }
    const bool written = out_->commit();
    out_.reset();
    emit finished(written);
}

void LibraryDownload::fail() {
    failed_ = true;
    if (out_) out_->cancelWriting();
    out_.reset();
    emit finished(false);
}

}  // namespace orvala::net
