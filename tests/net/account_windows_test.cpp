// The account window against a real service: an account created and logged in, the account
// file, the global-rating box and sign-out; a transfer between two accounts with its checks and
// messages; the personal page and the photo through the page editor.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include <QLabel>

#include "app/online/account_window.h"
#include "app/online/online_feature.h"
#include "app/tform1.h"
#include "app/window_parts.h"
#include "core/online/operations.h"
#include "core/records/club_member.h"
#include "dialogs/chat_dialog.h"
#include "dialogs/count_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/password_dialog.h"
#include "dialogs/radio_dialog.h"
#include "core/online/account.h"
#include "dialogs/account_page_dialog.h"
#include "dialogs/confirmation.h"
#include "dialogs/field_lamp.h"
#include "dialogs/message_window.h"
#include "service_in_qt_test.h"

namespace orvala::app {
namespace {

using online::AccountState;
using table::word;

using testing_qt::base;
using testing_qt::waitUntil;

// The first line of the message the window shows next; the message is closed.
QString nextMessage(QWidget* over) {
    dialogs::MessageWindow* m = nullptr;
    waitUntil([&] { return (m = over->findChild<dialogs::MessageWindow*>()) != nullptr; });
    if (!m) return {};
    const QString line = m->lines().value(0);
    m->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return line;
}

struct Player {
    AccountState state = AccountState::LoggedOut;
    std::optional<online::Account> account;
    QTemporaryDir dir;
    int changes = 0;

    AccountWindow* open(net::OnlineClient& client, const std::string& president = {}) {
        AccountLink link;
        link.state = &state;
        link.account = &account;
        link.accountFile = dir.filePath("ZorUser.zor").toStdString();
        link.presidentNick = president;
        link.changed = [this] { ++changes; };
        return AccountWindow::open(nullptr, client, std::move(link));
    }
};

void typeAccount(dialogs::TFAcc1* w, const QString& nick, const QString& pw) {
    w->EditNick->setText(nick);
    w->EditPw->setText(pw);
}

void logIn(dialogs::TFAcc1* w, Player& p, const QString& nick, const QString& pw) {
    typeAccount(w, nick, pw);
    w->ButtonLogin->click();
    ASSERT_TRUE(waitUntil([&] { return p.state == AccountState::LoggedIn; }));
}

TEST(AccountWindow, CreateLoginFileGlobalRatingAndSignOut) {
    using namespace orvala::service::testing;
    TestService service(service::Engine::Sqlite);
    net::OnlineClient client(online::addressesAt(base(service.port())));
    Player ann;
    auto* errands = ann.open(client);
    auto* w = errands->window();
    ASSERT_TRUE(w->isVisible());
    EXPECT_EQ(w->Pages->count(), 6);
    EXPECT_FALSE(w->ButtonCreate->isEnabled());
    EXPECT_FALSE(w->CheckGlobal->isEnabled());
    EXPECT_EQ(w->LampState->lamp(), online::Lamp::Red);

    typeAccount(w, "ann", "secret1");
    w->EditCity->setText(QString::fromUtf8("Тула"));
    w->EditEMail->setText("ann@");
    EXPECT_EQ(w->LampCity->lamp(), online::Lamp::Yellow);
    EXPECT_EQ(w->LampEMail->lamp(), online::Lamp::Red);
    EXPECT_FALSE(w->ButtonCreate->isEnabled());
    w->EditEMail->setText("ann@example.org");
    // A character outside the allowed set is refused as it is typed.
    w->EditEMail->setFocus();
    w->EditEMail->end(false);
    w->EditEMail->insert("#");
    EXPECT_EQ(w->EditEMail->text(), "ann@example.org");
    w->ComboContinent->setCurrentIndex(5);
    w->ComboCountry->setCurrentIndex(12);
    ASSERT_TRUE(w->ButtonCreate->isEnabled());
    w->ButtonCreate->click();
    EXPECT_EQ(nextMessage(w), word(WordRow::AccountCreated));
    ASSERT_TRUE(waitUntil([&] { return ann.state == AccountState::LoggedIn; }));
    const auto stored =
        service.db().queryOne("SELECT city, country1, country2 FROM accounts WHERE nick = 'ann'");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->text(1), "Congo_Rep.");
    EXPECT_EQ(stored->text(2), "6-012");
    EXPECT_EQ(w->ButtonLogin->text(), word(WordRow::SignOut));
    EXPECT_FALSE(w->ButtonCreate->isEnabled());
    ASSERT_TRUE(waitUntil([&] { return !w->LabelResults->text().isEmpty(); }));
    EXPECT_TRUE(w->LabelResults->text().contains("0,000"));
    EXPECT_TRUE(w->LabelResults->text().contains(word(WordRow::ClubMembers) + "1"));
    ASSERT_TRUE(waitUntil([&] { return w->LabelBalance->text() == "0"; }));

