// The one file that speaks Boost.Beast. Everything runs on the loop thread except the handlers,
// which run on the worker pool and post their answer back.

#include "http/http_server.h"

#include <algorithm>
#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <map>
#include <mutex>
#include <optional>

#include "http/http_message.h"
#include "http/router.h"
#include "http/worker_pool.h"
#include "storage/storage.h"

namespace orvala::service {

namespace beast = boost::beast;
namespace http = boost::beast::http;
namespace net = boost::asio;
using tcp = net::ip::tcp;
using Clock = std::chrono::steady_clock;

namespace {

// Open connections by peer address. Sessions may be let go on a worker thread, hence the lock.
class ConnectionCounts {
  public:
    bool enter(const std::string& address, const HttpLimits& limits) {
        std::lock_guard lock(mutex_);
        const bool proxy = std::find(limits.proxies.begin(), limits.proxies.end(), address) !=
                           limits.proxies.end();
        int& n = byAddress_[address];
        if (total_ >= limits.maxConnections || (!proxy && n >= limits.maxConnectionsPerAddress)) {
            if (n == 0) byAddress_.erase(address);
            return false;
        }
        ++n;
        ++total_;
        return true;
    }
    void leave(const std::string& address) {
        std::lock_guard lock(mutex_);
        auto it = byAddress_.find(address);
        if (it != byAddress_.end() && --it->second == 0) byAddress_.erase(it);
        --total_;
    }

  private:
    std::mutex mutex_;
    std::map<std::string, int> byAddress_;
    int total_ = 0;
};

struct Shared {
    const Router& router;
    WorkerPool& workers;
    HttpLimits limits;
    std::function<void(std::string_view)> log;
    ConnectionCounts counts;
    net::io_context& loop;
};

class Session : public std::enable_shared_from_this<Session> {
  public:
    Session(tcp::socket socket, Shared& shared, std::string peer)
        : stream_(std::move(socket)), shared_(shared), peer_(std::move(peer)) {}
    ~Session() { shared_.counts.leave(peer_); }

    void start() { readHeader(); }

  private:
    void readHeader() {
        logMethod_.clear();
        logPath_.clear();
        parser_.emplace();
        parser_->header_limit(static_cast<std::uint32_t>(shared_.limits.maxHeaderBytes));
        // The route's own limit is known only once the path is read; until then, the largest.
        parser_->body_limit(shared_.router.largestBody());
        // One deadline covers the header, the body and the wait for them: a slow sender loses
        // its connection however it trickles the bytes.
        stream_.expires_after(shared_.limits.requestTimeout);
        http::async_read_header(
            stream_, buffer_, *parser_,
            [self = shared_from_this()](beast::error_code ec, std::size_t) { self->onHeader(ec); });
    }

    void onHeader(beast::error_code ec) {
        if (ec) return failRead(ec);
        started_ = Clock::now();
        const auto& h = parser_->get();
        std::string target(h.target());
        const auto q = target.find('?');
        request_ = {};
        request_.method = std::string(h.method_string());
        request_.path = target.substr(0, q);
        if (q != std::string::npos) request_.query = target.substr(q + 1);
        request_.peerAddress = peer_;
        logMethod_ = request_.method;
        logPath_ = request_.path;
        if (auto it = h.find("X-Forwarded-For"); it != h.end())
            request_.forwardedFor = std::string(it->value());
        if (auto it = h.find(http::field::content_type); it != h.end())
            request_.contentType = std::string(it->value());
        keepAlive_ = h.keep_alive();

        route_ = shared_.router.find(request_.method, request_.path);
        if (!route_) {
            const bool known = shared_.router.knowsPath(request_.path);
            return answerAndClose(known ? errorReply(405, "method not allowed")
                                        : errorReply(404, "not found"));
        }
        if (const auto length = parser_->content_length(); length && *length > route_->maxBody)
            return answerAndClose(errorReply(413, "request body too large"));
        parser_->body_limit(route_->maxBody);
        if (parser_->is_done()) return onBody({});
        http::async_read(
            stream_, buffer_, *parser_,
            [self = shared_from_this()](beast::error_code ec, std::size_t) { self->onBody(ec); });
    }

    void onBody(beast::error_code ec) {
        if (ec == http::error::body_limit)
            return answerAndClose(errorReply(413, "request body too large"));
        if (ec) return failRead(ec);
        stream_.expires_never();
        request_.body = std::move(parser_->get().body());
        const Route* route = route_;
        auto self = shared_from_this();
        const bool queued = shared_.workers.submit(
            [self, route, request = std::move(request_)](Storage& storage) mutable {
                HttpResponse response;
                try {
                    response = route->handler(request, storage);
                } catch (const StorageUnavailable& e) {
                    self->shared_.log(std::string("unavailable: ") + e.what());
                    response = errorReply(503, "database unavailable");
                } catch (const std::exception& e) {
                    self->shared_.log(std::string("error: ") + e.what());
                    response = errorReply(500, "server error");
                }
                net::post(self->shared_.loop, [self, response = std::move(response)]() mutable {
                    self->write(std::move(response), self->keepAlive_);
                });
            });
        if (!queued) answerAndClose(errorReply(503, "busy"));
    }

