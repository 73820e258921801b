#include "app/client_area_watch.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace orvala::app {
namespace {

class ClientAreaWatch final : public QObject {
  public:
    ClientAreaWatch(QWidget& window, std::function<QSize()> laidOut, std::function<void()> relayout)
        : QObject(&window),
          window_(window),
          laidOut_(std::move(laidOut)),
          relayout_(std::move(relayout)) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched == &window_ &&
            (e->type() == QEvent::Resize || e->type() == QEvent::WindowStateChange) && !pending_) {
            // After the event, when the window's size and state are both final.
            pending_ = true;
            QTimer::singleShot(0, this, [this] {
                pending_ = false;
                if (window_.isMaximized() && !window_.size().isEmpty() &&
                    window_.size() != laidOut_())
                    relayout_();
            });
        }
        return false;
    }

  private:
    QWidget& window_;
    std::function<QSize()> laidOut_;
    std::function<void()> relayout_;
    bool pending_ = false;
};

}  // namespace

void watchClientArea(QWidget& window, std::function<QSize()> laidOut,
                     std::function<void()> relayout) {
    new ClientAreaWatch(window, std::move(laidOut), std::move(relayout));
}

}  // namespace orvala::app
