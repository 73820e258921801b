// The table by keyboard alone and as a screen reader reads it: a whole deal played with keys
// from the title on, the focus over the hand, the accessible objects and their words in two
// languages, and the announcements in the order of the events.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <set>

#include "app/access/access_feature.h"
#include "app/tform1.h"
#include "core/lang/word_table.h"
#include "dialogs/contract_dialog.h"
#include "dialogs/password_dialog.h"
#include "window_helpers.h"

namespace orvala::app {
namespace {

// The window's accessible children with a role, by name order of appearance.
std::vector<QAccessibleInterface*> childrenWithRole(QAccessibleInterface* parent,
                                                    QAccessible::Role role) {
    std::vector<QAccessibleInterface*> found;
    for (int i = 0; i < parent->childCount(); ++i)
        if (QAccessibleInterface* c = parent->child(i); c && c->role() == role) found.push_back(c);
    return found;
}

QAccessibleInterface* handList(TForm1& w) {
    for (QAccessibleInterface* list :
         childrenWithRole(QAccessible::queryAccessibleInterface(&w), QAccessible::List))
        if (list->text(QAccessible::Name) ==
            QString::fromStdString(std::string(Word(WordRow::SpokenYourHand))))
            return list;
    return nullptr;
}

// Leaves the title and starts a game as a new member, by keys alone.
void startGameByKeys(TForm1& w) {
    QTest::keyClick(&w, Qt::Key_Space);  // the title goes at any key
    ASSERT_EQ(w.screen(), TForm1::Screen::Menu);
    // Tab reaches "New Player" among the menu's keys.
    QApplication::setActiveWindow(&w);
    for (int i = 0; i < 40 && !w.Button6->hasFocus(); ++i)
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w,
                        Qt::Key_Tab);
    ASSERT_TRUE(w.Button6->hasFocus());
    QTest::keyClick(w.Button6, Qt::Key_Space);
    auto* login = w.findChild<dialogs::TFormPassword*>();
    ASSERT_TRUE(login);
    QTest::keyClicks(login->Edit1, "Keys");
    QTest::keyClicks(login->Edit2, "pw");
    if (login->Edit3) QTest::keyClicks(login->Edit3, "pw");
    QTest::keyClick(login->Edit2, Qt::Key_Return);
    ASSERT_EQ(w.screen(), TForm1::Screen::Game);
}

// The deal started by F7 where the table asks for it, up to the person's bid.
bool untilPersonBids(TForm1& w) {
    return runUntil(
        [&] {
            if (w.busy()) return false;
            if (w.rules().g.GameState == GameState::PersonBids) return true;
            if (w.Button7->isVisible() && w.Button7->isEnabled()) QTest::keyClick(&w, Qt::Key_F7);
            return false;
        },
        20000);
}

// A person at the keyboard: F7 and F8 for the buttons, the arrows and Enter for the cards,
// Up and Enter in the contract dialog.
class KeyPerson {
  public:
    KeyPerson(TForm1& w, AccessFeature& keys) : w_(w), keys_(keys) {}
    int refused = 0, cardsByKey = 0, contracts = 0;

