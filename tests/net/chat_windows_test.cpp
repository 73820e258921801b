// The chat and the news against a real service on loopback: two players, each with a client, a
// chat file and a chat window of their own, take turns in the chat on the service's clock; the
// watch finds the other's message and the news; the main window raises its indicators, opens
// the news and, during a game, the chat by itself; and a service that is down.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "../app/window_helpers.h"
#include "app/chat/chat_feature.h"
#include "app/chat/chat_watch.h"
#include "app/chat/chat_window.h"
#include "app/tform1.h"
#include "app/window_parts.h"
#include "core/online/operations.h"
#include "core/records/club_member.h"
#include "dialogs/chat_dialog.h"
#include "dialogs/count_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/password_dialog.h"
#include "dialogs/radio_dialog.h"
#include "dialogs/message_window.h"
#include "service_in_qt_test.h"

namespace orvala::app {
namespace {

using service::testing::TestService;

using testing_qt::base;
using testing_qt::waitUntil;

// One copy of the game: its client, its passport, its shared folder and its chat file.
struct Player {
    QTemporaryDir shared;
    net::OnlineClient client;
    Settings settings;
    std::int64_t clock = 1'000;
    Player(unsigned short port, std::string nick, std::string city)
        : client(online::addressesAt(base(port))) {
        settings.OnlineNick = std::move(nick);
        settings.OnlineCity = std::move(city);
        settings.OnlineLocation = "1-001";
        settings.OnlineGender = "W";
    }
    std::string chatFile() const {
        return shared.filePath(QString::fromLatin1(online::kChatFileName)).toStdString();
    }
    dialogs::TFormChat* open() {
        ChatWindowSetup setup;
        setup.chatFile = chatFile();
        setup.product = "Orvala";
        setup.clock = [this] { return clock; };
        return openChat(nullptr, client, settings, setup);
    }
};

// An operator's setting, as "orvala-service admin" stores it.
void setOnService(TestService& s, const std::string& name, const std::string& value) {
    s.db().execute(
        "INSERT INTO settings (name, value) VALUES ($1, $2) "
        "ON CONFLICT (name) DO UPDATE SET value = excluded.value",
        {name, value});
}

void type(dialogs::TFormChat* w, const QString& text) {
    w->Edit1->setText(text);
    QTest::keyClick(w->Edit1, Qt::Key_Return);
}

TEST(ChatWindow, TwoPlayersTakeTurnsAndSeeEachOther) {
    TestService service(service::Engine::Sqlite);
    Player ann(service.port(), "Ann", "Tver"), bob(service.port(), "Bob", "Omsk");
    ASSERT_TRUE(online::writeChatFile(bob.chatFile(), {0, true, false}));

    auto* a = ann.open();
    ASSERT_TRUE(waitUntil([&] { return ann.client.running() == 0; }));
    EXPECT_EQ(a->shownRows(), QStringList(10, QString())) << "an empty chat";
    EXPECT_EQ(online::loadChatFile(ann.chatFile()), (online::ChatFile{1, false, false}))
        << "made on first use";
    ASSERT_TRUE(a->sendOpen());
    type(a, "good game & = #");
    ASSERT_TRUE(waitUntil([&] { return !a->shownRows()[0].isEmpty(); }));
    EXPECT_TRUE(a->shownRows()[0].startsWith("1. Ann Tver "));
    EXPECT_TRUE(a->shownRows()[0].endsWith(" Orvala: good game      "))
        << a->shownRows()[0].toStdString();
    EXPECT_TRUE(a->Edit1->text().isEmpty());
    EXPECT_FALSE(a->sendOpen()) << "one message in 15 seconds";
    EXPECT_EQ(online::loadChatFile(ann.chatFile()).lastSeen, 1);

    // Bob's window at the same moment: the message is new to him, at the bottom as he asked;
    // the service turns his post away within Ann's 15 seconds from this address.
    auto* b = bob.open();
    ASSERT_TRUE(waitUntil([&] { return !b->shownRows()[9].isEmpty(); }));
    EXPECT_TRUE(b->shownRows()[9].startsWith("new 1. Ann Tver"));
    EXPECT_EQ(online::loadChatFile(bob.chatFile()), (online::ChatFile{1, true, false}));
    type(b, "hi Ann");
    ASSERT_TRUE(waitUntil([&] { return !b->findChildren<dialogs::MessageWindow*>().empty(); }));
    EXPECT_EQ(b->findChildren<dialogs::MessageWindow*>()[0]->lines(),
              QStringList{"Unable to send a message!"});
    EXPECT_EQ(b->Edit1->text(), "hi Ann") << "kept for another try";
    b->findChildren<dialogs::MessageWindow*>()[0]->Button1->click();

    service.clock += 15;
    type(b, "hi Ann");
    ASSERT_TRUE(waitUntil([&] { return b->shownRows()[9].startsWith("2. Bob"); }));
    EXPECT_TRUE(b->shownRows()[8].startsWith("1. Ann")) << "seen with the player's own";
    EXPECT_EQ(online::loadChatFile(bob.chatFile()).lastSeen, 2);

    // Ann's send comes back after her own 15 seconds, not before; her options go to her file.
    ann.clock += 14;
    a->sendTimerTick();
    EXPECT_FALSE(a->sendOpen());
    ann.clock += 1;
    a->sendTimerTick();
    EXPECT_TRUE(a->sendOpen());
    a->CheckBox1->setChecked(true);
    a->CheckBox2->setChecked(true);
    EXPECT_EQ(online::loadChatFile(ann.chatFile()), (online::ChatFile{1, true, true}));
    a->close();
    b->close();

    // A red passport keeps the send closed.
    ann.settings.OnlineCity = "";
    auto* red = ann.open();
    EXPECT_FALSE(red->sendOpen());
    red->close();
}

TEST(ChatWatch, NewsEveryThirdTickOnTheMenuMessagesEveryNinetieth) {
    TestService service(service::Engine::Sqlite);
    Player ann(service.port(), "Ann", "Tver");
    setOnService(service, "news_number", "3");
    ASSERT_TRUE(online::writeChatFile(ann.chatFile(), {0, false, false}));
    ChatWatch watch(ann.client, ann.shared.path(),
                    QUrl(QString::fromStdString(base(service.port()) + "/news.html")));
    QSignalSpy found(&watch, &ChatWatch::messagesFound);

    watch.tick(true);
    watch.tick(true);
    watch.tick(false);  // the third, off the menu: no news read
    ASSERT_TRUE(waitUntil([&] { return ann.client.running() == 0; }));
    EXPECT_FALSE(watch.unseenNews());
    watch.tick(true);
    watch.tick(true);
    watch.tick(true);
    ASSERT_TRUE(waitUntil([&] { return watch.unseenNews(); }));
    EXPECT_EQ(watch.newestNews(), 3);
    watch.newsOpened();
    EXPECT_FALSE(watch.unseenNews());
    EXPECT_EQ(online::loadNewsFile(
                  ann.shared.filePath(QString::fromLatin1(online::kNewsFileName)).toStdString()),
              3);

    service.post("/rec/write",
                 "gid=100&nick=Bob&city=Omsk&country=1-001&score=1&R7=M&R8=5.7f&R9=st&R10=hi*");
    for (int i = 6; i < 89; ++i) watch.tick(false);
    ASSERT_TRUE(waitUntil([&] { return ann.client.running() == 0; }));
    EXPECT_FALSE(watch.unseenMessages());
    watch.tick(false);  // the 90th
    ASSERT_TRUE(waitUntil([&] { return watch.unseenMessages(); }));
    EXPECT_EQ(found.count(), 1);
    watch.check();  // a flag that is up is not looked at again
    ASSERT_TRUE(waitUntil([&] { return ann.client.running() == 0; }));
    EXPECT_EQ(found.count(), 1);
    watch.chatClosed();
    EXPECT_FALSE(watch.unseenMessages());
}

TEST(ChatWatch, AServiceThatIsDownRaisesNothing) {
    unsigned short port;
    {
        TestService gone(service::Engine::Sqlite);
        port = gone.port();
    }
    Player ann(port, "Ann", "Tver");
    ChatWatch watch(ann.client, ann.shared.path(),
                    QUrl(QString::fromStdString(base(port) + "/news.html")));
    watch.check();
    ASSERT_TRUE(waitUntil([&] { return ann.client.running() == 0; }));
    EXPECT_FALSE(watch.unseenNews());
    EXPECT_FALSE(watch.unseenMessages());

    auto* w = ann.open();
    ASSERT_TRUE(waitUntil([&] { return ann.client.running() == 0; }));
    EXPECT_EQ(w->shownRows(), QStringList{"No Connect"});
    type(w, "anyone?");
    ASSERT_TRUE(waitUntil([&] { return !w->findChildren<dialogs::MessageWindow*>().empty(); }));
    EXPECT_TRUE(w->sendOpen());
    w->close();
}

// The main window over a service of the test's own: ORVALA_SERVICE names it.
struct WindowOnService {
    TestService service{service::Engine::Sqlite};
    HomeWithLibraries libs;
    WindowOnService() {
        qputenv("ORVALA_SERVICE", QByteArray::fromStdString(base(service.port())));
    }
    ~WindowOnService() { qunsetenv("ORVALA_SERVICE"); }
    // The harness's configuration page sends the window to a made-up public address; once the
    // window has read it, the window is pointed back at the service.
    void pointAtService(TForm1& w) const {
        ASSERT_TRUE(waitUntil([&] {
            return w.online().addresses().records.find("service.test") != std::string::npos;
        }));
        auto a = online::addressesAt(base(service.port()));
        a.chatPaused = w.online().addresses().chatPaused;
        w.online().setAddresses(a);
    }
    std::string shared(std::string_view file) const {
        return QDir(libs.top.path()).filePath(QString::fromLatin1(file)).toStdString();
    }
};

TEST(ChatIndicators, NewsAndMessagesOnTheMenuAndTheChatOpeningDuringAGame) {
    EnglishAfterwards english;
    WindowOnService s;
    setOnService(s.service, "news_number", "2");
    ASSERT_TRUE(online::writeChatFile(s.shared(online::kChatFileName), {0, false, true}));
    LaunchOptions o = fastOptionsWith(s.libs);
    o.soundLog = QDir(s.libs.top.path()).filePath("sounds.log");
    TForm1 w(o);
    auto* chat = w.feature<ChatFeature>();
    ASSERT_NE(chat, nullptr);
    w.settings().SoundOn = true;
    QList<QUrl> opened;
    chat->setUrlOpener([&](const QUrl& url) { opened << url; });
    w.applyWindowSize();
    w.show();
    s.pointAtService(w);
    QTest::keyClick(&w, Qt::Key_Space);
    ASSERT_EQ(w.screen(), TForm1::Screen::Menu);
    ASSERT_TRUE(chat->ImageNews->isVisible());
    EXPECT_EQ(chat->ImageNews->toolTip(), "Zor News!");
    EXPECT_EQ(chat->ImageChat->toolTip(), "Zor Chat!");
    ASSERT_TRUE(waitUntil([&] { return chat->SirenNews->isVisible(); }));
    EXPECT_FALSE(chat->SirenChat->isVisible());

    chat->ImageNews->click();
    EXPECT_FALSE(chat->SirenNews->isVisible());
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].toString().toStdString(), base(s.service.port()) + "/news.html");
    EXPECT_EQ(online::loadNewsFile(s.shared(online::kNewsFileName)), 2);

