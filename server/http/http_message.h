#pragma once
// The service's own view of one HTTP exchange, free of the HTTP library: what a handler reads
// and what it answers. Bodies and texts are bytes.

#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orvala::service {

struct HttpRequest {
    std::string method;  // "GET", "POST", ...
    std::string path;    // the target without its query
    std::string query;   // after "?", undecoded; empty when there is none
    std::string body;
    std::string peerAddress;   // the socket's peer
    std::string forwardedFor;  // the X-Forwarded-For header as sent, trusted only from a proxy
    std::string contentType;
};

// An open file whose bytes are the answer: the HTTP front streams it from disk, so a large
// download costs a descriptor per connection rather than a copy of the file.
class OpenFile {
  public:
    explicit OpenFile(int fd) : fd_(fd) {}
    ~OpenFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }

  private:
    int fd_;
};

struct HttpResponse {
    HttpResponse() = default;
    HttpResponse(int status_, std::string contentType_, std::string body_)
        : status(status_), contentType(std::move(contentType_)), body(std::move(body_)) {}

    int status = 200;
    std::string contentType = "text/plain; charset=windows-1251";
    std::string body;
    std::shared_ptr<const OpenFile> file;  // when set, the answer's bytes instead of `body`
};

// The player's address: the peer, or the last address of X-Forwarded-For when the peer is one of
// the operator's trusted proxies (that address is the one the proxy itself appended).
inline std::string clientAddress(const HttpRequest& request,
                                 const std::vector<std::string>& proxies) {
    if (request.forwardedFor.empty() ||
        std::find(proxies.begin(), proxies.end(), request.peerAddress) == proxies.end())
        return request.peerAddress;
    std::string last = request.forwardedFor.substr(request.forwardedFor.rfind(',') + 1);
    last.erase(0, last.find_first_not_of(' '));
    last.erase(last.find_last_not_of(' ') + 1);
    return last.empty() ? request.peerAddress : last;
}

inline HttpResponse textReply(std::string body) {
    return {200, "text/plain; charset=windows-1251", std::move(body)};
}
inline HttpResponse errorReply(int status, std::string text) {
    return {status, "text/plain; charset=utf-8", std::move(text) + "\n"};
}

}  // namespace orvala::service
