#pragma once
// The HTTP front of the service: one event-loop thread accepts connections, reads requests
// within the limits below and hands each through the router to a worker, of the heavy lane for
// a heavy route and of the light lane for the rest; the worker's answer comes back to the loop,
// which writes it. This header keeps the HTTP library out of every other file of the service.
//
// A request over a limit gets a clear status (400, 404, 405, 413, 431, 503) and reaches no
// handler; a client that is too slow to send a whole request within the time-out, or that keeps
// an idle connection open past it, is disconnected. A request whose client has gone, or that
// waited for a worker longer than the time-out, is dropped before its handler runs.

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
    // The last `reservedConnections` of the total are kept for addresses that hold at most
    // `fewConnections`, so that many addresses, each under its own limit, cannot shut out the
    // next player.
    int reservedConnections = 256;
    int fewConnections = 4;
    // Once only the reserve is left, a connection idle this long between requests (or before
    // its first) is closed when the next one arrives, oldest first.
    std::chrono::milliseconds pressureIdle{1000};
    // After an answer to a request that was not read whole (413, 431...), the rest is read and
    // thrown away for this long or this much, so that the client reads the answer, not a reset.
    std::chrono::milliseconds lingerTime{2000};
    std::size_t lingerBytes = 8u << 20;
    // Between tries when accepting fails (out of descriptors, of buffers).
    std::chrono::milliseconds acceptRetry{100};
    // Addresses held only to the total: the operator's own proxies, which carry many players.
    std::vector<std::string> proxies;
};

class HttpServer {
  public:
    // `log` receives one line per answered or dropped request (never its body) and the
    // front's own troubles. `heavy` runs the heavy routes; it may be `light` itself.
    HttpServer(const Router& router, WorkerPool& light, WorkerPool& heavy, HttpLimits limits,
               std::function<void(std::string_view)> log);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Binds and listens; port 0 takes a free port. False, with the reason, when it cannot.
    bool listen(const std::string& address, unsigned short port, std::string& error);
    unsigned short port() const;

    // Runs the event loop on the calling thread until stop() (which any thread may call), or
    // until one of the signals given to stopOnSignals() arrives. An exception that escapes a
    // handler of the loop is logged and the loop goes on.
    void run();
    void stop();
    void stopOnSignals(std::initializer_list<int> signals);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace orvala::service
