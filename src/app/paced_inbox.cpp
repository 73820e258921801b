#include "app/paced_inbox.h"

namespace orvala::app {

PacedInbox::PacedInbox(std::function<bool()> tableBusy,
                       std::function<void(int, const std::string&)> apply, QObject* parent)
    : QObject(parent), tableBusy_(std::move(tableBusy)), apply_(std::move(apply)) {
    wait_.setSingleShot(true);
    connect(&wait_, &QTimer::timeout, this, &PacedInbox::wake);
    sinceStep_.start();
}

void PacedInbox::clear() {
    waiting_.clear();
    wait_.stop();
}

void PacedInbox::pump() {
    while (!waiting_.empty()) {
        const Text& next = waiting_.front();
        const bool step = !next.bytes.empty() && (next.bytes[0] == 'h' || next.bytes[0] == 'b');
        if (step) {
            const qint64 left = pauseMs_ - sinceStep_.elapsed();
            if (tableBusy_() || left > 0) {
                // The window pumps again once the table is still; the timer covers the pause.
                if (!wait_.isActive()) wait_.start(static_cast<int>(std::max<qint64>(left, 10)));
                return;
            }
        }
        const Text t = std::move(waiting_.front());
        waiting_.pop_front();
        if (!t.bytes.empty() && t.bytes[0] == 'h') sinceStep_.restart();
        apply_(t.from, t.bytes);
        if (t.bytes.empty()) return;
        if (t.bytes[0] == 'h' || t.bytes[0] == 'b') {
            // The table shows this step before the next one is applied.
            if (!waiting_.empty() && !wait_.isActive()) wait_.start(10);
            return;
        }
    }
}

}  // namespace orvala::app
