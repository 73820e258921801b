#pragma once
// The addresses a host tells its friends: this machine's IPv4 addresses from the interface list,
// its address as the Internet sees it (the web service's "get_ip.php"), and the loopback.

#include <QString>
#include <QStringList>
#include <functional>

class QObject;

namespace orvala::net {

class OnlineClient;

// The IPv4 addresses of this machine's interfaces, the loopback left out (it is listed last).
QStringList interfaceAddresses();

// The address the web service sees this machine come from, or an empty text when the service
// does not answer or answers with something that is no address. Nothing is told once `context`
// is gone.
void externalAddress(OnlineClient& client, const QString& serviceBase,
                     std::function<void(QString)> done, QObject* context);

}  // namespace orvala::net
