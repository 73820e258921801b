// The options dialog from the main menu: its changes reach the window at once, the choices whose
// library is missing fall back, and a library download is whole or leaves nothing.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include "app/tform1.h"
#include "core/online/operations.h"
#include "core/records/club_member.h"
#include "dialogs/chat_dialog.h"
#include "dialogs/count_dialog.h"
#include "dialogs/password_dialog.h"
#include "dialogs/radio_dialog.h"
#include "app/window_parts.h"
#include "dialogs/options_dialog.h"
#include "core/lang/word_table.h"
#include "net/library_download.h"
#include "window_helpers.h"

namespace orvala::app {
namespace {

dialogs::TFormOptions* openOptions(TForm1& w) {
    w.applyWindowSize();
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);
    EXPECT_EQ(w.screen(), TForm1::Screen::Menu);
    QTest::mouseClick(w.menu().Button10, Qt::LeftButton);
    return w.findChild<dialogs::TFormOptions*>();
}

TEST(OptionsWindow, ChangesReachTheWindowAtOnce) {
    EnglishAfterwards english;
    HomeWithLibraries libs;
    TForm1 w(fastOptionsWith(libs));
    auto* d = openOptions(w);
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(d->isVisible());

    const QSize small = w.view().windowSize();
    d->ComboBoxWSize->setCurrentIndex(2);  // "Average window 1"
    EXPECT_GT(w.view().windowSize().width(), small.width());

    const QImage cloth = w.view().background();
    d->ComboBoxBG1->setCurrentIndex(6);
    d->ComboBoxBG2->setCurrentIndex(1);
    EXPECT_EQ(w.settings().BackgroundTexture, 7);
    EXPECT_NE(w.view().background(), cloth);

    const QImage builtInFaces = d->Image1->pixmap().toImage();
    d->ComboBox1->setCurrentIndex(5);
    EXPECT_EQ(w.settings().CardFaceSet, 5);  // its library is there
    EXPECT_NE(d->Image1->pixmap().toImage(), builtInFaces);

    d->ComboBoxLan->setCurrentIndex(2);  // German, on the window and in the dialog
    EXPECT_EQ(w.settings().LanguageIndex, 2);
    EXPECT_EQ(w.Button6->text().toStdString(), Word(WordRow::NewPlayer, 2));
    EXPECT_EQ(d->PageControl1->tabText(0).toStdString(), Word(WordRow::General, 2));
    d->Button1->click();
}

TEST(OptionsWindow, ChoicesWithoutTheirLibraryFallBack) {
    QTemporaryDir bare;
    TForm1 w(fastOptionsIn(bare));
    auto* d = openOptions(w);
    ASSERT_NE(d, nullptr);
    d->ComboBox1->setCurrentIndex(12);
    EXPECT_EQ(w.settings().CardFaceSet, 0);
    EXPECT_EQ(d->ComboBox1->currentIndex(), 0);
    d->ComboBoxD2->setCurrentIndex(1);  // a purple table needs the design library
    EXPECT_EQ(w.settings().TableDesign, 0);
    EXPECT_EQ(d->ComboBoxD2->currentIndex(), 0);
    d->ComboBoxD3->setCurrentIndex(3);
    EXPECT_FALSE(w.settings().AuxDesignPurple);
    EXPECT_EQ(w.settings().AuxDesignGrey, 2);
    EXPECT_EQ(d->ComboBoxD3->currentIndex(), 0);
}

// A one-shot web server on loopback: it answers the first request with `reply` and closes.
struct OneReplyServer {
    QTcpServer server;
    QByteArray reply;
    explicit OneReplyServer(QByteArray r) : reply(std::move(r)) {
        EXPECT_TRUE(server.listen(QHostAddress::LocalHost));
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            QTcpSocket* s = server.nextPendingConnection();
            QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] {
                if (!s->readAll().contains("\r\n\r\n")) return;
                s->write(reply);
                s->disconnectFromHost();
            });
        });
    }
    QUrl url() const { return QUrl(QString("http://127.0.0.1:%1").arg(server.serverPort())); }
};

std::optional<bool> download(const QUrl& url, const QString& folder) {
    std::optional<bool> result;
    net::LibraryDownload d(url, "ZorCalendar01.dll", folder);
    QObject::connect(&d, &net::LibraryDownload::finished, [&](bool ok) { result = ok; });
    runUntil([&] { return result.has_value(); }, 20000);
    return result;
}

TEST(LibraryDownload, AWholeFileIsWrittenAndACutOrRefusedOneLeavesNothing) {
    const QByteArray body(50000, 'L');
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath("ZorCalendar01.dll");

    OneReplyServer cut("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\nConnection: close\r\n\r\n" +
                       body);
    EXPECT_EQ(download(cut.url(), folder.path()), false);
    OneReplyServer missing("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found");
    EXPECT_EQ(download(missing.url(), folder.path()), false);
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());

    OneReplyServer whole("HTTP/1.1 200 OK\r\nContent-Length: 50000\r\nConnection: close\r\n\r\n" +
                         body);
    EXPECT_EQ(download(whole.url(), folder.path()), true);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), body);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

}  // namespace
}  // namespace orvala::app
