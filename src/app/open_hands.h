#pragma once
// The hidden open-hands toggle: the computer seats' hands are drawn face up while it is on.
// Typed characters gather in a buffer; when the last five read the fixed number, the toggle
// flips and the buffer empties. Every deal turns it off.

#include <QString>

namespace orvala::app {

class OpenHandsToggle {
  public:
    static constexpr const char* kNumber = "27182";

    // Takes the text of one key press; true when the toggle flipped.
    bool type(const QString& keyText);
    void reset() {
        on_ = false;
        buffer_.clear();
    }
    bool on() const { return on_ || held_; }
    // Every hand open whatever is typed or dealt, while a replay shows a game.
    void hold(bool open) { held_ = open; }

  private:
    QString buffer_;
    bool on_ = false;
    bool held_ = false;
};

}  // namespace orvala::app
