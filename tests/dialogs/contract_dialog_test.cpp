// The contract dialog: its buttons step the value with wrap-around and show which way they
// step, it answers on "Ok", and nothing else closes it. It is opened as the game opens it, and
// the test's own event loop is never taken from it.

#include "dialogs/contract_dialog.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <cstdlib>
#include <optional>

namespace orvala::dialogs {
namespace {

void click(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

TEST(ContractDialog, StepsWithWrapAroundAndAnswersOnlyOnOk) {
    std::optional<int> answer;
    QPointer<TFormZakaz> dialog = new TFormZakaz({120, true});
    QObject::connect(dialog, &TFormZakaz::answered, [&](int c) { answer = c; });
    dialog->open();
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->BitBtn[1]->isEnabled());  // steps of 1 only without rounding
    EXPECT_FALSE(dialog->BitBtn[4]->isEnabled());
    click(dialog->BitBtn[2]);  // lower by 5 from the bid: the top
    EXPECT_EQ(dialog->pending(), 300);
    click(dialog->BitBtn[6]);  // raise by 10 from the top: the bid
    EXPECT_EQ(dialog->pending(), 120);
    click(dialog->BitBtn[5]);
    EXPECT_EQ(dialog->findChild<QLabel*>("value")->text(), "125");

    QTest::keyClick(dialog, Qt::Key_Escape);
    dialog->close();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(answer);

    click(dialog->Button1);
    EXPECT_EQ(answer, 125);
    EXPECT_FALSE(dialog->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}

// The captions are bare numbers; the sign on each button is the way a click on it moves the
// value, and it is what tells the two buttons captioned "1" apart on the screen.
TEST(ContractDialog, EachStepButtonShowsTheWayItSteps) {
    QPointer<TFormZakaz> dialog = new TFormZakaz({100, false});
    dialog->open();
    for (int k = 0; k < 10; ++k) click(dialog->BitBtn[6]);  // 200: no step wraps from here
    for (int i = 1; i <= 6; ++i) {
        auto* b = dialog->BitBtn[i];
        const int before = dialog->pending();
        click(b);
        const int change = dialog->pending() - before;
        EXPECT_EQ(b->property("delta").toInt(), change) << i;
        EXPECT_EQ(b->text(), QString::number(std::abs(change))) << i;
        EXPECT_EQ(b->Glyph(), stepSign(change > 0)) << i;
    }
    EXPECT_NE(stepSign(true), stepSign(false));
    EXPECT_NE(dialog->BitBtn[1]->grab().toImage(), dialog->BitBtn[4]->grab().toImage());
    click(dialog->Button1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}

}  // namespace
}  // namespace orvala::dialogs
