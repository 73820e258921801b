// The one file that speaks Boost.Beast. Everything runs on the loop thread except the handlers,
// which run on a worker and post their answer back.

#include "http/http_server.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <cerrno>
#include <list>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

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

constexpr std::uint64_t kSlowestDownloadBytesPerSecond = 16 * 1024;

bool isProxy(const std::string& address, const HttpLimits& limits) {
    return std::find(limits.proxies.begin(), limits.proxies.end(), address) != limits.proxies.end();
}

// Open connections by peer address. Sessions may be let go on a worker thread, hence the lock.
class ConnectionCounts {
  public:
    bool enter(const std::string& address, const HttpLimits& limits) {
        std::lock_guard lock(mutex_);
        const bool proxy = isProxy(address, limits);
        auto it = byAddress_.find(address);
        const int held = it == byAddress_.end() ? 0 : it->second;
        const bool reserveOnly = total_ >= limits.maxConnections - limits.reservedConnections;
        if (total_ >= limits.maxConnections ||
            (!proxy && held >= limits.maxConnectionsPerAddress) ||
            (!proxy && reserveOnly && held >= limits.fewConnections))
            return false;
        ++byAddress_[address];
        ++total_;
        return true;
    }
    void leave(const std::string& address) {
        std::lock_guard lock(mutex_);
        auto it = byAddress_.find(address);
        if (it != byAddress_.end() && --it->second == 0) byAddress_.erase(it);
        --total_;
    }
    // True once only the reserve is left.
    bool pressed(const HttpLimits& limits) {
        std::lock_guard lock(mutex_);
        return total_ >= limits.maxConnections - limits.reservedConnections;
    }

  private:
    std::mutex mutex_;
    std::map<std::string, int> byAddress_;
    int total_ = 0;
};

class Session;

// The connections waiting for their next request, oldest first; touched on the loop only.
using IdleList = std::list<Session*>;

struct Shared {
    const Router& router;
    WorkerPool& light;
    WorkerPool& heavy;
    HttpLimits limits;
    std::function<void(std::string_view)> log;
    ConnectionCounts counts;
    net::io_context& loop;
    IdleList idle;
};

class Session : public std::enable_shared_from_this<Session> {
  public:
    Session(tcp::socket socket, Shared& shared, std::string peer)
        : stream_(std::move(socket)), shared_(shared), peer_(std::move(peer)) {}
    ~Session() {
        leaveIdle();
        shared_.counts.leave(peer_);
    }

    void start() { awaitRequest(); }

    // Closes the connection if it has been waiting for a request since before `cutoff`.
    bool idleSince(Clock::time_point cutoff) const { return idleAt_ && idleSince_ < cutoff; }
    void dropIdle() {
        leaveIdle();
        beast::error_code ignored;
        stream_.socket().cancel(ignored);
    }

  private:
    // Between requests, the connection is idle until its first next byte: that is when it may
    // be closed to make room, and when the request's own deadline starts.
    void awaitRequest() {
        logMethod_.clear();
        logPath_.clear();
        started_ = {};
        if (buffer_.size() > 0) return readHeader();  // the next request came with the last
        stream_.expires_after(shared_.limits.requestTimeout);
        idleSince_ = Clock::now();
        idleAt_ = shared_.idle.insert(shared_.idle.end(), this);
        stream_.async_read_some(buffer_.prepare(4096),
                                [self = shared_from_this()](beast::error_code ec, std::size_t n) {
                                    self->leaveIdle();
                                    if (ec) return self->failRead(ec);
                                    self->buffer_.commit(n);
                                    self->readHeader();
                                });
    }

    void leaveIdle() {
        if (!idleAt_) return;
        shared_.idle.erase(*idleAt_);
        idleAt_.reset();
    }

    void readHeader() {
        parser_.emplace();
        parser_->header_limit(static_cast<std::uint32_t>(shared_.limits.maxHeaderBytes));
        // The route's own limit is known only once the path is read; until then, the largest.
        parser_->body_limit(shared_.router.largestBody());
        // One deadline covers the header and the body: a slow sender loses its connection
        // however it trickles the bytes.
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
        WorkerPool& lane = route->heavyFor(request_) ? shared_.heavy : shared_.light;
        // Whose share of the heavy lane the request uses: the player's, behind a proxy too.
        const std::string key = clientAddress(request_, shared_.limits.proxies);
        const auto queuedAt = Clock::now();
        const bool queued = lane.submit(
            [self = shared_from_this(), route, queuedAt, request = std::move(request_)](
                Storage& storage) mutable { self->run(*route, request, storage, queuedAt); },
            key);
        if (!queued) return answerAndClose(errorReply(503, "busy"));
        watchPeer();
    }