    // A game: the calendar beats on for the chat that should open by itself; a message of
    // another player arrives, and the 90th beat opens the chat.
    clickNewPlayer(w);
    ASSERT_EQ(w.screen(), TForm1::Screen::Game);
    EXPECT_FALSE(chat->ImageChat->isVisible());
    EXPECT_TRUE(w.calendar().TimerCalTimer.isActive());
    ASSERT_TRUE(waitUntil([&] { return w.online().running() == 0; }));  // the menu's check
    s.service.post("/rec/write",
                   "gid=100&nick=Bob&city=Omsk&country=1-001&score=1&R7=M&R8=5.7f&R9=st&R10=hi*");
    for (int i = 0; i < ChatWatch::kChatTicks; ++i) w.calendar().tick();
    ASSERT_TRUE(waitUntil([&] { return chat->chatWindow() != nullptr; }));
    EXPECT_TRUE(chat->chatWatch().unseenMessages());
    EXPECT_TRUE(chat->chatWindow()->sendOpen())
        << "a new installation chats with the default passport before its settings are saved";
    QFile log(o.soundLog);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(log.readAll()).endsWith("WToMenK async\nWOpenFo async\n"))
        << "the new message's sound, then the window's";
    ASSERT_TRUE(
        waitUntil([&] { return chat->chatWindow()->shownRows()[0].startsWith("new 1. Bob"); }));
    chat->chatWindow()->Button2->click();
    ASSERT_TRUE(waitUntil([&] { return chat->chatWindow() == nullptr; }));
    EXPECT_FALSE(chat->chatWatch().unseenMessages());
    EXPECT_EQ(online::loadChatFile(s.shared(online::kChatFileName)).lastSeen, 1);
}

TEST(ChatIndicators, APausedChatDoesNotOpen) {
    EnglishAfterwards english;
    WindowOnService s;
    setOnService(s.service, "chat_paused", "on");
    TForm1 w(fastOptionsWith(s.libs));
    w.show();
    s.pointAtService(w);
    ASSERT_TRUE(w.online().addresses().chatPaused);
    QTest::keyClick(&w, Qt::Key_Space);
    auto* chat = w.feature<ChatFeature>();
    ASSERT_NE(chat, nullptr);
    chat->ImageChat->click();
    EXPECT_EQ(chat->chatWindow(), nullptr);
    const auto told = w.findChildren<dialogs::MessageWindow*>();
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told[0]->lines(), QStringList{"Chat is temporarily unavailable!"});
}

}  // namespace
}  // namespace orvala::app
