#pragma once
// The one client of the web service that the window owns (the tool makes its own): it posts the
// operations of core/online and fetches plain pages, on Qt Network, without ever waiting for a
// reply. Each call answers exactly once through its callback, later, from the event loop: with
// the reply as Windows-1251 text, or as a failure (no connection, the time-out, an HTTP error
// status, a reply too large for any operation). Nothing is sent again by itself: every request
// goes on a connection of its own ("Connection: close"), so no stale kept-alive connection can
// make the network layer send a post a second time.
//
// Posted operations go out as "ZorSpecAccess"; plain fetches keep Qt's own user agent. Cookies
// are kept for the life of the client. `busyChanged` tells the window when requests are under
// way, for the busy cursor.

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <functional>
#include <string>

#include "core/online/request.h"
#include "core/online/service_addresses.h"

class QNetworkReply;
class QNetworkRequest;

namespace orvala::net {

inline constexpr const char* kUserAgent = "ZorSpecAccess";
inline constexpr qint64 kMaxReplyBytes = qint64{4} << 20;

class OnlineClient final : public QObject {
    Q_OBJECT
  public:
    // `ok` false: the exchange failed and `reply` is empty.
    using Callback = std::function<void(bool ok, const std::string& reply)>;

    explicit OnlineClient(online::ServiceAddresses addresses, QObject* parent = nullptr);
    // Requests under way are dropped without answering; a busy client says it is idle.
    ~OnlineClient() override;

    const online::ServiceAddresses& addresses() const { return addresses_; }
    void setAddresses(online::ServiceAddresses a) { addresses_ = std::move(a); }

    // Posts `request` to its address. When `context` is given and is gone by the time the reply
    // comes, the callback is dropped.
    void post(const online::Request& request, Callback done, QObject* context = nullptr);
    // A plain GET; the reply's bytes as they came.
    void fetch(const QUrl& url, int timeoutMs, Callback done, QObject* context = nullptr);
    // Reads the configuration page at `page` and applies it to the addresses (a page that could
    // not be read changes nothing); `done` follows either way.
    void readConfiguration(const QUrl& page, std::function<void()> done,
                           QObject* context = nullptr);

    int running() const { return running_; }

  signals:
    void busyChanged(bool busy);

  private:
    void send(QNetworkReply* reply, bool asText, Callback done, QObject* context);
    QNetworkRequest prepared(const QUrl& url, int timeoutMs) const;

    QNetworkAccessManager network_;
    online::ServiceAddresses addresses_;
    int running_ = 0;
};

}  // namespace orvala::net