    void failRead(beast::error_code ec) {
        if (ec == http::error::header_limit)
            return answerAndClose(errorReply(431, "request header too large"));
        if (ec == http::error::body_limit)
            return answerAndClose(errorReply(413, "request body too large"));
        // A time-out, a peer that went away or bytes that are not HTTP: nothing to answer to
        // a peer that may not even be listening, except a plain refusal of garbage.
        if (ec == beast::error::timeout || ec == http::error::end_of_stream ||
            ec == net::error::eof || ec == net::error::connection_reset) {
            beast::error_code ignored;
            stream_.socket().shutdown(tcp::socket::shutdown_both, ignored);
            return;
        }
        answerAndClose(errorReply(400, "bad request"));
    }

    void answerAndClose(HttpResponse response) {
        if (started_ == Clock::time_point{}) started_ = Clock::now();
        write(std::move(response), false);
    }

    void write(HttpResponse response, bool keepAlive) {
        const int status = response.status;
        response_.emplace(static_cast<http::status>(status), 11);
        response_->set(http::field::server, "orvala-service");
        response_->set(http::field::content_type, response.contentType);
        response_->body() = std::move(response.body);
        response_->keep_alive(keepAlive);
        response_->prepare_payload();
        logLine(status, response_->body().size());
        stream_.expires_after(shared_.limits.requestTimeout);
        http::async_write(
            stream_, *response_,
            [self = shared_from_this(), keepAlive](beast::error_code ec, std::size_t) {
                if (ec || !keepAlive) {
                    beast::error_code ignored;
                    self->stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
                    return;
                }
                self->started_ = {};
                self->readHeader();
            });
    }

    void logLine(int status, std::size_t bytes) {
        const auto us =
            std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started_).count();
        std::string line = peer_ + ' ' + (logMethod_.empty() ? "-" : logMethod_) + ' ' +
                           (logPath_.empty() ? "-" : logPath_) + ' ' + std::to_string(status) +
                           ' ' + std::to_string(bytes) + ' ' + std::to_string(us / 1000) + '.' +
                           std::to_string(us % 1000 / 100) + "ms";
        shared_.log(line);
    }

    beast::tcp_stream stream_;
    Shared& shared_;
    std::string peer_;
    beast::flat_buffer buffer_;
    std::optional<http::request_parser<http::string_body>> parser_;
    std::optional<http::response<http::string_body>> response_;
    HttpRequest request_;
    std::string logMethod_, logPath_;  // the request itself goes to a worker
    const Route* route_ = nullptr;
    bool keepAlive_ = false;
    Clock::time_point started_{};
};

}  // namespace

struct HttpServer::Impl {
    Impl(const Router& router, WorkerPool& workers, HttpLimits limits,
         std::function<void(std::string_view)> log)
        : shared{router, workers, limits, std::move(log), {}, loop} {}

    void accept() {
        acceptor.async_accept(
            net::make_strand(loop), [this](beast::error_code ec, tcp::socket socket) {
                if (ec == net::error::operation_aborted) return;
                if (!ec) {
                    beast::error_code peerError;
                    const auto peer = socket.remote_endpoint(peerError);
                    const std::string address = peerError ? "?" : peer.address().to_string();
                    if (!peerError && shared.counts.enter(address, shared.limits))
                        std::make_shared<Session>(std::move(socket), shared, address)->start();
                    // Over the limit: the socket closes here, unanswered, which costs us nothing.
                }
                accept();
            });
    }

    // The loop goes before what its handlers use: sessions still pending in it are let go,
    // and count themselves out, while it is destroyed.
    Shared shared;
    net::io_context loop{1};
    tcp::acceptor acceptor{loop};
    net::signal_set signals{loop};
};

HttpServer::HttpServer(const Router& router, WorkerPool& workers, HttpLimits limits,
                       std::function<void(std::string_view)> log)
    : impl_(std::make_unique<Impl>(router, workers, limits, std::move(log))) {}

HttpServer::~HttpServer() = default;

bool HttpServer::listen(const std::string& address, unsigned short port, std::string& error) {
    beast::error_code ec;
    const auto ip = net::ip::make_address(address, ec);
    if (ec) {
        error = "not an IP address: " + address;
        return false;
    }
    const tcp::endpoint endpoint(ip, port);
    auto& a = impl_->acceptor;
    a.open(endpoint.protocol(), ec);
    if (!ec) a.set_option(net::socket_base::reuse_address(true), ec);
    if (!ec) a.bind(endpoint, ec);
    if (!ec) a.listen(net::socket_base::max_listen_connections, ec);
    if (ec) {
        error = "cannot listen on " + address + ":" + std::to_string(port) + ": " + ec.message();
        return false;
    }
    impl_->accept();
    return true;
}

unsigned short HttpServer::port() const {
    beast::error_code ec;
    return impl_->acceptor.local_endpoint(ec).port();
}

void HttpServer::run() {
    impl_->loop.run();
}

void HttpServer::stopOnSignals(std::initializer_list<int> signals) {
    for (int s : signals) impl_->signals.add(s);
    impl_->signals.async_wait([this](beast::error_code ec, int) {
        if (!ec) stop();
    });
}

void HttpServer::stop() {
    net::post(impl_->loop, [this] {
        beast::error_code ignored;
        impl_->acceptor.close(ignored);
        impl_->signals.cancel(ignored);
        impl_->loop.stop();
    });
}

}  // namespace orvala::service
