// The web service's address chosen in the options: kept in the settings file, read again at the
// next start and used by the web client at once; ORVALA_SERVICE still wins over it.

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "app/account_holder.h"
#include "app/menu_screen.h"
#include "app/tform1.h"
#include "core/online/account.h"
#include "dialogs/options_dialog.h"
#include "net/online_client.h"
#include "net/service_url.h"
#include "service_in_qt_test.h"

namespace orvala::app {
namespace {

using online::AccountState;
using testing_qt::base;
using testing_qt::waitUntil;

TEST(ServiceAddress, ChosenInTheOptionsItIsKeptAndTheWebClientUsesIt) {
    using namespace orvala::service::testing;
    TestService service(service::Engine::Sqlite, {}, [](service::ServiceConfig& c) {
        c.presidentNick = "ann";
        c.publicUrl.clear();  // the page names no addresses: the client keeps the service's own
    });
    ASSERT_EQ(registerAccount(service, "ann", "secret1"), "ok");
    const std::string at = base(service.port());
    QTemporaryDir dir;
    LaunchOptions options;
    options.programFolder = QDir(dir.path()).filePath("Orvala");
    QDir().mkpath(options.programFolder);
    options.fast = true;
    options.musicFolder = dir.path();
    qunsetenv("ORVALA_SERVICE");
    ASSERT_TRUE(
        online::writeAccountFile(dir.filePath("ZorUser.zor").toStdString(), "ann", "secret1"));
    {
        TForm1 w(options);
        EXPECT_EQ(w.serviceUrl(), net::localServiceUrl());  // nothing chosen yet
        // The start-up's errands at the local service are over (there is none here).
        ASSERT_TRUE(waitUntil([&] { return w.online().running() == 0; }));
        EXPECT_EQ(w.account().state(), AccountState::LoggedOut);
        w.show();
        QTest::keyClick(&w, Qt::Key_Space);
        QTest::mouseClick(w.menu().Button10, Qt::LeftButton);
        auto* d = w.findChild<dialogs::TFormOptions*>();
        ASSERT_NE(d, nullptr);
        QTest::keyClicks(d->EditService, QString::fromStdString(at + "/"));
        QTest::keyClick(d->EditService, Qt::Key_Return);
        EXPECT_EQ(w.settings().ServiceAddress, at);
        // The client goes to the new service at once and reads its configuration page.
        EXPECT_EQ(w.online().addresses().account, at + "/acc");
        ASSERT_TRUE(waitUntil([&] { return w.online().addresses().presidentNick == "ann"; }));
        // The account file logs in again at the new service.
        ASSERT_TRUE(waitUntil([&] { return w.account().state() == AccountState::LoggedIn; }));
        d->Button1->click();
        w.saveSettings();
    }
    // The next start reads it back, and logs the account in at that service.
    TForm1 w(options);
    EXPECT_EQ(w.settings().ServiceAddress, at);
    ASSERT_TRUE(waitUntil([&] { return w.account().state() == AccountState::LoggedIn; }));
    EXPECT_EQ(w.account().account()->Nick, "ann");
    // An operator's ORVALA_SERVICE wins over the options.
    const testing_qt::ServiceAt elsewhere(9);
    EXPECT_EQ(w.serviceUrl().toString(), "http://127.0.0.1:9");
}

}  // namespace
}  // namespace orvala::app
