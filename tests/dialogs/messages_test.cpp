// The message window and the confirmation answer by signal while the caller's event loop runs
// on, and every dialog wears the kit's look: the program's buttons and the design's ground.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QTest>
#include <cstdlib>
#include <vector>

#include "dialogs/confirmation.h"
#include "dialogs/contract_dialog.h"
#include "dialogs/message_window.h"

namespace orvala::dialogs {
namespace {

// The visible top-level window of that name, as a person would find it on the screen.
QWidget* openWindow(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible()) return w;
    return nullptr;
}

void deleteClosed() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(MessageWindow, OpensWithoutWaitingAndTellsWhenItCloses) {
    QPointer<MessageWindow> m = showMessage(nullptr, "Can`t find the file X", {}, "one\n\rtwo");
    ASSERT_EQ(openWindow("message"), m.data());
    EXPECT_EQ(m->windowTitle(), "Attention");
    EXPECT_EQ(m->lines(), QStringList({"Can`t find the file X", "one\n\rtwo"}));
    QStringList shown;
    for (auto* label : m->findChildren<QLabel*>()) shown << label->text();
    EXPECT_EQ(shown, QStringList({"Can`t find the file X", "one\ntwo"}));
    bool closed = false;
    QObject::connect(m, &MessageWindow::closed, [&] { closed = true; });
    QTest::mouseClick(m->Button1, Qt::LeftButton);
    EXPECT_TRUE(closed);
    deleteClosed();
    EXPECT_TRUE(m.isNull());
}

TEST(MessageWindow, LinesAreTextAndOnlyAThirdWebAddressIsALink) {
    QPointer<MessageWindow> m =
        showMessage(nullptr, "<b>Tom</b>", "!", "https://127.0.0.1:8080/help/news.html");
    const auto labels = m->findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 3);
    EXPECT_EQ(labels[0]->textFormat(), Qt::PlainText) << "a service's text is never markup";
    EXPECT_EQ(labels[2]->objectName(), "link");
    EXPECT_TRUE(labels[2]->text().contains("href=\"https://127.0.0.1:8080/help/news.html\""));
    EXPECT_GE(m->minimumWidth(), QFontMetrics(QApplication::font()).horizontalAdvance("Attention"))
        << "a narrow message keeps its caption";
    m->close();
    for (const char* notALink : {"file:///etc/passwd", "javascript:alert(1)", "http://", "news"})
        EXPECT_FALSE(MessageWindow::webLink(notALink).isValid()) << notALink;
    QPointer<MessageWindow> second = showMessage(nullptr, "https://127.0.0.1/", "x");
    EXPECT_EQ(second->findChild<QLabel*>("link"), nullptr) << "only the third line links";
    second->close();
    QPointer<MessageWindow> third = showMessage(nullptr, "Buy here:", {}, "https://127.0.0.1/");
    EXPECT_NE(third->findChild<QLabel*>("link"), nullptr) << "an empty second line is left out";
    third->close();
    deleteClosed();
}

TEST(Confirmation, AnswersOnceAndEveryOtherWayOutIsNo) {
    std::vector<bool> answers;
    auto ask = [&] {
        QPointer<Confirmation> c =
            askYesNo(nullptr, "Leave?", [&](bool yes) { answers.push_back(yes); });
        EXPECT_EQ(openWindow("confirmation"), c.data());
        return c;
    };
    QTest::mouseClick(ask()->yesButton, Qt::LeftButton);
    QTest::mouseClick(ask()->noButton, Qt::LeftButton);
    QTest::keyClick(ask(), Qt::Key_Escape);
    QTest::keyClick(ask(), Qt::Key_Return);  // "No" is the default
    QPointer<Confirmation> last = ask();
    last->close();  // the close box
    EXPECT_EQ(answers, (std::vector<bool>{true, false, false, false, false}));
    deleteClosed();
    EXPECT_TRUE(last.isNull());
    EXPECT_EQ(openWindow("confirmation"), nullptr);
}

TEST(DialogKit, EveryDialogWearsTheChosenLook) {
    Settings s;
    EXPECT_EQ(dialogLookFrom(s).design, AuxDesign::GreyAristocratic);
    s.AuxDesignGrey = 1;
    EXPECT_EQ(dialogLookFrom(s).design, AuxDesign::GreyConcise);
    s.AuxDesignGrey = 3;
    EXPECT_EQ(dialogLookFrom(s).design, AuxDesign::GreyRedRibbons);
    s.AuxDesignPurple = true;
    s.NewButtonsOn = true;
    setDialogLook(dialogLookFrom(s));
    EXPECT_EQ(dialogLook().design, AuxDesign::Purple);

    auto* zakaz = new TFormZakaz({100, false});
    zakaz->open();
    const std::vector<QPointer<AuxDialog>> open = {zakaz, showMessage(nullptr, "!"),
                                                   askYesNo(nullptr, "?", {})};
    for (AuxDialog* d : open) {
        const auto buttons = d->findChildren<QPushButton*>();
        EXPECT_FALSE(buttons.isEmpty());
        for (QPushButton* b : buttons) {
            auto* own = qobject_cast<table::TZorCardsButton*>(b);
            ASSERT_NE(own, nullptr) << b->objectName().toStdString();
            EXPECT_TRUE(own->Nata());
            EXPECT_EQ(own->ColorSB(), table::TColorSB::DBlue);
        }
        // The purple ground at the right edge, mid-height, where no control stands.
        const QColor ground = d->grab().toImage().pixelColor(d->width() - 2, d->height() / 2);
        EXPECT_GT(ground.blue(), ground.green() + 40) << d->objectName().toStdString();
    }
    zakaz->Button1->click();
    for (AuxDialog* d : open) d->close();
    deleteClosed();
    for (const auto& d : open) EXPECT_TRUE(d.isNull());

    // The four designs are told apart, and the grey ones are grey.
    std::vector<QImage> grounds;
    for (AuxDesign design : {AuxDesign::GreyConcise, AuxDesign::GreyAristocratic,
                             AuxDesign::GreyRedRibbons, AuxDesign::Purple}) {
        QImage img(200, 120, QImage::Format_RGB32);
        QPainter p(&img);
        paintDialogGround(p, img.rect(), design);
        p.end();
        const QColor mid = img.pixelColor(100, 60);
        if (design != AuxDesign::Purple) {
            EXPECT_LT(std::abs(mid.red() - mid.blue()), 8);
        }
        for (const QImage& other : grounds) EXPECT_NE(img, other);
        grounds.push_back(img);
    }
    setDialogLook(dialogLookFrom(Settings{}));
}

}  // namespace
}  // namespace orvala::dialogs
