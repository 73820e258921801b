#include "net/local_addresses.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QUrl>

#include "net/online_client.h"

namespace orvala::net {

QStringList interfaceAddresses() {
    QStringList list;
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback()) list << a.toString();
    return list;
}

void externalAddress(OnlineClient& client, const QString& serviceBase,
                     std::function<void(QString)> done, QObject* context) {
    client.fetch(
        QUrl(serviceBase + "/get_ip.php"), 3000,
        [done = std::move(done)](bool ok, const std::string& reply) {
            const QString text = QString::fromUtf8(reply).trimmed();
            // The reply is shown in a read-only line: only an address is worth it.
            QHostAddress address;
            done(ok && text.size() <= 45 && address.setAddress(text) ? text : QString());
        },
        context);
}

}  // namespace orvala::net