    // On a worker.
    void run(const Route& route, const HttpRequest& request, Storage& storage,
             Clock::time_point queuedAt) {
        std::optional<HttpResponse> response;
        if (gone_.load()) {
            // Nobody to answer: the loop has logged it already.
        } else if (Clock::now() - queuedAt > shared_.limits.requestTimeout) {
            // The client has most likely given up; its work would only delay those behind.
            response = errorReply(503, "busy");
        } else {
            try {
                response = route.handler(request, storage);
            } catch (const StorageUnavailable& e) {
                shared_.log(std::string("unavailable: ") + request.path + ": " + e.what());
                response = errorReply(503, "database unavailable");
            } catch (const std::exception& e) {
                shared_.log(std::string("error: ") + request.path + ": " + e.what());
                response = errorReply(500, "server error");
            } catch (...) {
                shared_.log("error: " + request.path + ": an exception of unknown type");
                response = errorReply(500, "server error");
            }
        }
        // Posted even when there is nothing to write, so that the session ends on the loop.
        net::post(shared_.loop,
                  [self = shared_from_this(), response = std::move(response)]() mutable {
                      self->answered(std::move(response));
                  });
    }

    // While a worker has the request, the loop watches the socket: a client that closes (or
    // resets) it meanwhile has its request dropped before its handler runs.
    void watchPeer() {
        watching_ = true;
        stream_.socket().async_wait(
            tcp::socket::wait_read,
            [self = shared_from_this()](beast::error_code ec) { self->onPeerStir(ec); });
    }

    void onPeerStir(beast::error_code ec) {
        if (!watching_ || ec) return;
        char byte;
        const auto n = ::recv(stream_.socket().native_handle(), &byte, 1, MSG_PEEK | MSG_DONTWAIT);
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
            return watchPeer();
        watching_ = false;
        if (n > 0) return;  // the next request already: the client is there
        gone_.store(true);
        logLine(499, 0);
    }

    void answered(std::optional<HttpResponse> response) {
        if (watching_) {
            watching_ = false;
            beast::error_code ignored;
            stream_.socket().cancel(ignored);
        }
        if (gone_.load() || !response) {
            beast::error_code ignored;
            stream_.socket().shutdown(tcp::socket::shutdown_both, ignored);
            return;
        }
        write(std::move(*response), keepAlive_, false);
    }

    void failRead(beast::error_code ec) {
        if (ec == http::error::header_limit)
            return answerAndClose(errorReply(431, "request header too large"));
        if (ec == http::error::body_limit)
            return answerAndClose(errorReply(413, "request body too large"));
        // A time-out, a peer that went away, a connection closed to make room or bytes that are
        // not HTTP: nothing to answer to a peer that may not even be listening, except a plain
        // refusal of garbage.
        if (ec == beast::error::timeout || ec == http::error::end_of_stream ||
            ec == net::error::eof || ec == net::error::connection_reset ||
            ec == net::error::operation_aborted) {
            beast::error_code ignored;
            stream_.socket().shutdown(tcp::socket::shutdown_both, ignored);
            return;
        }
        answerAndClose(errorReply(400, "bad request"));
    }

    // The request was not read whole, so what the client still sends is read and dropped.
    void answerAndClose(HttpResponse response) {
        if (started_ == Clock::time_point{}) started_ = Clock::now();
        write(std::move(response), false, true);
    }

    void write(HttpResponse response, bool keepAlive, bool linger) {
        const int status = response.status;
        stream_.expires_after(shared_.limits.requestTimeout);
        auto done = [self = shared_from_this(), keepAlive, linger](beast::error_code ec,
                                                                   std::size_t) {
            self->response_.reset();
            self->fileResponse_.reset();
            if (!ec && keepAlive) return self->awaitRequest();
            beast::error_code ignored;
            self->stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
            if (!ec && linger) self->lingerThenClose();
        };
        if (response.file) {
            beast::file body;
            const int fd = ::dup(response.file->fd());
            beast::error_code ec;
            if (fd >= 0) {
                body.native_handle(fd);
                fileResponse_.emplace(static_cast<http::status>(status), 11);
                fileResponse_->body().reset(std::move(body), ec);
            }
            if (fd < 0 || ec) {
                fileResponse_.reset();
                return write(errorReply(500, "server error"), false, false);
            }
            setHeaders(*fileResponse_, response.contentType, keepAlive);
            logLine(status, fileResponse_->body().size());
            // A download may take a slow line far longer than a request; it must only keep
            // up a modest pace, as an idle reader still holds a connection.
            stream_.expires_after(shared_.limits.requestTimeout +
                                  std::chrono::seconds(fileResponse_->body().size() /
                                                       kSlowestDownloadBytesPerSecond));
            return http::async_write(stream_, *fileResponse_, std::move(done));
        }
        response_.emplace(static_cast<http::status>(status), 11);
        response_->body() = std::move(response.body);
        setHeaders(*response_, response.contentType, keepAlive);
        logLine(status, response_->body().size());
        http::async_write(stream_, *response_, std::move(done));
    }

