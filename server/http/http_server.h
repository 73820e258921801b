#pragma once
// The HTTP front of the service: one event-loop thread accepts connections, reads requests
// within the limits below and hands each to the worker pool through the router; the worker's
// answer comes back to the loop, which writes it. This header keeps the HTTP library out of
// every other file of the service.
//
// A request over a limit gets a clear status (400, 404, 405, 413, 431, 503) and reaches no
// handler; a client that is too slow to send a whole request within the time-out, or that keeps
// an idle connection open past it, is disconnected.

#include <chrono>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvala::service {

class Router;
class WorkerPool;

struct HttpLimits {
    std::size_t maxHeaderBytes = 8 * 1024;
    std::chrono::milliseconds requestTimeout{10000};  // a whole request, and an idle keep-alive
    int maxConnectionsPerAddress = 64;
    int maxConnections = 2048;
    // Addresses held only to the total: the operator's own proxies, which carry many players.
    std::vector<std::string> proxies;
};

class HttpServer {
  public:
    // `log` receives one line per answered request (never its body).
    HttpServer(const Router& router, WorkerPool& workers, HttpLimits limits,
               std::function<void(std::string_view)> log);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Binds and listens; port 0 takes a free port. False, with the reason, when it cannot.
    bool listen(const std::string& address, unsigned short port, std::string& error);
    unsigned short port() const;

    // Runs the event loop on the calling thread until stop() (which any thread may call), or
    // until one of the signals given to stopOnSignals() arrives.
    void run();
    void stop();
    void stopOnSignals(std::initializer_list<int> signals);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace orvala::service
