#include "app/shell.h"

#include <QUrl>

#include "core/settings/settings.h"
#include "net/service_url.h"

namespace orvala::app {

QUrl Shell::serviceUrl() const {
    return net::serviceUrl(settings().ServiceAddress);
}

}  // namespace orvala::app
