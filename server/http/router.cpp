#include "http/router.h"

#include <algorithm>

namespace orvala::service {

bool Router::matches(const Route& r, std::string_view path) const {
    if (!r.prefix) return path == r.path;
    return path.size() > r.path.size() && path.starts_with(r.path);
}

const Route* Router::find(std::string_view method, std::string_view path) const {
    const Route* byPrefix = nullptr;
    for (const Route& r : routes_) {
        if (r.method != method || !matches(r, path)) continue;
        if (!r.prefix) return &r;
        if (!byPrefix) byPrefix = &r;
    }
    return byPrefix;
}

bool Router::markHeavy(std::initializer_list<std::string_view> paths) {
    bool all = true;
    for (std::string_view path : paths) {
        bool found = false;
        for (Route& r : routes_) {
            if (r.path != path) continue;
            r.heavy = true;
            found = true;
        }
        all = all && found;
    }
    return all;
}

bool Router::markHeavyWhen(std::string_view path, std::function<bool(const HttpRequest&)> when) {
    bool found = false;
    for (Route& r : routes_) {
        if (r.path != path) continue;
        r.heavy = true;
        r.heavyWhen = when;
        found = true;
    }
    return found;
}

bool Router::knowsPath(std::string_view path) const {
    for (const Route& r : routes_)
        if (matches(r, path)) return true;
    return false;
}

std::size_t Router::largestBody() const {
    std::size_t most = 0;
    for (const Route& r : routes_) most = std::max(most, r.maxBody);
    return most;
}

}  // namespace orvala::service
