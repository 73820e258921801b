#pragma once
// The salute: a short film of 30 frames played over the 100 x 100 square centred on the mouse
// pointer, 12 ms a frame, after which the square shows what it showed before. It plays over the
// window as a small overlay that takes no clicks, so the window goes on meanwhile.

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

namespace orvala::app {

class Salute final : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kFrames = 30, kFrameSize = 100, kFrameMs = 12;

    // Starts a salute at a point of `window` from the film strip (frame k at x = 100 (k - 1));
    // nothing when the strip is null or too short. The overlay deletes itself at the end.
    static Salute* play(QWidget* window, QPoint at, const QImage& strip);

    int frame() const { return frame_; }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    Salute(QWidget* window, QPoint at, const QImage& strip);
    QImage strip_;
    QTimer timer_;
    int frame_ = 1;
};

}  // namespace orvala::app
