#pragma once
// The operator's settings: the command line (--listen, --data, --database, --files,
// --table-port, --config), which wins over the small INI file: --config FILE, else
// "orvala-service.ini" in the data folder when there is one. INI lines are "key = value"; "#" or
// ";" starts a comment line; [sections] are only for the reader's eye. An unknown key or a
// value that does not read is an error, so that a typo never silently keeps a default.

#include <string>
#include <vector>

namespace orvala::service {

struct ServiceConfig {
    std::string listenAddress = "127.0.0.1";  // [listen] ADDRESS:PORT
    unsigned short listenPort = 8787;
    std::string dataDir = ".";
    std::string database;  // [database] a PostgreSQL URL; empty: SQLite in dataDir
    std::string filesDir;  // [files] the downloads' folder; empty: no downloads
    // [db_connections] (or [workers]) the database connections of the light lane, each with
    // a thread of its own; the password lane has two more. 0: the engine's own number
    // (lightLaneConnections).
    int workers = 0;
    // [settings_refresh_ms] how long the settings kept in the database (news, the chat's
    // pause) are served from memory before they are read again.
    int settingsRefreshMs = 1000;

    // INI keys in brackets.
    std::string publicUrl;       // [public_url] how players reach us; default from --listen
    bool chatPaused = false;     // [chat_paused] (or "admin pause-chat on")
    bool recordsPaused = false;  // [records_paused]
    std::string tourServerAddress = "127.0.0.1";  // [tournament_address]
    int tourBasePort = 25700;                     // [tournament_base_port]; table t is on base + t
    bool tourServerOn = false;                    // [tournament_on]
    std::string tourWelcome = "Welcome!";         // [tournament_welcome]
    std::string adminNick;                        // [admin_nick]
    std::string presidentNick;                    // [president_nick]
    std::string news;                         // [news] the text of the news page until "admin news"
    std::vector<std::string> trustedProxies;  // [trusted_proxies] comma-separated addresses

    // The game server's move clock, the players' 26 seconds and a little grace.
    int tourMoveMs = 30'000;  // [tournament_move_ms]
    int tourSeed = 0;         // [tournament_seed] the tables' deals; 0: a random seed

    // Several instances on one database share the tables by leases of this many seconds.
    std::string instanceName;    // [instance_name] its own per instance; default host:listen port
    int tableLeaseSeconds = 15;  // [table_lease_seconds] renewed every third of it
};

// The light lane's connections: as set, else 8 on SQLite (whose one writer commits together
// what more threads hand it) and 4 on PostgreSQL (whose server does the work: more threads on
// a machine's few cores only switch more often).
int lightLaneConnections(const ServiceConfig& config);

// Reads the INI text into `config`; false with the reason (and the line) when it cannot.
bool readIni(const std::string& text, ServiceConfig& config, std::string& error);

// Reads the command line after the program's name (and after "admin ..." for the admin
// commands, which take --data, --database and --config too); reads the INI file.
// Leftover words go to `rest`.
bool readCommandLine(const std::vector<std::string>& args, ServiceConfig& config,
                     std::vector<std::string>& rest, std::string& error);

}  // namespace orvala::service
