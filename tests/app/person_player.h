#pragma once
// A person at the window for tests of whole games: it presses the enabled buttons, bids a little,
// gives the two rightmost cards, answers the contract dialog and clicks legal cards (and, a few
// times, an illegal one, which must change nothing).

#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "app/tform1.h"
#include "app/window_parts.h"
#include "core/online/operations.h"
#include "core/records/club_member.h"
#include "dialogs/chat_dialog.h"
#include "dialogs/contract_dialog.h"
#include "dialogs/count_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/password_dialog.h"
#include "dialogs/radio_dialog.h"

namespace orvala::app {

// Plays the person's seat as a person would: presses enabled buttons, clicks legal cards.
class Person {
  public:
    explicit Person(TForm1& w) : w_(w) {}
    int contractDialogs = 0;
    int illegalClicks = 0;

    // The contract dialog opens once the table shows the given cards; the window goes on
    // meanwhile, and the rules wait for its answer.
    bool answerContractDialog() {
        auto* dialog = w_.findChild<dialogs::TFormZakaz*>();
        if (!dialog || !dialog->isVisible()) return false;
        ++contractDialogs;
        QTest::mouseClick(dialog->BitBtn[5], Qt::LeftButton);  // five more than the bid
        QTest::mouseClick(dialog->Button1, Qt::LeftButton);
        return true;
    }

    void act() {
        if (answerContractDialog() || w_.busy()) return;
        const GameRecord& g = w_.rules().g;
        auto click7 = [&] { QTest::mouseClick(w_.Button7, Qt::LeftButton); };
        if (g.GameState == GameState::PersonBids && w_.Button7->isEnabled()) {
            if (g.CurrentBid < 105 || !w_.Button8->isEnabled())
                click7();
            else
                QTest::mouseClick(w_.Button8, Qt::LeftButton);
            return;
        }
        if ((g.GameState == GameState::ChoosingGive || g.GameState == GameState::GiveChosen) &&
            g.Declarer == 3 && !w_.Button7->isEnabled()) {
            // Give the two rightmost cards.
            const int next = g.GiveSlot1 == 0 ? g.HandCount[3] : g.HandCount[3] - 1;
            QTest::mouseClick(&w_, Qt::LeftButton, {}, w_.view().slotPoint(next));
            return;
        }
        if (g.GameState == GameState::PersonPlays) {
            for (int k = 1; k <= g.HandCount[3]; ++k) {
                if (!canPlaySlot(w_.rules(), k)) {
                    if (illegalClicks < 3) {
                        ++illegalClicks;
                        const GameRecord before = g;
                        QTest::mouseClick(&w_, Qt::LeftButton, {}, w_.view().slotPoint(k));
                        EXPECT_EQ(w_.rules().g, before);
                    }
                    continue;
                }
                QTest::mouseClick(&w_, Qt::LeftButton, {}, w_.view().slotPoint(k));
                return;
            }
        }
        if (w_.Button7->isVisible() && w_.Button7->isEnabled()) click7();
    }

  private:
    TForm1& w_;
};

// The person plays at `w` (a step each millisecond, through `runUntil`) until the game is over
// and the table still; false when `ms` run out first.
template <class RunUntil>
bool playToGameOver(TForm1& w, RunUntil runUntil, int ms = 280000) {
    Person person(w);
    QTimer hand;
    QObject::connect(&hand, &QTimer::timeout, [&] { person.act(); });
    hand.start(1);
    return runUntil([&] { return w.rules().g.GameState == GameState::GameOver && !w.busy(); }, ms);
}

}  // namespace orvala::app
