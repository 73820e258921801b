#pragma once
// The service's own view of one HTTP exchange, free of the HTTP library: what a handler reads
// and what it answers. Bodies and texts are bytes.

#include <string>

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

struct HttpResponse {
    int status = 200;
    std::string contentType = "text/plain; charset=windows-1251";
    std::string body;
};

inline HttpResponse textReply(std::string body) {
    return {200, "text/plain; charset=windows-1251", std::move(body)};
}
inline HttpResponse errorReply(int status, std::string text) {
    return {status, "text/plain; charset=utf-8", std::move(text) + "\n"};
}

}  // namespace orvala::service
