#pragma once
// The table of the service's paths: each route names its method, its path (or a path prefix
// such as "/files/"), the largest body it takes and the handler that answers it. Handlers run on
// a worker thread with that worker's storage connection; the router itself holds no state and is
// read by the event loop and every worker at once.
//
// A heavy route is one whose handler checks a password: argon2 takes tens of milliseconds and
// megabytes, so heavy routes run on a lane of workers of their own and a flood of them never
// delays the cheap ones.

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "http/http_message.h"

namespace orvala::service {

class Storage;

using Handler = std::function<HttpResponse(const HttpRequest&, Storage&)>;

struct Route {
    std::string method;
    std::string path;
    bool prefix = false;  // true: every path that starts with `path` (and is longer)
    std::size_t maxBody = 16 * 1024;
    Handler handler;
    bool heavy = false;
    // When set, a request of a heavy route runs on the heavy lane only when this says so (read
    // on the event loop, so it must be cheap): a route that checks a password for some requests
    // only.
    std::function<bool(const HttpRequest&)> heavyWhen = nullptr;

    bool heavyFor(const HttpRequest& request) const {
        return heavy && (!heavyWhen || heavyWhen(request));
    }
};

class Router {
  public:
    void add(Route route) { routes_.push_back(std::move(route)); }

    // Marks every route of these paths heavy. False when a path has no route, so that a
    // renamed path cannot silently fall back to the light lane.
    bool markHeavy(std::initializer_list<std::string_view> paths);
    // Marks the routes of `path` heavy for the requests `when` picks. False when it has no route.
    bool markHeavyWhen(std::string_view path, std::function<bool(const HttpRequest&)> when);

    // The route of a method and a path; an exact path wins over a prefix. nullptr when none.
    const Route* find(std::string_view method, std::string_view path) const;
    // True when some route has this path under another method (the answer is then 405, not 404).
    bool knowsPath(std::string_view path) const;
    // The largest body any route takes.
    std::size_t largestBody() const;

  private:
    bool matches(const Route& r, std::string_view path) const;
    std::vector<Route> routes_;
};

}  // namespace orvala::service
