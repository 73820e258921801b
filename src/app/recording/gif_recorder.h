#pragma once
// The recording of deals as animated pictures. While a deal is on the table the window is
// sampled ten times a second; a sample that differs from the last frame kept becomes a frame (at
// most 250 a deal). Each frame is kept as the rectangle that changed, so a long deal costs little
// memory. Saving paints a notice, then encodes the frames on a thread of its own into
// "GIFGame/YYYY.MM.DD-hh.mm.ss.gif" in the program folder; the game never waits for it. A file
// that cannot be written is told once and ends the recording like a save.

#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "core/settings/settings.h"
#include "table/picture_store.h"

class QWidget;

namespace orvala::app {

class GifRecorder final : public QObject {
    Q_OBJECT
  public:
    static constexpr int kMostFrames = 250;
    static constexpr int kLastFrameMs = 5000;

    // window: the main window sampled; folder: the program folder; settings: read at each use;
    // pictures: where the notice's bar comes from.
    GifRecorder(QWidget& window, const Settings& settings, const table::PictureSource& pictures,
                QString folder, QObject* parent = nullptr);
    ~GifRecorder() override;

    // A new deal is on the table: the frames so far are dropped and sampling starts.
    void start();
    // One sample now (the timer's, and the last one before a save).
    void capture();
    // Writes the recording; the notice shows until the file is written.
    void save();
    // The recording ends without a file (the deal that ended the game).
    void discard();

    bool recording() const { return timer_.isActive(); }
    int frameCount() const { return static_cast<int>(frames_.size()); }
    bool saving() const { return saving_ > 0; }
    // The notice's rectangle and picture while a save runs (the window paints it on top).
    const QImage& notice() const { return notice_; }
    QPoint noticeAt() const { return noticeAt_; }
    // For tests: the clock that names the files.
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

  signals:
    void saved(const QString& path);
    void failed(const QString& message);
    void noticeChanged();

  private:
    struct Frame {
        QRect rect;    // what changed since the previous frame (the whole picture for the first)
        QImage patch;  // its pixels, those that did not change clear (alpha 0)
    };
    QImage sample() const;
    QImage makeNotice() const;

    QWidget& window_;
    const Settings& settings_;
    const table::PictureSource& pictures_;
    QString folder_;
    QTimer timer_;
    std::vector<Frame> frames_;
    QImage last_;
    QImage notice_;
    QPoint noticeAt_;
    int saving_ = 0;
    std::function<QDateTime()> clock_;
};

}  // namespace orvala::app
