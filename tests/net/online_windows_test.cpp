// The statistics window against a real service: the counters as read, a like with the nick
// asked for first (an unusable nick asks again), and a service that is down: "No Connect", and
// a like that changes nothing.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QInputDialog>
#include <QTemporaryDir>

#include "app/online/account_startup.h"
#include "app/online/statistics_window.h"
#include "core/online/account.h"
#include "service_in_qt_test.h"

namespace orvala::app {
namespace {

using testing_qt::base;
using testing_qt::waitUntil;

TEST(StatisticsWindow, CountersAndALikeWithTheNickAskedFirst) {
    using namespace orvala::service::testing;
    TestService service(service::Engine::Sqlite);
    service.post("/stat/start", "gid=55&stat1=1&stat2=1");
    service.post("/stat/report", "gid=55&R1=1&R2=0&R3=40");
    net::OnlineClient client(online::addressesAt(base(service.port())));
    Settings settings;
    settings.OnlineNick = "Incognito";
    settings.StatisticsSent = false;
    settings.SaluteOnButtons = false;
    int changes = 0;
    auto* window = openStatistics(nullptr, client, settings, [&] { ++changes; });
    ASSERT_TRUE(waitUntil([&] { return !window->values()[0].isEmpty(); }));
    EXPECT_EQ(window->values(), (QStringList{"1", "1", "0", "#", "1", "0", "40", "0", "0", "0"}));
    ASSERT_TRUE(window->Button2->isEnabled());

    window->Button2->click();
    ASSERT_TRUE(window->nickBox());
    window->nickBox()->setTextValue("a");  // too short: asked again
    window->nickBox()->accept();
    ASSERT_TRUE(waitUntil([&] { return window->nickBox() && window->nickBox()->isVisible(); }));
    window->nickBox()->setTextValue("Ann");
    window->nickBox()->accept();
    ASSERT_TRUE(waitUntil([&] { return settings.StatisticsSent; }));
    EXPECT_EQ(settings.OnlineNick, "Ann");
    EXPECT_GE(changes, 2);
    EXPECT_FALSE(window->Button2->isEnabled());
    EXPECT_EQ(window->values()[2], "1");
    EXPECT_EQ(window->values()[3], "Ann");
    const auto likes = service.db().queryOne("SELECT stat3, stat4 FROM stats WHERE gid = 55");
    ASSERT_TRUE(likes);
    EXPECT_EQ(likes->integer(0), 1);
    EXPECT_EQ(likes->text(1), "Ann");
    window->close();
}

TEST(StatisticsWindow, AServiceThatIsDown) {
    unsigned short port;
    {
        using namespace orvala::service::testing;
        TestService gone(service::Engine::Sqlite);
        port = gone.port();
    }
    net::OnlineClient client(online::addressesAt(base(port)));
    Settings settings;
    settings.OnlineNick = "Bob";
    settings.StatisticsSent = false;
    settings.SaluteOnButtons = false;
    auto* window = openStatistics(nullptr, client, settings);
    ASSERT_TRUE(waitUntil([&] { return !window->values()[0].isEmpty(); }));
    EXPECT_EQ(window->values()[0], "No Connect");
    EXPECT_TRUE(window->values()[1].isEmpty());
    window->Button2->click();
    ASSERT_TRUE(waitUntil([&] { return client.running() == 0; }));
    EXPECT_TRUE(window->Button2->isEnabled());
    EXPECT_FALSE(settings.StatisticsSent);
    window->close();

    // Sent before: the button is off from the start.
    settings.StatisticsSent = true;
    auto* again = openStatistics(nullptr, client, settings);
    EXPECT_FALSE(again->Button2->isEnabled());
    again->close();
}

}  // namespace
}  // namespace orvala::app

namespace orvala::app {
namespace {

TEST(StartupLogin, TheAccountFileLogsInOrNothingHappens) {
    using namespace orvala::service::testing;
    TestService service(service::Engine::Sqlite);
    ASSERT_EQ(registerAccount(service, "ann", "secret1"), "ok");
    net::OnlineClient client(online::addressesAt(base(service.port())));
    QTemporaryDir dir;
    const std::string file = dir.filePath("ZorUser.zor").toStdString();

    const auto login = [&] {
        std::optional<std::optional<online::Account>> answer;
        startupLogin(client, file, [&](std::optional<online::Account> a) { answer = a; });
        EXPECT_TRUE(waitUntil([&] { return answer.has_value(); }));
        return answer.value_or(std::nullopt);
    };
    EXPECT_FALSE(login());  // no file
    ASSERT_TRUE(online::writeAccountFile(file, "ann", "secret1"));
    const auto ann = login();
    ASSERT_TRUE(ann);
    EXPECT_EQ(ann->Nick, "ann");
    EXPECT_EQ(ann->City, "Moscow");
    ASSERT_TRUE(online::writeAccountFile(file, "ann", "wrong12"));
    EXPECT_FALSE(login());
}

}  // namespace
}  // namespace orvala::app