    // The box moves the state between 2 and 3.
    ASSERT_TRUE(w->CheckGlobal->isEnabled());
    w->CheckGlobal->click();
    EXPECT_EQ(ann.state, AccountState::GlobalRating);
    EXPECT_EQ(w->LampState->lamp(), online::Lamp::Green);
    w->CheckGlobal->click();
    EXPECT_EQ(ann.state, AccountState::LoggedIn);

    // "Save" writes the file the start-up login reads, and goes off; "Delete" removes it.
    ASSERT_TRUE(w->ButtonSave->isEnabled());
    w->ButtonSave->click();
    const auto file = online::readAccountFile(ann.dir.filePath("ZorUser.zor").toStdString());
    ASSERT_TRUE(file);
    EXPECT_EQ(file->nick, "ann");
    EXPECT_EQ(file->pw, "secret1");
    EXPECT_FALSE(w->ButtonSave->isEnabled());
    w->ButtonDelete->click();
    EXPECT_FALSE(QFile::exists(ann.dir.filePath("ZorUser.zor")));

    w->ButtonLogin->click();  // "Sign out"
    EXPECT_EQ(ann.state, AccountState::LoggedOut);
    EXPECT_FALSE(w->CheckGlobal->isEnabled());
    EXPECT_EQ(w->ButtonLogin->text(), word(WordRow::LoginToAccount));
    EXPECT_TRUE(w->LabelResults->text().isEmpty());
    EXPECT_TRUE(w->LabelBalance->text().isEmpty());

