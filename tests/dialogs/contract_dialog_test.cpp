// The contract dialog: its buttons step the value with wrap-around, and only "Ok" closes it.

#include "app/contract_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/dialogs.h"

namespace orvala::app {
namespace {

TEST(ContractDialog, ButtonsStepAndOnlyOkCloses) {
    TFormZakaz dialog(120, true);
    EXPECT_FALSE(dialog.BitBtn[1]->isEnabled());  // steps of 1 only without rounding
    EXPECT_FALSE(dialog.BitBtn[4]->isEnabled());
    EXPECT_EQ(dialog.BitBtn[3]->text(), "10");
    QTest::mouseClick(dialog.BitBtn[2], Qt::LeftButton);  // lower by 5 from the bid: the top
    EXPECT_EQ(dialog.pending(), 300);
    QTest::mouseClick(dialog.BitBtn[6], Qt::LeftButton);  // raise by 10 from the top: the bid
    EXPECT_EQ(dialog.pending(), 120);
    QTest::mouseClick(dialog.BitBtn[5], Qt::LeftButton);
    EXPECT_EQ(dialog.findChild<QLabel*>("value")->text(), "125");

    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);  // refused
    EXPECT_TRUE(dialog.isVisible());
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());
    QTimer::singleShot(0, &dialog, [&] { QTest::mouseClick(dialog.Button1, Qt::LeftButton); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.pending(), 125);

    TFormZakaz plain(100, false);
    EXPECT_TRUE(plain.BitBtn[1]->isEnabled());
    plain.step(1);
    EXPECT_EQ(plain.pending(), 101);
}

// The dialogs' buttons are the program's own, in the dialogs' scheme and the chosen look.
TEST(Dialogs, EveryButtonIsDrawnByTheProgram) {
    setNewButtonsLook(true);
    TFormZakaz dialog(100, false);
    const auto buttons = dialog.findChildren<QPushButton*>();
    EXPECT_EQ(buttons.size(), 7);
    for (QPushButton* b : buttons) {
        auto* own = qobject_cast<table::TZorCardsButton*>(b);
        ASSERT_NE(own, nullptr);
        EXPECT_TRUE(own->Nata());
        EXPECT_EQ(own->ColorSB(), dialogButtonScheme());
    }
    setNewButtonsLook(false);
    // The confirmation's "Yes" and "No" too; "No" answers no.
    bool checked = false;
    QTimer::singleShot(5, [&] {
        auto* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        const auto own = box->findChildren<table::TZorCardsButton*>();
        EXPECT_EQ(own.size(), 2);
        for (auto* b : own)
            if (b->text() == "No") {
                checked = true;
                b->click();
            }
    });
    EXPECT_FALSE(askYesNo(nullptr, "?"));
    EXPECT_TRUE(checked);
}

}  // namespace
}  // namespace orvala::app
