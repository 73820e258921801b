#include "net/service_url.h"

#include <QtGlobal>

namespace orvala::net {

QUrl serviceUrl() {
    const QUrl given(qEnvironmentVariable("ORVALA_SERVICE"), QUrl::StrictMode);
    if (given.isValid() && (given.scheme() == "http" || given.scheme() == "https") &&
        !given.host().isEmpty()) {
        QUrl base = given;
        QString path = base.path();
        while (path.endsWith('/')) path.chop(1);
        base.setPath(path);
        return base;
    }
    QUrl local;
    local.setScheme("http");
    local.setHost("127.0.0.1");
    local.setPort(kLocalServicePort);
    return local;
}

}  // namespace orvala::net
