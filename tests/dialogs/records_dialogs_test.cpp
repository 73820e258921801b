// The records' dialogs: the login's refusals and answer, the top ten's texts and places, the
// three layouts of the end of a cycle with their animation, the score summary and the history
// viewer with its files, colours and remembered choice.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

#include "core/records/club_update.h"
#include "core/records/history_file.h"
#include "core/records/member_password.h"
#include "core/text/atomic_file.h"
#include "dialogs/count_dialog.h"
#include "dialogs/end_game_dialog.h"
#include "dialogs/history_dialog.h"
#include "dialogs/message_window.h"
#include "dialogs/password_dialog.h"
#include "dialogs/top_ten_dialog.h"

namespace orvala::dialogs {
namespace {

QStringList messagesOf(QWidget* parent) {
    QStringList out;
    for (auto* m : parent->findChildren<MessageWindow*>()) {
        if (m->isVisible()) out << m->lines();
        m->close();
    }
    return out;
}

ClubFile clubWithAnna() {
    ClubFile club = newClubFile();
    ClubMember anna{padded("Anna", 20), 2'000'000, 7, 140, scramblePassword("abc"), 6};
    updateClubFile(club, anna, false);
    return club;
}

TEST(LoginDialog, RefusesWithItsMessagesAndAnswersTheMember) {
    std::optional<ClubMember> answer;
    auto* fresh = new TFormPassword({clubWithAnna(), kNewMemberSlot});
    QObject::connect(fresh, &TFormPassword::loggedIn, [&](const ClubMember& m) { answer = m; });
    fresh->open();
    EXPECT_EQ(fresh->windowTitle(), "Welcome!");
    ASSERT_NE(fresh->Edit3, nullptr);
    fresh->Edit1->setText("   ");
    QTest::mouseClick(fresh->Button1, Qt::LeftButton);
    EXPECT_EQ(messagesOf(fresh), QStringList{"Incorrect name!"});
    fresh->Edit1->setText("Борис");
    fresh->Edit2->setText("12");
    fresh->Edit3->setText("13");
    QTest::mouseClick(fresh->Button1, Qt::LeftButton);
    EXPECT_EQ(messagesOf(fresh), QStringList{"The passwords do not coincide!"});
    EXPECT_FALSE(answer);
    fresh->Edit3->setText("12");
    QTest::mouseClick(fresh->Button1, Qt::LeftButton);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->name, padded("\xC1\xEE\xF0\xE8\xF1", 20));  // Windows-1251
    EXPECT_EQ(unscramblePassword(answer->password), "12   ");
    EXPECT_EQ(answer->games, 0);
    EXPECT_EQ(answer->slot, kNewMemberSlot);

    // A new name is never changed silently: what the club file cannot keep is refused at input
    // and said under the fields.
    auto* german = new TFormPassword({clubWithAnna(), kNewMemberSlot});
    german->open();
    for (const QChar c :
         QString::fromUtf8("Jürgen")) {  // typed key by key, as on a German keyboard
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(german->Edit1, &press);
    }
    EXPECT_EQ(german->Edit1->text(), "Jrgen");
    EXPECT_TRUE(german->NameHint->isVisibleTo(german));
    EXPECT_EQ(german->NameHint->text(),
              QString::fromUtf8("This character cannot be kept in a name: ü"));
    german->Edit1->clear();
    EXPECT_FALSE(german->NameHint->isVisibleTo(german)) << "an empty field has nothing to say";
    german->Edit1->insert(QString(21, QLatin1Char('x')));
    EXPECT_TRUE(german->Edit1->text().isEmpty()) << "a paste that does not fit is not cut";
    EXPECT_EQ(german->NameHint->text(), "A name holds at most 20 characters.");
    german->Edit1->insert(QString::fromUtf8("Ёлка Ёжик"));  // Cyrillic is kept
    EXPECT_EQ(german->Edit1->text(), QString::fromUtf8("Ёлка Ёжик"));
    german->close();

    answer.reset();
    auto* member = new TFormPassword({clubWithAnna(), 1});
    QObject::connect(member, &TFormPassword::loggedIn, [&](const ClubMember& m) { answer = m; });
    member->open();
    EXPECT_EQ(member->Edit3, nullptr);
    EXPECT_EQ(member->Edit1->text(), "Anna");
    EXPECT_TRUE(member->Edit1->isReadOnly());
    member->Edit2->setText("abd");
    QTest::mouseClick(member->Button1, Qt::LeftButton);
    EXPECT_EQ(messagesOf(member), QStringList{"The incorrect password!"});
    member->Edit2->setText("abc");
    QTest::mouseClick(member->Button1, Qt::LeftButton);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->games, 7);
    EXPECT_EQ(answer->cycleScore, 140);
    EXPECT_EQ(answer->slot, 1);
}

