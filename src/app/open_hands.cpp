#include "app/open_hands.h"

namespace orvala::app {

bool OpenHandsToggle::type(const QString& keyText) {
    for (QChar ch : keyText) {
        if (!ch.isPrint()) continue;
        buffer_ += ch;
        // Only the last five characters can still complete the number.
        if (buffer_.size() > 5) buffer_.remove(0, buffer_.size() - 5);
        if (buffer_ == kNumber) {
            on_ = !on_;
            buffer_.clear();
            return true;
        }
    }
    return false;
}

}  // namespace orvala::app
