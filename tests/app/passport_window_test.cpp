// "My Passport" from the options' "Passport" button, and the account window from the menu's
// account button.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

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
#include "dialogs/account_dialog.h"
#include "dialogs/field_lamp.h"
#include "dialogs/passport_dialog.h"
#include "window_helpers.h"

namespace orvala::app {
namespace {

TEST(PassportWindow, ChecksNickAndCityAndKeepsEveryChoiceAtOnce) {
    QTemporaryDir dir;
    TForm1 w(fastOptionsIn(dir));
    w.applyWindowSize();
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);
    QTest::mouseClick(w.menu().Button10, Qt::LeftButton);
    auto* options = w.findChild<dialogs::TFormOptions*>();
    ASSERT_NE(options, nullptr);
    ASSERT_TRUE(options->Button4->isEnabled());
    options->Button4->click();
    auto* d = w.findChild<dialogs::TFormServerInfo*>();
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(d->isVisible());
    EXPECT_EQ(d->EditNick->text(), "Incognito");
    EXPECT_EQ(d->LampNick->lamp(), online::Lamp::Green);

    // A one-character nick is red: not kept, "Ok" off, and the window stays open.
    d->EditNick->setText("a");
    EXPECT_EQ(d->LampNick->lamp(), online::Lamp::Red);
    EXPECT_FALSE(d->ButtonOk->isEnabled());
    EXPECT_NE(w.settings().OnlineNick, "a");
    d->close();
    EXPECT_TRUE(d->isVisible());
    // A Cyrillic nick is yellow and kept here; a key outside the set is refused.
    d->EditNick->setText(QString::fromUtf8("Аня"));
    EXPECT_EQ(d->LampNick->lamp(), online::Lamp::Yellow);
    EXPECT_EQ(w.settings().OnlineNick, "\xC0\xED\xFF");
    d->EditNick->setFocus();
    QTest::keyClicks(d->EditNick, "#$");
    EXPECT_EQ(d->EditNick->text(), QString::fromUtf8("Аня"));
    // A red city holds the nick back too.
    d->EditCity->setText("");
    EXPECT_EQ(d->LampCity->lamp(), online::Lamp::Red);
    d->EditNick->setText("Anya");
    EXPECT_EQ(w.settings().OnlineNick, "\xC0\xED\xFF");
    d->EditCity->setText("Oslo");
    EXPECT_EQ(w.settings().OnlineCity, "Oslo");

    // A continent sets its "Unknown", a country its number, the sex its letter.
    d->ComboContinent->setCurrentIndex(1);
    emit d->ComboContinent->activated(1);
    EXPECT_EQ(w.settings().OnlineLocation, "2-000");
    EXPECT_EQ(d->ComboCountry->count(), 52);
    emit d->ComboCountry->activated(10);
    EXPECT_EQ(w.settings().OnlineLocation, "2-010");
    emit d->ComboSex->activated(1);
    EXPECT_EQ(w.settings().OnlineGender, "W");
    d->ButtonOk->click();
    EXPECT_FALSE(d->isVisible());
    options->Button1->click();
}

TEST(AccountButton, OpensTheAccountWindowFromTheMenu) {
    QTemporaryDir dir;
    TForm1 w(fastOptionsIn(dir));
    w.applyWindowSize();
    w.show();
    auto* web = w.feature<OnlineFeature>();
    ASSERT_NE(web, nullptr);
    ASSERT_NE(web->AccountIcon, nullptr);
    EXPECT_FALSE(web->AccountIcon->isVisible());  // the title screen
    QTest::keyClick(&w, Qt::Key_Space);
    ASSERT_TRUE(web->AccountIcon->isVisible());
    EXPECT_EQ(web->AccountIcon->property("state").toInt(), 1);
    web->AccountIcon->click();
    auto* account = w.findChild<dialogs::TFAcc1*>();
    ASSERT_NE(account, nullptr);
    EXPECT_TRUE(account->isVisible());
    EXPECT_EQ(account->LampState->lamp(), online::Lamp::Red);
    account->close();
}

}  // namespace
}  // namespace orvala::app