    void act() {
        if (auto* d = w_.findChild<dialogs::TFormZakaz*>(); d && d->isVisible()) {
            const int before = d->pending();
            QTest::keyClick(d, Qt::Key_Up);
            EXPECT_NE(d->pending(), before);
            QTest::keyClick(d, Qt::Key_Return);
            ++contracts;
            return;
        }
        if (w_.busy()) return;
        const GameRecord& g = w_.rules().g;
        if (g.GameState == GameState::PersonBids && w_.Button7->isEnabled()) {
            QTest::keyClick(
                &w_, g.CurrentBid < 105 || !w_.Button8->isEnabled() ? Qt::Key_F7 : Qt::Key_F8);
            return;
        }
        if ((g.GameState == GameState::ChoosingGive || g.GameState == GameState::GiveChosen) &&
            g.Declarer == 3 && !w_.Button7->isEnabled()) {
            // Every card may be given: the focus visits the whole hand.
            if (keys_.focusedCard() == g.GiveSlot1) QTest::keyClick(&w_, Qt::Key_Right);
            if (keys_.focusedCard() == g.GiveSlot1) QTest::keyClick(&w_, Qt::Key_Left);
            QTest::keyClick(&w_, Qt::Key_Return);
            return;
        }
        if (g.GameState == GameState::PersonPlays) {
            const int n = g.HandCount[3];
            int legal = 0;
            for (int k = 1; k <= n; ++k) legal += canPlaySlot(w_.rules(), k) ? 1 : 0;
            if (!canPlaySlot(w_.rules(), keys_.focusedCard()) && refused < 2) {
                // Refused by key as by mouse: nothing changes.
                const GameRecord before = g;
                QTest::keyClick(&w_, Qt::Key_Return);
                EXPECT_EQ(w_.rules().g, before);
                ++refused;
            }
            // Where only some cards may be played, the focus visits only those.
            std::set<int> seen;
            for (int k = 0; k < n; ++k) {
                QTest::keyClick(&w_, k % 2 ? Qt::Key_Left : Qt::Key_Right);
                seen.insert(keys_.focusedCard());
            }
            for (int slot : seen) EXPECT_TRUE(canPlaySlot(w_.rules(), slot)) << slot;
            if (legal < n) {
                QTest::keyClick(&w_, Qt::Key_Home);
                QTest::keyClick(&w_, Qt::Key_End);
                EXPECT_TRUE(canPlaySlot(w_.rules(), keys_.focusedCard()));
            }
            QTest::keyClick(&w_, Qt::Key_Return);
            ++cardsByKey;
            return;
        }
        if (w_.Button7->isVisible() && w_.Button7->isEnabled()) QTest::keyClick(&w_, Qt::Key_F7);
    }

  private:
    TForm1& w_;
    AccessFeature& keys_;
};

TEST(KeyboardPlay, AWholeDealFromTheTitleOnByKeysAloneWithTheTableSpoken) {
    QTemporaryDir dir;
    TForm1 w(fastOptionsIn(dir));
    QuickComputers quick;
    w.session().setPlayers(&quick.players);
    w.show();
    w.activateWindow();
    startGameByKeys(w);
    auto* keys = w.feature<AccessFeature>();
    ASSERT_TRUE(keys);
    // What a screen reader is told, with the object's name as it is then.
    std::vector<std::pair<QAccessible::Event, QString>> events;
    keys->accessibility().observe([&](QAccessible::Event type, QAccessibleInterface* item) {
        events.push_back({type, item->text(QAccessible::Name)});
    });

    // Before the person's turn the arrows visit every card in order.
    ASSERT_TRUE(untilPersonBids(w));
    const int n = w.rules().g.HandCount[3];
    QTest::keyClick(&w, Qt::Key_Home);
    for (int k = 1; k <= n; ++k) {
        EXPECT_EQ(keys->focusedCard(), k);
        QTest::keyClick(&w, Qt::Key_Right);
    }
    EXPECT_EQ(keys->focusedCard(), n);  // the last stays
    // The keyboard's card is the one the screen reader hears about.
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().first, QAccessible::Focus);
    EXPECT_EQ(events.back().second, handList(w)->child(n - 1)->text(QAccessible::Name));

    KeyPerson person(w, *keys);
    QTimer hand;
    QObject::connect(&hand, &QTimer::timeout, [&] { person.act(); });
    hand.start(1);
    const bool dealt = runUntil([&] { return w.dealsPlayed() >= 1; }, 120000);
    hand.stop();
    keys->accessibility().observe(nullptr);
    ASSERT_TRUE(dealt) << "state " << w.rules().g.GameState;
    EXPECT_GT(person.cardsByKey + person.contracts, 0);