TEST(TopTenDialog, ShowsTheModesTitleAndEveryPlace) {
    QPointer<TFormTopTen> top = new TFormTopTen({newClubFile(), true});
    top->open();
    EXPECT_EQ(top->title(), "WINDOWS. NET GAMES");
    EXPECT_EQ(top->name(1), "Orvala");
    EXPECT_EQ(top->score(1), "1500");
    EXPECT_EQ(top->name(10), "Beginner");
    EXPECT_FALSE(top->grab().isNull());  // paints every place without fault
    QTest::keyClick(top, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(top.isNull());
    TFormTopTen local({newClubFile(), false});
    EXPECT_EQ(local.title(), "WINDOWS. LOCAL GAMES WITH PC");
}

TEST(EndGameDialog, ThreeLayoutsAndTheAnimationRunsOnceOrLoops) {
    std::vector<QImage> film(3, QImage(8, 8, QImage::Format_ARGB32));
    TFormEndGame best({1, 1600, EndGameKind::Net, film, QImage(4, 4, QImage::Format_ARGB32)});
    EXPECT_EQ(best.lines(), QStringList({"CONGRATULATIONS!!!", "Your result - the best!",
                                         "Result: 1600", "You become a Bachelor of the Order!"}));
    TFormEndGame good({7, 450, EndGameKind::Local, film, {}, true, 1});
    EXPECT_EQ(good.lines()[1], "Good result!");
    EXPECT_EQ(good.lines()[3], "You have hitted in top ten players!");
    TFormEndGame bad({0, -30, EndGameKind::Local, film, {}, true, 1});
    EXPECT_EQ(bad.lines(),
              QStringList({"Our regrets...", "Your result keeps to wish best", "Result: -30",
                           "You have not hitted in ten best players..."}));
    // Placed: once through the film, then still; not placed: round and round.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !good.animating(); }, 2000));
    EXPECT_EQ(good.frame(), 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return bad.frame() == 0 && bad.animating(); }, 2000));
    TFormEndGame still({0, 5, EndGameKind::Local, film, {}, false});
    EXPECT_FALSE(still.animating());
}

// An account's cycle: the account table's place, the Zors it earned, and a place below the ten
// told beside the score.
TEST(EndGameDialog, AnAccountsCycleShowsTheServicesPlaceAndTheZors) {
    const auto account = [](int place, int score, int reward) {
        EndGameQuestion q;
        q.place = place;
        q.score = score;
        q.kind = EndGameKind::Account;
        q.reward = reward;
        q.animation.assign(2, QImage(8, 8, QImage::Format_ARGB32));
        return q;
    };
    EXPECT_EQ(TFormEndGame(account(1, 900, 25)).lines(),
              QStringList({"CONGRATULATIONS!!!", "Your result - the best!", "Result: 900",
                           "You become the Vice-President of the order!", "You get 25 Zors!!!"}));
    EXPECT_EQ(TFormEndGame(account(3, 500, 10)).lines().last(), "You get 10 Zors!!!");
    const TFormEndGame eleventh(account(11, 120, 0));
    EXPECT_EQ(eleventh.lines(), QStringList({"Our regrets...", "Your result keeps to wish best",
                                             "Result: 120 ; Place: 11",
                                             "You have not hitted in ten best players..."}));
    EXPECT_TRUE(eleventh.animating()) << "outside the ten the film loops";
    // The club's own top ten has no place beyond the ten to tell.
    EndGameQuestion local = account(0, 120, 0);
    local.kind = EndGameKind::Local;
    EXPECT_EQ(TFormEndGame(local).lines()[2], "Result: 120");
}

TEST(CountDialog, ShowsTheSevenValuesUnderThePlayersName) {
    ClubMember m;
    m.games = 24;
    m.cycleScore = -20;
    TFormCount count({"Anna", scoreSummary(m, 250), 1, {}});
    EXPECT_EQ(count.windowTitle(), "Player:  Anna");
    EXPECT_EQ(count.values(), QStringList({"25", "25", "-20", "250", "230", "0,00", "0,20"}));
}

TEST(HistoryDialog, ListsValidFilesColoursRowsAndKeepsTheChoice) {
    forgetHistorySelection();
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/History/";
    {
        TFHistory none({folder, {}});
        EXPECT_EQ(none.ListBox1->item(0)->text(), "No History Files");
        EXPECT_FALSE(none.ListBox1->isEnabled());
        EXPECT_EQ(none.SG->rowCount(), 0);
    }
    const HistoryStamp stamp{"09:05", "09.12.2026"};
    WriteHistory(folder, {{"Anna", 1, 5, 0.1, HistoryKind::Local}}, stamp);  // the folder
    const std::string full = historyGameLine({"Anna", 1, 5, 0.1, HistoryKind::Local}, stamp);
    writeFileAtomically(historyFilePath(folder, 1),
                        formatHistoryFile(std::vector<std::string>(840, full)));
    WriteHistory(folder, {{"Anna/Bob", 1, -40, -1.25, HistoryKind::Net}}, stamp);
    WriteHistory(folder, {{"Anna", 1, 10, 0.5, HistoryKind::Tourney}}, stamp);
    {
        TFHistory h({folder, {}});
        ASSERT_EQ(h.ListBox1->count(), 2);
        EXPECT_TRUE(h.ListBox1->item(1)->text().startsWith("File I0002 "));
        EXPECT_EQ(h.shownFile(), 2);  // the newest first
        ASSERT_EQ(h.SG->rowCount(), 2);
        EXPECT_EQ(h.SG->item(0, 2)->text(), "Anna/Bob");
        EXPECT_EQ(h.SG->item(0, 5)->text(), "-1,25");
        EXPECT_EQ(h.SG->item(0, 6)->text(), "Net");
        EXPECT_EQ(h.SG->item(0, 6)->foreground().color(), QColor(0, 128, 0));
        EXPECT_EQ(h.SG->item(1, 6)->text(), "Tourney");
        h.ListBox1->setCurrentRow(0);
        EXPECT_EQ(h.SG->rowCount(), 840);
    }
    TFHistory again({folder, {}});
    EXPECT_EQ(again.shownFile(), 1);  // the choice of the last opening
}

}  // namespace
}  // namespace orvala::dialogs
