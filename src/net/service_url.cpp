#include "net/service_url.h"

#include <QtGlobal>

#include "core/online/service_addresses.h"

namespace orvala::net {
namespace {

std::optional<QUrl> urlOf(std::string_view text) {
    const auto base = online::serviceBase(text);
    if (!base) return std::nullopt;
    const QUrl url(QString::fromStdString(*base), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) return std::nullopt;
    return url;
}

}  // namespace

QUrl localServiceUrl() {
    QUrl local;
    local.setScheme("http");
    local.setHost("127.0.0.1");
    local.setPort(kLocalServicePort);
    return local;
}

std::optional<QUrl> serviceOverride() {
    return urlOf(qgetenv("ORVALA_SERVICE").toStdString());
}

QUrl serviceUrl(std::string_view configured) {
    if (auto given = serviceOverride()) return *given;
    if (auto set = urlOf(configured)) return *set;
    return localServiceUrl();
}

}  // namespace orvala::net
