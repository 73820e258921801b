// "Help" and "About" of the right-button menu: the help opens at the topic of what the player is
// doing (after an apology in English), and the about box tells the build's version and the
// libraries.

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <set>

#include "app/help/help_feature.h"
#include "dialogs/about_dialog.h"
#include "dialogs/help_dialog.h"
#include "dialogs/message_window.h"
#include "window_helpers.h"

namespace orvala::app {
namespace {

// Chooses an item of the right-button menu, opened in the window's corner (over no card).
bool choose(TForm1& w, WordRow item) {
    const QPoint at(4, 4);
    QContextMenuEvent open(QContextMenuEvent::Mouse, at, w.mapToGlobal(at));
    QApplication::sendEvent(&w, &open);
    auto* menu = w.findChild<QMenu*>("PopupMenu1");
    if (!menu) return false;
    QAction* chosen = nullptr;
    for (QAction* a : menu->actions())
        if (a->text() == word(item)) chosen = a;
    const bool enabled = chosen && chosen->isEnabled();
    if (enabled) chosen->trigger();
    menu->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return enabled;
}

std::set<QString> anchorsOf(const QTextDocument& document) {
    std::set<QString> names;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            for (const QString& name : it.fragment().charFormat().anchorNames()) names.insert(name);
    return names;
}

TEST(HelpAndAbout, HelpOpensAtTheTopicOfTheMomentAndAboutTellsTheBuild) {
    EnglishAfterwards english;
    QTemporaryDir dir;
    TForm1 w(fastOptionsIn(dir));
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);
    auto* help = w.feature<HelpFeature>();
    ASSERT_NE(help, nullptr);

    // On the menu, in English: the apology first, then the menu's topic.
    ASSERT_TRUE(choose(w, WordRow::Help));
    ASSERT_NE(help->apology(), nullptr);
    EXPECT_EQ(help->apology()->lines(),
              QStringList({"Excuse!",
                           "The file of the help is not translated to the English language."}));
    EXPECT_EQ(help->helpWindow(), nullptr);
    help->apology()->Button1->click();
    dialogs::THelpForm* page = help->helpWindow();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->topic(), "topic1");
    // The document holds every topic the game can be in.
    const std::set<QString> anchors = anchorsOf(*page->TextHelp->document());
    for (HelpTopic t : {HelpTopic::MainMenu, HelpTopic::Deal, HelpTopic::Bidding,
                        HelpTopic::Scoring})
        EXPECT_TRUE(anchors.contains(helpAnchor(t))) << helpAnchor(t).toStdString();

    // In Russian, during a game: no apology, and the open window turns to the deal's topic,
    // then to the auction's once "To Begin" is pressed.
    w.SetLanguage(1);
    clickNewPlayer(w);
    ASSERT_TRUE(runUntil([&] { return !w.busy() && w.Button7->isEnabled(); }, 20000));
    ASSERT_TRUE(choose(w, WordRow::Help));
    EXPECT_EQ(help->apology(), nullptr);
    EXPECT_EQ(help->helpWindow(), page);
    EXPECT_EQ(page->topic(), "topic2");
    QTest::mouseClick(w.Button7, Qt::LeftButton);
    ASSERT_TRUE(runUntil([&] { return w.rules().g.DealStartPending != 1; }, 20000));
    ASSERT_TRUE(choose(w, WordRow::Help));
    EXPECT_EQ(page->topic(), "topic5");
    page->close();

    // About: the name, the version this build was made as, the licence and the libraries.
    ASSERT_TRUE(choose(w, WordRow::About));
    dialogs::TFormAbout* about = help->aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->LabelName->text(), word(WordRow::Orvala));
    EXPECT_EQ(about->LabelVersion->text(), word(WordRow::Version) + " " + ORVALA_VERSION);
    EXPECT_TRUE(QString(ORVALA_VERSION).contains(QRegularExpression("^\\d+\\.\\d+")));
    EXPECT_TRUE(about->LabelLicence->text().contains("GNU General Public License"));
    const QString libraries = about->LabelLibraries->text();
    for (const QString& name : {QString("Qt ") + qVersion(), QString("giflib 5."),
                                QString("libimagequant 2."), QString("FluidSynth 2.")})
        EXPECT_TRUE(libraries.contains(name)) << libraries.toStdString();
    EXPECT_TRUE(libraries.contains(word(WordRow::WhenInstalled)));
    about->Button1->click();
}

}  // namespace
}  // namespace orvala::app