    // The same nick again is refused; a wrong password fails the login; the right one logs in.
    ASSERT_TRUE(w->ButtonCreate->isEnabled());
    w->ButtonCreate->click();
    EXPECT_EQ(nextMessage(w), word(WordRow::SameNickInClub));
    EXPECT_EQ(w->LabelDate->text(), "00.00.0000");
    EXPECT_EQ(ann.state, AccountState::LoggedOut);
    w->EditPw->setText("secret2");
    w->ButtonLogin->click();
    EXPECT_EQ(nextMessage(w), word(WordRow::LoginFailed));
    EXPECT_EQ(ann.state, AccountState::LoggedOut);
    logIn(w, ann, "ann", "secret1");
    EXPECT_EQ(ann.account->City, "\xD2\xF3\xEB\xE0");  // "Тула" in Windows-1251
    EXPECT_GE(ann.changes, 5);
    w->close();
}

TEST(AccountWindow, ATransferBetweenTwoAccounts) {
    using namespace orvala::service::testing;
    TestService service(service::Engine::Sqlite);
    ASSERT_EQ(registerAccount(service, "ann", "secret1"), "ok");
    ASSERT_EQ(registerAccount(service, "bob", "secret2"), "ok");
    service.db().execute("UPDATE accounts SET balance = 100 WHERE nick = 'ann'");
    net::OnlineClient client(online::addressesAt(base(service.port())));
    Player ann;
    auto* w = ann.open(client)->window();
    logIn(w, ann, "ann", "secret1");
    ASSERT_TRUE(waitUntil([&] { return w->balance() == 100; }));
    EXPECT_EQ(ann.account->R04, 100);

    // Refused before any request: more than the balance, and nothing.
    w->EditReceiver->setText("bob");
    w->EditAmount->setText("101");
    w->ButtonTransfer->click();
    EXPECT_EQ(nextMessage(w), word(WordRow::NotEnoughZors));
    w->EditAmount->setText("0");
    w->ButtonTransfer->click();
    EXPECT_EQ(nextMessage(w), word(WordRow::EmptyTransfer));
    w->EditReceiver->setText("ann");  // to oneself
    w->EditAmount->setText("5");
    w->ButtonTransfer->click();
    EXPECT_EQ(nextMessage(w), word(WordRow::EmptyTransfer));
    EXPECT_EQ(w->findChild<dialogs::Confirmation*>(), nullptr);

    const auto answer = [&](bool yes) {
        dialogs::Confirmation* q = nullptr;
        ASSERT_TRUE(waitUntil([&] { return (q = w->findChild<dialogs::Confirmation*>()); }));
        (yes ? q->yesButton : q->noButton)->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    const auto balanceOf = [&](const char* nick) {
        return service.db()
            .queryOne("SELECT balance FROM accounts WHERE nick = $1", {std::string(nick)})
            ->integer(0);
    };
    // A receiver the club does not know: nothing moves.
    w->EditReceiver->setText("nobody");
    w->EditAmount->setText("40");
    w->ButtonTransfer->click();
    answer(true);
    EXPECT_EQ(nextMessage(w), word(WordRow::NoClubMemberWithNick));
    EXPECT_EQ(balanceOf("ann"), 100);
    // "No" sends nothing.
    w->EditReceiver->setText("bob");
    w->ButtonTransfer->click();
    answer(false);
    EXPECT_EQ(balanceOf("bob"), 0);
    // The whole balance is allowed.
    w->EditAmount->setText("100");
    w->ButtonTransfer->click();
    answer(true);
    EXPECT_EQ(nextMessage(w), word(WordRow::TransferIsSuccessful));
    EXPECT_EQ(balanceOf("ann"), 0);
    EXPECT_EQ(balanceOf("bob"), 100);
    ASSERT_TRUE(waitUntil([&] { return w->balance() == 0; }));
    // The balance moved elsewhere meanwhile: read again before the transfer, it refuses.
    service.db().execute("UPDATE accounts SET balance = 10 WHERE nick = 'ann'");
    w->ButtonRefresh->click();
    ASSERT_TRUE(waitUntil([&] { return w->balance() == 10; }));
    service.db().execute("UPDATE accounts SET balance = 5 WHERE nick = 'ann'");
    w->EditAmount->setText("8");
    w->ButtonTransfer->click();
    answer(true);
    EXPECT_EQ(nextMessage(w), word(WordRow::NotEnoughZors));
    EXPECT_EQ(balanceOf("bob"), 100);

    // "Refill Zors" tells where they are bought: a link to the club's page, which the service
    // serves.
    w->ButtonRefill->click();
    dialogs::MessageWindow* refill = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (refill = w->findChild<dialogs::MessageWindow*>()); }));
    const QString page = QString::fromStdString(base(service.port())) + "/zors.html";
    EXPECT_EQ(refill->lines(), (QStringList{word(WordRow::HowToRefillZors), page}));
    auto* link = refill->findChild<QLabel*>("link");
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->openExternalLinks());
    EXPECT_TRUE(link->text().contains("href=\"" + page + "\""));
    EXPECT_EQ(service.get("/zors.html").status, 200);
    refill->close();

    // The country list shows each country's flag, drawn for it.
    ASSERT_GT(w->ComboCountry->count(), 3);
    const auto flag = [&](int item) {
        return w->ComboCountry->itemIcon(item).pixmap(w->ComboCountry->iconSize()).toImage();
    };
    EXPECT_FALSE(flag(1).isNull());
    EXPECT_NE(flag(1), flag(2));
    EXPECT_NE(flag(0), flag(1));  // "Unknown" has its own
    w->close();
}