    template <class Message>
    static void setHeaders(Message& m, const std::string& contentType, bool keepAlive) {
        m.set(http::field::server, "orvala-service");
        m.set(http::field::content_type, contentType);
        // Every answer is exactly the type it names: a browser never guesses a picture or a
        // text into something it would run.
        m.set("X-Content-Type-Options", "nosniff");
        m.keep_alive(keepAlive);
        m.prepare_payload();
    }

    // Reads and drops what the client still sends, within bounds, so that closing with unread
    // bytes does not reset the connection before the client has read the answer.
    void lingerThenClose() {
        stream_.expires_after(shared_.limits.lingerTime);
        discard_.resize(16 * 1024);
        lingerRead();
    }
    void lingerRead() {
        stream_.async_read_some(net::buffer(discard_),
                                [self = shared_from_this()](beast::error_code ec, std::size_t n) {
                                    self->lingered_ += n;
                                    if (ec || self->lingered_ >= self->shared_.limits.lingerBytes)
                                        return;
                                    self->lingerRead();
                                });
    }

    void logLine(int status, std::size_t bytes) {
        if (started_ == Clock::time_point{}) started_ = Clock::now();
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
    std::optional<http::response<http::file_body>> fileResponse_;
    HttpRequest request_;
    std::string logMethod_, logPath_;  // the request itself goes to a worker
    const Route* route_ = nullptr;
    bool keepAlive_ = false;
    bool watching_ = false;
    std::atomic<bool> gone_{false};  // read by the worker
    Clock::time_point started_{};
    std::optional<IdleList::iterator> idleAt_;
    Clock::time_point idleSince_{};
    std::vector<char> discard_;
    std::size_t lingered_ = 0;
};

}  // namespace

struct HttpServer::Impl {
    Impl(const Router& router, WorkerPool& light, WorkerPool& heavy, HttpLimits limits,
         std::function<void(std::string_view)> log)
        : shared{router, light, heavy, limits, std::move(log), {}, loop, {}} {}

    void accept() {
        acceptor.async_accept(
            net::make_strand(loop), [this](beast::error_code ec, tcp::socket socket) {
                if (ec == net::error::operation_aborted) return;
                if (ec) return retryAccept(ec);
                if (failing) {
                    failing = false;
                    shared.log("accepting connections again");
                }
                beast::error_code peerError;
                const auto peer = socket.remote_endpoint(peerError);
                const std::string address = peerError ? "?" : peer.address().to_string();
                if (shared.counts.pressed(shared.limits)) dropOldIdle();
                if (!peerError && shared.counts.enter(address, shared.limits))
                    std::make_shared<Session>(std::move(socket), shared, address)->start();
                // Over a limit: the socket closes here, unanswered, which costs us nothing.
                accept();
            });
    }

    // Out of descriptors or buffers, accepting again at once would fail again at once and take
    // a whole core; the waiting connections stay in the backlog meanwhile.
    void retryAccept(beast::error_code ec) {
        if (!failing) shared.log("cannot accept a connection: " + ec.message());
        failing = true;
        retry.expires_after(shared.limits.acceptRetry);
        retry.async_wait([this](beast::error_code e) {
            if (!e) accept();
        });
    }

    // With only the reserve left, connections idle for a while make room, oldest first.
    void dropOldIdle() {
        const auto cutoff = Clock::now() - shared.limits.pressureIdle;
        while (!shared.idle.empty() && shared.idle.front()->idleSince(cutoff))
            shared.idle.front()->dropIdle();  // takes itself off the list
    }

    // The loop goes before what its handlers use: sessions still pending in it are let go,
    // and count themselves out, while it is destroyed.
    Shared shared;
    net::io_context loop{1};
    tcp::acceptor acceptor{loop};
    net::signal_set signals{loop};
    net::steady_timer retry{loop};
    bool failing = false;
};

HttpServer::HttpServer(const Router& router, WorkerPool& light, WorkerPool& heavy,
                       HttpLimits limits, std::function<void(std::string_view)> log)
    : impl_(std::make_unique<Impl>(router, light, heavy, limits, std::move(log))) {}

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
    for (;;) {
        try {
            impl_->loop.run();
            return;
        } catch (const std::exception& e) {
            impl_->shared.log(std::string("error in the event loop: ") + e.what());
        } catch (...) {
            impl_->shared.log("error in the event loop: an exception of unknown type");
        }
    }
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
        impl_->retry.cancel();
        impl_->loop.stop();
    });
}

}  // namespace orvala::service
