// The plain pages: the configuration the game reads at start, the caller's address, the news,
// and the downloads (resource libraries, the radio's station list and playlist, music files).

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>

#include "core/text/cp1251.h"
#include "service/operations.h"
#include "service/settings_cache.h"

namespace orvala::service {
namespace {

constexpr std::size_t kMaxDownload = 64u << 20;

// The keys are written only when they hold: the game looks for "CTGamesPause" anywhere.
HttpResponse configPage(const ServiceContext& ctx, SettingsCache& settings, Storage& db) {
    const ServiceConfig& c = ctx.config;
    std::string page;
    if (c.chatPaused || settings.get(db, "chat_paused") == "on") page += "CTGamesPause\n";
    if (c.recordsPaused) page += "WTGamesPause\n";
    page += "WTGamesPatt=" + c.publicUrl + "/rec#\n";
    page += "StatPath=" + c.publicUrl + "/stat#\n";
    page += "AccPath=" + c.publicUrl + "/acc#\n";
    if (!c.presidentNick.empty()) page += "PresidentNick=" + c.presidentNick + "#\n";
    return {200, "text/plain; charset=utf-8", page};
}

std::string htmlEscaped(std::string_view s) {
    std::string out;
    for (char ch : s) {
        switch (ch) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += ch;
        }
    }
    return out;
}

// "ZorNews" comes first on the page, with the number in five digits, so that the game finds
// the number before any text that might hold the key again.
HttpResponse newsPage(const ServiceContext& ctx, SettingsCache& settings, Storage& db) {
    const auto number = settings.get(db, "news_number");
    const auto text = settings.get(db, "news_text");
    long long n = number ? std::stoll(*number) : (ctx.config.news.empty() ? 0 : 1);
    char digits[32];
    std::snprintf(digits, sizeof digits, "%05lld", std::clamp(n, 0LL, 99999LL));
    const std::string body = htmlEscaped(text ? cp1251ToUtf8(*text) : ctx.config.news);
    return {200, "text/html; charset=utf-8",
            "<!-- ZorNews" + std::string(digits) +
                " -->\n<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>News</title>"
                "</head>\n<body><p>" +
                body + "</p></body></html>\n"};
}

// A download name is one plain file name: letters, digits, ".", "-", "_", not starting with ".".
bool plainName(std::string_view name) {
    if (name.empty() || name.size() > 100 || name[0] == '.') return false;
    for (unsigned char c : name)
        if (!std::isalnum(c) && c != '.' && c != '-' && c != '_') return false;
    return true;
}

// Opens `name` in the folder `sub` of the files folder (or in the files folder itself) without
// following a link at either step, so that no link inside the folder serves a file from
// outside it. Only a regular file of at most kMaxDownload is served; a FIFO is not waited on.
std::shared_ptr<const OpenFile> openDownload(const std::string& root, const std::string& sub,
                                             std::string_view name) {
    const OpenFile top(::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (top.fd() < 0) return nullptr;
    std::optional<OpenFile> below;
    if (!sub.empty()) {
        below.emplace(
            ::openat(top.fd(), sub.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (below->fd() < 0) return nullptr;
    }
    const int folder = below ? below->fd() : top.fd();
    auto file = std::make_shared<const OpenFile>(::openat(
        folder, std::string(name).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (file->fd() < 0 || ::fstat(file->fd(), &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::uintmax_t>(st.st_size) > kMaxDownload)
        return nullptr;
    return file;
}

// The bytes are streamed from the open file by the HTTP front, never held whole.
HttpResponse download(const std::string& root, const std::string& sub, std::string_view name) {
    if (root.empty() || !plainName(name)) return errorReply(404, "not found");
    auto file = openDownload(root, sub, name);
    if (!file) return errorReply(404, "not found");
    const bool text = name.ends_with(".txt") || name.ends_with(".ser");
    HttpResponse r(200, text ? "text/plain; charset=windows-1251" : "application/octet-stream", {});
    r.file = std::move(file);
    return r;
}

void addDownloads(Router& router, const ServiceContext& ctx, std::string prefix, std::string sub) {
    const ServiceContext* c = &ctx;
    router.add({"GET", prefix, true, 0, [c, prefix, sub](const HttpRequest& r, Storage&) {
                    return download(c->config.filesDir, sub,
                                    std::string_view(r.path).substr(prefix.size()));
                }});
}

constexpr std::string_view kRoutersHelp =
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Orvala on a LAN</title></head>"
    "<body><h1>Playing Orvala over a network</h1>"
    "<p>One player creates the game (\"Server create the game\") and tells the others an "
    "address and the port, 25666 unless changed. The others choose \"Client enters to game\" "
    "and type them in.</p>"
    "<p>On one local network, use an address of the host's network interface (the first lines "
    "of \"To receive the IP-addresses\").</p>"
    "<p>Over the Internet, the host's router must forward the TCP port to the host's machine "
    "(port forwarding, often under \"NAT\" or \"Virtual server\" in the router's settings), "
    "and the host's firewall must let the port in. The others then use the address the "
    "Internet sees, the line after the interfaces.</p></body></html>";

// The club's own pages, which the main menu's link keys and the account's refill key open.
constexpr std::string_view kHomePage =
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Orvala</title></head>"
    "<body><h1>Orvala: the players' club</h1>"
    "<p>Thousand for three players, against the computer, on a local network and in the online "
    "tournament.</p><ul>"
    "<li><a href=\"news.html\">News</a></li>"
    "<li><a href=\"zors.html\">Zors: the club's currency</a></li>"
    "<li><a href=\"help/routers.html\">Playing over a network</a></li>"
    "</ul></body></html>";

constexpr std::string_view kZorsPage =
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Zors</title></head>"
    "<body><h1>Zors</h1>"
    "<p>Zors are the club's currency. A member earns them by finishing a cycle of games for the "
    "global rating, and may give them to another member from the game's account window "
    "(\"Transfer Zors\").</p>"
    "<p>Zors are never sold inside the game. To have your balance refilled, write to the club's "
    "administration from the e-mail address of your account, naming your nick.</p>"
    "</body></html>";

HttpResponse staticPage(std::string_view page) {
    return {200, "text/html; charset=utf-8", std::string(page)};
}

}  // namespace

void addPageRoutes(Router& router, const ServiceContext& ctx,
                   std::shared_ptr<SettingsCache> settings) {
    const ServiceContext* c = &ctx;
    router.add({"GET", "/config.txt", false, 0, [c, settings](const HttpRequest&, Storage& db) {
                    return configPage(*c, *settings, db);
                }});
    router.add(
        {"GET", "/get_ip.php", false, 0, [c](const HttpRequest& r, Storage&) {
             return HttpResponse{200, "text/plain; charset=utf-8", callerAddress(r, c->config)};
         }});
    // The login form's "?" beside the LAN fields: what a host behind a router needs.
    router.add({"GET", "/help/routers.html", false, 0, [](const HttpRequest&, Storage&) {
                    return HttpResponse{200, "text/html; charset=utf-8", std::string(kRoutersHelp)};
                }});
    for (const char* home : {"/", "/index.html"})
        router.add({"GET", home, false, 0,
                    [](const HttpRequest&, Storage&) { return staticPage(kHomePage); }});
    router.add({"GET", "/zors.html", false, 0,
                [](const HttpRequest&, Storage&) { return staticPage(kZorsPage); }});
    router.add({"GET", "/news.html", false, 0, [c, settings](const HttpRequest&, Storage& db) {
                    return newsPage(*c, *settings, db);
                }});
    addDownloads(router, ctx, "/files/", "");
    addDownloads(router, ctx, "/radio/", "radio");
    addDownloads(router, ctx, "/music/", "music");
}

}  // namespace orvala::service
