#pragma once
// A validator for a field whose text is kept in Windows-1251 bytes of a fixed width, such as a
// club member's name: an edit that would bring a character those bytes cannot hold, or more
// characters than the width, is refused as a whole (a paste is never cut), and `refused` is told
// why, so that the field can tell the player at once instead of changing the text silently.

#include <QString>
#include <functional>
#include <QValidator>

namespace orvala::dialogs {

class KeptTextValidator : public QValidator {
public:
    // `refused` hears why an edit was refused, in the language of the moment.
    KeptTextValidator(int width, std::function<void(const QString&)> refused, QObject* parent);

    State validate(QString& input, int& pos) const override;

private:
    int width_;
    std::function<void(const QString&)> refused_;
};

// The first character of `text` that Windows-1251 cannot hold, or an empty string.
QString firstUnkeptCharacter(const QString& text);

}  // namespace orvala::dialogs
