#pragma once
// The table of the service's paths: each route names its method, its path (or a path prefix
// such as "/files/"), the largest body it takes and the handler that answers it. Handlers run on
// a worker thread with that worker's storage connection; the router itself holds no state and is
// read by the event loop and every worker at once.

#include <cstddef>
#include <functional>
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
};

class Router {
  public:
    void add(Route route) { routes_.push_back(std::move(route)); }

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
