#include "net/online_client.h"

#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "core/text/cp1251.h"

namespace orvala::net {

OnlineClient::OnlineClient(online::ServiceAddresses addresses, QObject* parent)
    : QObject(parent), addresses_(std::move(addresses)) {
    network_.setCookieJar(new QNetworkCookieJar(&network_));
    network_.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

OnlineClient::~OnlineClient() {
    for (QNetworkReply* reply : network_.findChildren<QNetworkReply*>()) {
        reply->disconnect(this);
        reply->abort();
    }
    if (running_ > 0) {
        running_ = 0;
        emit busyChanged(false);
    }
}

QNetworkRequest OnlineClient::prepared(const QUrl& url, int timeoutMs) const {
    QNetworkRequest request(url);
    request.setRawHeader("Accept", "text/html, */*");
    request.setRawHeader("Connection", "close");
    request.setTransferTimeout(timeoutMs > 0 ? timeoutMs : online::kDefaultTimeoutMs);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    return request;
}

void OnlineClient::post(const online::Request& r, Callback done, QObject* context) {
    const QUrl url(QString::fromStdString(addresses_.of(r.address) + r.path));
    QNetworkRequest request = prepared(url, r.timeoutMs);
    request.setHeader(QNetworkRequest::UserAgentHeader, QString::fromLatin1(kUserAgent));
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QStringLiteral("application/x-www-form-urlencoded"));
    const std::string body = r.body();
    send(network_.post(request, QByteArray(body.data(), static_cast<qsizetype>(body.size()))), true,
         std::move(done), context);
}

void OnlineClient::fetch(const QUrl& url, int timeoutMs, Callback done, QObject* context) {
    send(network_.get(prepared(url, timeoutMs)), false, std::move(done), context);
}

void OnlineClient::send(QNetworkReply* reply, bool asText, Callback done, QObject* context) {
    const bool withContext = context != nullptr;
    QPointer<QObject> guard(context);
    if (running_++ == 0) emit busyChanged(true);
    // A reply that grows beyond any operation's is cut off as it comes.
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > kMaxReplyBytes) reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, asText, done = std::move(done), guard, withContext] {
                reply->deleteLater();
                const int status =
                    reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
                const bool ok =
                    reply->error() == QNetworkReply::NoError && status >= 200 && status < 300;
                std::string text;
                if (ok) {
                    const QByteArray bytes = reply->readAll();
                    text.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
                    // Replies are read as Windows-1251 text; one that says it is UTF-8 is
                    // converted, anything else is taken byte for byte.
                    const QString type =
                        reply->header(QNetworkRequest::ContentTypeHeader).toString().toLower();
                    if (asText && type.contains(QStringLiteral("utf-8"))) text = utf8ToCp1251(text);
                }
                if (--running_ == 0) emit busyChanged(false);
                if (withContext && !guard) return;
                if (done) done(ok, ok ? text : std::string());
            });
}

void OnlineClient::readConfiguration(const QUrl& page, std::function<void()> done,
                                     QObject* context) {
    fetch(
        page, online::kDefaultTimeoutMs,
        [this, done = std::move(done)](bool ok, const std::string& bytes) {
            // The page is UTF-8 text; its keys and addresses are plain ASCII.
            if (ok) online::applyConfigPage(bytes, addresses_);
            if (done) done();
        },
        context);
}

}  // namespace orvala::net
