// The operator's INI file and command line: every key reads, and a typo is an error with its
// line rather than a silently kept default.

#include "service/config.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/text/atomic_file.h"

namespace orvala::service {
namespace {

TEST(ServiceConfig, TheIniFileSetsEveryKeyAndRefusesTypos) {
    ServiceConfig c;
    std::string error;
    ASSERT_TRUE(
        readIni("# operator settings\n[chat]\nchat_paused = on\nrecords_paused=no\n"
                "tournament_address = 203.0.113.5\ntournament_base_port = 26000\n"
                "tournament_on = yes\ntournament_welcome = Good luck!\n"
                "admin_nick = boss\npresident_nick = prez\nnews = Hello\n"
                "trusted_proxies = 127.0.0.1, ::1\npublic_url = https://cards.example\n"
                "workers = 6\ninstance_name = cards-2\ntable_lease_seconds = 30\n",
                c, error))
        << error;
    EXPECT_TRUE(c.chatPaused);
    EXPECT_FALSE(c.recordsPaused);
    EXPECT_EQ(c.tourServerAddress, "203.0.113.5");
    EXPECT_EQ(c.tourBasePort, 26000);
    EXPECT_TRUE(c.tourServerOn);
    EXPECT_EQ(c.tourWelcome, "Good luck!");
    EXPECT_EQ(c.trustedProxies, (std::vector<std::string>{"127.0.0.1", "::1"}));
    EXPECT_EQ(c.workers, 6);
    EXPECT_EQ(c.instanceName, "cards-2");
    EXPECT_EQ(c.tableLeaseSeconds, 30);

    for (const char* bad :
         {"chat_pause = on\n", "chat_paused = maybe\n", "tournament_base_port = 70000\n",
          "just words\n", "instance_name =\n", "table_lease_seconds = 2\n"}) {
        ServiceConfig d;
        EXPECT_FALSE(readIni(std::string("news = x\n") + bad, d, error)) << bad;
        EXPECT_TRUE(error.starts_with("line 2: ")) << error;
    }
}

TEST(ServiceConfig, TheCommandLineAndTheDataFolderIni) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("orvala-config-test." + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    ASSERT_TRUE(writeFileAtomically((dir / "orvala-service.ini").string(), "admin_nick = boss\n"));
    ServiceConfig c;
    std::vector<std::string> rest;
    std::string error;
    ASSERT_TRUE(readCommandLine(
        {"--listen", "0.0.0.0:8080", "--data", dir.string(), "--files", "/srv/files", "extra"}, c,
        rest, error))
        << error;
    EXPECT_EQ(c.listenAddress, "0.0.0.0");
    EXPECT_EQ(c.listenPort, 8080);
    EXPECT_EQ(c.filesDir, "/srv/files");
    EXPECT_EQ(c.adminNick, "boss");
    EXPECT_EQ(c.publicUrl, "http://0.0.0.0:8080");
    // Unnamed instances on one machine differ by their port.
    EXPECT_TRUE(c.instanceName.ends_with(":8080")) << c.instanceName;
    EXPECT_GT(c.instanceName.size(), 5u);
    EXPECT_EQ(rest, std::vector<std::string>{"extra"});
    ServiceConfig d;
    ASSERT_TRUE(
        readCommandLine({"--listen", "[::1]:8081", "--data", dir.string()}, d, rest, error));
    EXPECT_EQ(d.listenAddress, "::1");
    EXPECT_FALSE(readCommandLine({"--listen", "8080"}, d, rest, error));
    EXPECT_FALSE(readCommandLine({"--data"}, d, rest, error));

    // The tables' base port: the command line wins over the INI file.
    ASSERT_TRUE(writeFileAtomically((dir / "orvala-service.ini").string(),
                                    "tournament_base_port = 26000\ntournament_move_ms = 1500\n"));
    ServiceConfig t;
    ASSERT_TRUE(readCommandLine({"--data", dir.string(), "--table-port", "31000"}, t, rest, error));
    EXPECT_EQ(t.tourBasePort, 31000);
    EXPECT_EQ(t.tourMoveMs, 1500);
    EXPECT_FALSE(readCommandLine({"--table-port", "0"}, t, rest, error));
    EXPECT_FALSE(readCommandLine({"--table-port"}, t, rest, error));

    // A system's INI file named by --config takes the place of the data folder's, and it may
    // say where to listen and serve from; the command line still wins, and a named file that
    // is missing is an error.
    const std::string etc = (dir / "etc.ini").string();
    ASSERT_TRUE(writeFileAtomically(
        etc, "listen = 0.0.0.0:9000\nfiles = /usr/share/x\ndatabase = postgresql:///o\n"));
    ServiceConfig e;
    ASSERT_TRUE(readCommandLine({"--config", etc, "--data", dir.string(), "--database", "pg2"}, e,
                                rest, error))
        << error;
    EXPECT_EQ(e.listenPort, 9000);
    EXPECT_EQ(e.filesDir, "/usr/share/x");
    EXPECT_EQ(e.database, "pg2");
    EXPECT_EQ(e.tourBasePort, 25700);  // the data folder's INI is not read
    ServiceConfig m;
    EXPECT_FALSE(readCommandLine({"--config", etc + ".gone"}, m, rest, error));
    EXPECT_NE(error.find("etc.ini.gone"), std::string::npos);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orvala::service
