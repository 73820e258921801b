// orvala-service: the web service of the game, or, with "admin", the operator's commands.

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <ctime>
#include <iostream>
#include <mutex>
#include <thread>

#include "http/http_server.h"
#include "http/router.h"
#include "http/worker_pool.h"
#include "service/admin.h"
#include "service/service.h"
#include "storage/storage.h"
#include "tourney/table_leases.h"
#include "tourney/table_records.h"
#include "tourney/tournament_server.h"

using namespace orvala::service;

namespace {

std::int64_t wallClock() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

std::string timestamp() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return buf;
}

constexpr int kHashingWorkers = 2;

TournamentOptions tournamentOptions(const ServiceConfig& c) {
    TournamentOptions o;
    o.address = c.listenAddress;
    o.basePort = c.tourBasePort;
    o.moveMs = c.tourMoveMs;
    o.seed = static_cast<std::uint64_t>(c.tourSeed);
    o.renewMs = std::int64_t{c.tableLeaseSeconds} * 1000 / 3;
    return o;
}

LeaseOptions leaseOptions(const ServiceConfig& c) {
    return {c.instanceName, c.tourServerAddress, c.tourBasePort, c.tableLeaseSeconds};
}

// Every connection and every streamed download holds a descriptor; the soft limit of a login
// shell (often 1,024) would run out well before the connection budget.
void raiseDescriptorLimit() {
    rlimit r{};
    if (::getrlimit(RLIMIT_NOFILE, &r) != 0 || r.rlim_cur >= r.rlim_max) return;
    r.rlim_cur = r.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &r);
}

}  // namespace

int main(int argc, char** argv) {
    // The database and every file the service writes are its own: readable by no other user.
    ::umask(077);
    raiseDescriptorLimit();
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool admin = !args.empty() && args[0] == "admin";
    if (admin) args.erase(args.begin());
    ServiceContext context;
    context.now = wallClock;
    std::vector<std::string> rest;
    std::string error;
    if (!readCommandLine(args, context.config, rest, error)) {
        std::cerr << "orvala-service: " << error << "\n";
        return 2;
    }
    if (admin) return runAdmin(rest, context.config, wallClock(), std::cout, std::cerr);
    if (!rest.empty()) {
        std::cerr << "usage: orvala-service [--listen ADDR:PORT] [--data DIR] [--database URL]"
                     " [--files DIR] [--table-port BASE] [--config FILE]\n       orvala-service admin ...\n";
        return 2;
    }

    std::vector<std::unique_ptr<Storage>> connections, hashingConnections;
    std::unique_ptr<Storage> tablesDb;  // the game server's own connection
    try {
        for (int i = 0; i < lightLaneConnections(context.config); ++i)
            connections.push_back(
                openStorage(context.config.database, context.config.dataDir, i == 0));
        for (int i = 0; i < kHashingWorkers; ++i)
            hashingConnections.push_back(
                openStorage(context.config.database, context.config.dataDir, false));
        tablesDb = openStorage(context.config.database, context.config.dataDir, false);
    } catch (const std::exception& e) {
        std::cerr << "orvala-service: " << e.what() << "\n";
        return 1;
    }
    auto workers = std::make_unique<WorkerPool>(std::move(connections), 1024);
    // The password lane: few threads, as argon2 wants a core and 19 MB each, at a lower
    // priority than the loop and the light lane, and a short queue of which one address may
    // hold only a part.
    auto hashing = std::make_unique<WorkerPool>(std::move(hashingConnections), 64, 8, 10);
    Router router;
    addServiceRoutes(router, context);
    std::mutex logMutex;
    HttpLimits limits;
    limits.proxies = context.config.trustedProxies;
    HttpServer server(router, *workers, *hashing, limits, [&](std::string_view line) {
        std::lock_guard lock(logMutex);
        std::cout << timestamp() << ' ' << line << '\n' << std::flush;
    });
    if (!server.listen(context.config.listenAddress, context.config.listenPort, error)) {
        std::cerr << "orvala-service: " << error << "\n";
        return 1;
    }
    std::cout << "orvala-service listening on " << context.config.listenAddress << ":"
              << server.port() << " ("
              << (context.config.database.empty() ? "SQLite in " + context.config.dataDir
                                                  : "PostgreSQL")
              << ")\n"
              << std::flush;
    const auto logLine = [&](std::string_view line) {
        std::lock_guard lock(logMutex);
        std::cout << timestamp() << ' ' << line << '\n' << std::flush;
    };
    // The tables this instance holds among those sharing the database; the rest are others'.
    TableLeases leases(*tablesDb, leaseOptions(context.config), wallClock, logLine);
    TournamentServer tables(tournamentOptions(context.config), tableCallbacks(*tablesDb, logLine),
                            [&](const std::set<int>& idle) { return leases.renew(idle); });
    if (!tables.listen(error)) {
        std::cerr << "orvala-service: " << error << "\n";
        return 1;
    }
    std::cout << "tables on ports " << context.config.tourBasePort + 1 << ".."
              << context.config.tourBasePort + 10 << " as " << context.config.instanceName
              << ", holding " << leases.held().size() << "\n"
              << std::flush;
    std::thread tablesThread([&] { tables.run(); });
    server.stopOnSignals({SIGINT, SIGTERM});
    server.run();
    tables.stop();
    tablesThread.join();
    try {
        leases.release();  // so that another instance takes the tables at once
    } catch (const std::exception& e) {
        logLine(std::string("tables: leases not given back: ") + e.what());
    }
    // Before the server: a finishing job posts its answer to the loop.
    workers.reset();
    hashing.reset();
    return 0;
}
