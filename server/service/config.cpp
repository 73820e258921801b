#include "service/config.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "core/text/atomic_file.h"

namespace orvala::service {
namespace {

std::string trim(std::string s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

bool readBool(const std::string& v, bool& out) {
    if (v == "on" || v == "yes" || v == "true" || v == "1") return out = true, true;
    if (v == "off" || v == "no" || v == "false" || v == "0") return out = false, true;
    return false;
}

bool readInt(const std::string& v, int lo, int hi, int& out) {
    int n = 0;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
    if (v.empty() || ec != std::errc() || end != v.data() + v.size() || n < lo || n > hi)
        return false;
    out = n;
    return true;
}

bool splitListen(const std::string& v, ServiceConfig& c);

bool setKey(const std::string& key, const std::string& v, ServiceConfig& c) {
    if (key == "listen") return splitListen(v, c);
    if (key == "database") return c.database = v, true;
    if (key == "files") return c.filesDir = v, true;
    if (key == "public_url") return c.publicUrl = v, true;
    if (key == "chat_paused") return readBool(v, c.chatPaused);
    if (key == "records_paused") return readBool(v, c.recordsPaused);
    if (key == "tournament_address") return c.tourServerAddress = v, !v.empty();
    if (key == "tournament_base_port") return readInt(v, 1, 65000, c.tourBasePort);
    if (key == "tournament_on") return readBool(v, c.tourServerOn);
    if (key == "tournament_welcome") return c.tourWelcome = v, true;
    if (key == "tournament_move_ms") return readInt(v, 100, 600'000, c.tourMoveMs);
    if (key == "tournament_seed") return readInt(v, 0, 2'000'000'000, c.tourSeed);
    if (key == "instance_name") return c.instanceName = v, !v.empty() && v.size() <= 200;
    if (key == "table_lease_seconds") return readInt(v, 3, 3600, c.tableLeaseSeconds);
    if (key == "admin_nick") return c.adminNick = v, true;
    if (key == "president_nick") return c.presidentNick = v, true;
    if (key == "news") return c.news = v, true;
    if (key == "db_connections" || key == "workers") return readInt(v, 1, 64, c.workers);
    if (key == "settings_refresh_ms") return readInt(v, 0, 3'600'000, c.settingsRefreshMs);
    if (key == "trusted_proxies") {
        c.trustedProxies.clear();
        std::size_t at = 0;
        while (at <= v.size()) {
            const auto comma = v.find(',', at);
            const std::string one = trim(v.substr(at, comma - at));
            if (!one.empty()) c.trustedProxies.push_back(one);
            if (comma == std::string::npos) break;
            at = comma + 1;
        }
        return true;
    }
    return false;
}

bool splitListen(const std::string& v, ServiceConfig& c) {
    const auto colon = v.rfind(':');
    int port = 0;
    if (colon == std::string::npos || !readInt(v.substr(colon + 1), 0, 65535, port)) return false;
    c.listenAddress = v.substr(0, colon);
    // "[::]:8787" names an IPv6 address in brackets.
    if (c.listenAddress.size() > 2 && c.listenAddress.front() == '[' &&
        c.listenAddress.back() == ']')
        c.listenAddress = c.listenAddress.substr(1, c.listenAddress.size() - 2);
    c.listenPort = static_cast<unsigned short>(port);
    return !c.listenAddress.empty();
}

}  // namespace

int lightLaneConnections(const ServiceConfig& config) {
    if (config.workers > 0) return config.workers;
    return config.database.empty() ? 8 : 4;
}

bool readIni(const std::string& text, ServiceConfig& config, std::string& error) {
    std::size_t at = 0;
    int lineNo = 0;
    while (at < text.size()) {
        auto nl = text.find('\n', at);
        if (nl == std::string::npos) nl = text.size();
        const std::string line = trim(text.substr(at, nl - at));
        at = nl + 1;
        ++lineNo;
        if (line.empty() || line[0] == '#' || line[0] == ';' || line[0] == '[') continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos ||
            !setKey(trim(line.substr(0, eq)), trim(line.substr(eq + 1)), config)) {
            error = "line " + std::to_string(lineNo) + ": " + line;
            return false;
        }
    }
    return true;
}

bool readCommandLine(const std::vector<std::string>& args, ServiceConfig& config,
                     std::vector<std::string>& rest, std::string& error) {
    // The command line wins over the INI file, which is read once the data folder is known.
    std::optional<int> tablePort;
    std::optional<std::string> listen, database, files, iniFile;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--table-port") {
            int port = 0;
            if (!hasValue || !readInt(args[++i], 1, 65000, port)) {
                error = "--table-port takes a port number 1..65000";
                return false;
            }
            tablePort = port;
        } else if (a == "--listen" || a == "--data" || a == "--database" || a == "--files" ||
                   a == "--config") {
            if (!hasValue) {
                error = a + " needs a value";
                return false;
            }
            const std::string& v = args[++i];
            ServiceConfig probe;
            if (a == "--listen" && !splitListen(v, probe)) {
                error = "--listen takes ADDRESS:PORT, not " + v;
                return false;
            }
            if (a == "--listen") listen = v;
            if (a == "--data") config.dataDir = v;
            if (a == "--database") database = v;
            if (a == "--files") files = v;
            if (a == "--config") iniFile = v;
        } else {
            rest.push_back(a);
        }
    }
    std::error_code ec;
    std::filesystem::create_directories(config.dataDir, ec);
    // A file named by --config must be there; the data folder's own is optional.
    const std::string iniPath = iniFile ? *iniFile : config.dataDir + "/orvala-service.ini";
    std::string ini;
    if (readFileBytes(iniPath, ini, 1 << 20)) {
        if (!readIni(ini, config, error)) {
            error = iniPath + ": " + error;
            return false;
        }
    } else if (iniFile) {
        error = iniPath + ": cannot be read";
        return false;
    }
    if (listen) splitListen(*listen, config);
    if (database) config.database = *database;
    if (files) config.filesDir = *files;
    if (tablePort) config.tourBasePort = *tablePort;
    if (config.publicUrl.empty())
        config.publicUrl =
            "http://" + config.listenAddress + ":" + std::to_string(config.listenPort);
    if (config.instanceName.empty()) {
        char host[256] = {};
        if (::gethostname(host, sizeof host - 1) != 0 || host[0] == '\0')
            std::snprintf(host, sizeof host, "localhost");
        config.instanceName = std::string(host) + ":" + std::to_string(config.listenPort);
    }
    return true;
}

}  // namespace orvala::service