    // The announcements: what the status bar said, one name change each, in order; bids come
    // before tricks and the deal's scores come last, with the scores the rules counted. What
    // one batch of events says is one announcement, so a screen reader reads each whole.
    const QStringList& said = keys->announcements();
    QStringList statusNames;
    for (const auto& [type, name] : events)
        if (type == QAccessible::NameChanged) statusNames << name;
    EXPECT_EQ(statusNames, said);
    ASSERT_GE(said.size(), 3);
    const GameRecord& g = w.rules().g;
    // The two computers are both "PC": the side they sit on tells them apart.
    const QString scores = QString("Deal over. Scores: PC (left) %1, PC (right) %2, Keys %3")
                               .arg(g.Score[1])
                               .arg(g.Score[2])
                               .arg(g.Score[3]);
    EXPECT_TRUE(said.back().endsWith(scores)) << said.back().toStdString();
    EXPECT_EQ(said.filter("Deal over.").size(), 1) << said.join(" | ").toStdString();
    const auto firstTrick = said.indexOf(QRegularExpression(".*takes the trick.*"));
    const auto lastBid = said.lastIndexOf(QRegularExpression(".*: (I play on \\d+|Pass).*"));
    if (firstTrick >= 0) {
        EXPECT_LT(lastBid, firstTrick);
    }
}

TEST(KeyboardPlay, TheTableReadsInTheLanguageOfTheMoment) {
    EnglishAfterwards english;
    QTemporaryDir dir;
    TForm1 w(fastOptionsIn(dir));
    QuickComputers quick;
    w.session().setPlayers(&quick.players);
    w.show();
    startGameByKeys(w);
    ASSERT_TRUE(untilPersonBids(w));
    struct Language {
        int index;
        QRegularExpression card, seat;
        QString hint;
    };
    for (const Language& l :
         {Language{0,
                   QRegularExpression("^(Nine|Ten|Jack|Queen|King|Ace) of "
                                      "(hearts|diamonds|clubs|spades)$"),
                   QRegularExpression("^Keys, \\d+(, bids \\d+)?(, to move)?$"), "Key: F7"},
          Language{1,
                   QRegularExpression("^(Девятка|Десятка|Валет|Дама|Король|Туз) "
                                      "(червей|бубен|треф|пик)$"),
                   QRegularExpression("^Keys, \\d+(, ставка \\d+)?(, ходит)?$"), "Клавиша: F7"}}) {
        w.SetLanguage(l.index);
        QAccessibleInterface* hand = handList(w);
        ASSERT_TRUE(hand) << l.index;
        ASSERT_EQ(hand->childCount(), w.rules().g.HandCount[3]);
        for (int i = 0; i < hand->childCount(); ++i)
            EXPECT_TRUE(l.card.match(hand->child(i)->text(QAccessible::Name)).hasMatch())
                << hand->child(i)->text(QAccessible::Name).toStdString();
        // The person is asked to bid: it is the person's move, and no card may be played.
        const auto seats =
            childrenWithRole(QAccessible::queryAccessibleInterface(&w), QAccessible::StaticText);
        QStringList seatNames;
        for (auto* s : seats) seatNames << s->text(QAccessible::Name);
        ASSERT_GE(seatNames.size(), 3);
        EXPECT_TRUE(l.seat.match(seatNames.last()).hasMatch()) << seatNames.last().toStdString();
        EXPECT_TRUE(seatNames.last().contains(l.index == 0 ? "to move" : "ходит"));
        EXPECT_TRUE(hand->child(0)->state().disabled);
        // The owner-drawn buttons: named by their captions, their key in the description.
        QAccessibleInterface* b7 = QAccessible::queryAccessibleInterface(w.Button7);
        EXPECT_EQ(b7->role(), QAccessible::Button);
        EXPECT_EQ(b7->text(QAccessible::Name), w.Button7->text());
        EXPECT_EQ(b7->text(QAccessible::Description), l.hint);
    }
}

}  // namespace
}  // namespace orvala::app