TEST(AccountWindow, ThePersonalPageThePhotoAndOtherMembersPages) {
    using namespace orvala::service::testing;
    TestService service(service::Engine::Sqlite);
    ASSERT_EQ(registerAccount(service, "ann", "secret1"), "ok");
    ASSERT_EQ(registerAccount(service, "boss", "secret2"), "ok");
    net::OnlineClient client(online::addressesAt(base(service.port())));
    Player ann;
    auto* errands = ann.open(client, "boss");
    auto* w = errands->window();
    ASSERT_TRUE(waitUntil([&] { return w->PresidentPage->nick() == "boss"; }));
    EXPECT_FALSE(w->PresidentPage->hasPhoto());
    EXPECT_FALSE(w->ButtonEdit->isEnabled());
    logIn(w, ann, "ann", "secret1");

    w->ButtonEdit->click();
    auto* editor = errands->editor();
    ASSERT_NE(editor, nullptr);
    editor->edits[0]->setText("Ann");
    editor->edits[2]->setText("I like cards~and tea");
    editor->ButtonUpdate->click();
    ASSERT_TRUE(waitUntil([&] { return w->MyPage->texts().value(0) == "Ann"; }));
    EXPECT_EQ(w->MyPage->texts().value(2), "I like cards_and tea");

    // A file that is no JPEG is told and not sent; a JPEG is uploaded and shown back.
    QTemporaryDir dir;
    const QString text = dir.filePath("note.jpg");
    QFile(text).open(QIODevice::WriteOnly);
    editor->photoFileChosen(text);
    EXPECT_EQ(nextMessage(editor), word(WordRow::PhotoFormat));
    const QString photo = dir.filePath("me.jpg");
    QImage picture(200, 250, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(photo, "JPEG"));
    editor->photoFileChosen(photo);
    ASSERT_TRUE(waitUntil([&] { return editor->hasPhoto() && w->MyPage->hasPhoto(); }));
    EXPECT_TRUE(service.db().queryOne("SELECT 1 FROM photos WHERE nick = 'ann'"));

    // Another member's page by nick: bob's is read without his password.
    w->EditMember->setText("boss");
    w->ButtonMember->click();
    ASSERT_TRUE(waitUntil([&] { return w->MyPage->nick() == "boss"; }));
    EXPECT_FALSE(w->MyPage->hasPhoto());
    editor->close();
    w->close();
}

}  // namespace
}  // namespace orvala::app

namespace orvala::app {
namespace {

// The main window logs in the account that "ZorUser.zor" (in the folder above the program
// folder) names once it has read the configuration page, which also names the president.
TEST(AccountWindow, TheMainWindowLogsInFromTheAccountFileAtStart) {
    using namespace orvala::service::testing;
    TestService service(service::Engine::Sqlite, {}, [](service::ServiceConfig& c) {
        c.presidentNick = "ann";
        // No addresses on the page: the window stays with ORVALA_SERVICE's.
        c.publicUrl.clear();
    });
    ASSERT_EQ(registerAccount(service, "ann", "secret1"), "ok");
    QTemporaryDir dir;
    LaunchOptions options;
    options.programFolder = QDir(dir.path()).filePath("Orvala");
    QDir().mkpath(options.programFolder);
    options.fast = true;
    options.musicFolder = dir.path();
    ASSERT_TRUE(
        online::writeAccountFile(dir.filePath("ZorUser.zor").toStdString(), "ann", "secret1"));
    qputenv("ORVALA_SERVICE", QByteArray::fromStdString(base(service.port())));
    TForm1 w(options);
    qunsetenv("ORVALA_SERVICE");
    auto* web = w.feature<OnlineFeature>();
    ASSERT_NE(web, nullptr);
    ASSERT_TRUE(waitUntil([&] { return w.account().state() == AccountState::LoggedIn; }));
    EXPECT_EQ(w.account().account()->Nick, "ann");
    EXPECT_EQ(web->AccountIcon->property("state").toInt(), 2);
    EXPECT_EQ(w.online().addresses().presidentNick, "ann");
    web->ShowAccount();
    auto* account = w.findChild<dialogs::TFAcc1*>();
    ASSERT_NE(account, nullptr);
    EXPECT_EQ(account->ButtonLogin->text(), word(WordRow::SignOut));
    ASSERT_TRUE(waitUntil([&] { return account->PresidentPage->nick() == "ann"; }));
    account->ButtonLogin->click();
    EXPECT_EQ(w.account().state(), AccountState::LoggedOut);
    EXPECT_EQ(web->AccountIcon->property("state").toInt(), 1);
    account->close();
}

}  // namespace
}  // namespace orvala::app
