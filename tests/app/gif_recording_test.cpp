// Deals recorded as animated pictures: what becomes a frame, the file written beside the game,
// and a folder that cannot be written.

#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "app/recording/gif_recorder.h"
#include "app/recording/recording_feature.h"
#include "dialogs/confirmation.h"
#include "gif/gif_reader.h"
#include "window_helpers.h"

namespace orvala::app {
namespace {

// A window that shows one picture.
class Picture final : public QWidget {
  public:
    Picture() { setFixedSize(120, 80); }
    void show(int k) {
        shown_ = k;
        repaint();
    }
    QImage image(int k) const {
        QImage img(size(), QImage::Format_RGB32);
        img.fill(QColor(20, 110, 40));
        QPainter p(&img);
        p.fillRect(k % 100, (k / 100) * 20, 20, 20, QColor(240, 240, 230));
        return img;
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, image(shown_));
    }

  private:
    int shown_ = 0;
};

QImage decodedAsImage(const std::vector<std::uint32_t>& pixels, int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, pixels[static_cast<size_t>(y * w + x)] | 0xFF000000u);
    return img;
}

TEST(GifRecording, OnlyChangesBecomeFramesAtMost250AndTheFileShowsThem) {
    QTemporaryDir dir;
    Settings settings;
    settings.SaveGamesAsGif = true;
    settings.GifFrameDelay = 700;
    Picture window;
    const table::PictureStore pictures;
    GifRecorder recorder(window, settings, pictures, dir.path());
    recorder.setClock([] { return QDateTime(QDate(2026, 12, 8), QTime(11, 41, 12)); });
    recorder.start();
    EXPECT_EQ(recorder.frameCount(), 1);
    recorder.capture();  // nothing changed
    EXPECT_EQ(recorder.frameCount(), 1);
    for (int k = 1; k <= 260; ++k) {
        window.show(k);
        recorder.capture();
    }
    EXPECT_EQ(recorder.frameCount(), GifRecorder::kMostFrames);

    QSignalSpy saved(&recorder, &GifRecorder::saved);
    recorder.save();
    EXPECT_TRUE(recorder.saving());
    EXPECT_FALSE(recorder.notice().isNull());  // shown while the file is made
    ASSERT_TRUE(saved.wait(20000));
    EXPECT_FALSE(recorder.recording());
    EXPECT_TRUE(recorder.notice().isNull());
    const QString path = QDir(dir.path()).filePath("GIFGame/2026.12.08-11.41.12.gif");
    EXPECT_EQ(saved.first().first().toString(), path);

    const GifInfo info = readGifInfo(path.toStdString());
    ASSERT_TRUE(info.valid) << info.error;
    EXPECT_EQ(info.width, 120);
    ASSERT_EQ(info.delaysMs.size(), 250u);
    EXPECT_EQ(info.delaysMs.front(), 700);
    EXPECT_EQ(info.delaysMs.back(), 5000);
    std::string error;
    const auto frames = decodeGifFrames(path.toStdString(), &error);
    ASSERT_EQ(frames.size(), 250u) << error;
    // Pictures of few colours come back exactly: the first and the last kept.
    EXPECT_EQ(decodedAsImage(frames.front(), 120, 80), window.image(0));
    EXPECT_EQ(decodedAsImage(frames.back(), 120, 80), window.image(249));
}

TEST(GifRecording, AFolderThatCannotBeWrittenIsToldAndEndsTheRecording) {
    QTemporaryDir dir;
    QFile blocker(QDir(dir.path()).filePath("GIFGame"));  // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Settings settings;
    settings.SaveGamesAsGif = true;
    Picture window;
    const table::PictureStore pictures;
    GifRecorder recorder(window, settings, pictures, dir.path());
    recorder.start();
    window.show(5);
    recorder.capture();
    QSignalSpy failed(&recorder, &GifRecorder::failed);
    recorder.save();
    ASSERT_TRUE(failed.wait(20000));
    EXPECT_FALSE(failed.first().first().toString().isEmpty());
    EXPECT_FALSE(recorder.recording());
    EXPECT_EQ(recorder.frameCount(), 0);
    EXPECT_TRUE(recorder.notice().isNull());
}

// A game played with the setting on keeps every deal after which it went on, and the deal left
// through the menu; nothing is recorded with the setting off.
TEST(GifRecording, TheWindowSavesEachFinishedDealAndTheOneLeft) {
    for (bool on : {true, false}) {
        QTemporaryDir dir;
        LaunchOptions o = optionsIn(dir, true);  // the demo plays the person's seat
        o.fast = true;
        TForm1 w(o);
        RecordingFeature* recording = w.feature<RecordingFeature>();
        ASSERT_NE(recording, nullptr);
        w.settings().SaveGamesAsGif = on;
        int second = 0;
        const_cast<GifRecorder&>(recording->recorder()).setClock([&] {
            return QDateTime(QDate(2026, 12, 9), QTime(10, 0, second++));
        });
        w.show();
        ASSERT_TRUE(runUntil([&] { return w.dealsPlayed() >= 2; }, 60000));
        ASSERT_TRUE(
            runUntil([&] { return w.rules().g.DealStartPending == 1 && !w.busy(); }, 20000));
        w.exitToMenuCommand();
        auto* question = w.findChild<dialogs::Confirmation*>("confirmation");
        ASSERT_NE(question, nullptr);
        QTest::mouseClick(question->yesButton, Qt::LeftButton);
        ASSERT_TRUE(runUntil([&] { return !recording->recorder().saving(); }, 20000));
        const QStringList files =
            QDir(QDir(o.programFolder).filePath("GIFGame")).entryList({"*.gif"}, QDir::Files);
        if (!on) {
            EXPECT_TRUE(files.isEmpty());
            continue;
        }
        // Every finished deal (none ended the game this soon), and the deal left.
        ASSERT_LT(w.rules().g.DealNumber, 20);
        EXPECT_EQ(files.size(), w.dealsPlayed() + 1) << files.join(" ").toStdString();
        for (const QString& f : files) {
            const GifInfo info =
                readGifInfo(QDir(o.programFolder).filePath("GIFGame/" + f).toStdString());
            ASSERT_TRUE(info.valid) << info.error;
            EXPECT_EQ(info.width, w.width());
            EXPECT_EQ(info.delaysMs.back(), 5000);
        }
    }
}

}  // namespace
}  // namespace orvala::app
