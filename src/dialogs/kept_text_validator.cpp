#include "dialogs/kept_text_validator.h"

#include <utility>

#include "core/text/cp1251.h"
#include "dialogs/dialog_kit.h"

namespace orvala::dialogs {

QString firstUnkeptCharacter(const QString& text) {
    for (qsizetype i = 0; i < text.size();) {
        // One character, with its surrogate pair when it has one.
        const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString one = text.mid(i, n);
        const std::string utf8 = one.toStdString();
        if (cp1251ToUtf8(utf8ToCp1251(utf8)) != utf8) return one;
        i += n;
    }
    return {};
}

KeptTextValidator::KeptTextValidator(int width, std::function<void(const QString&)> refused,
                                     QObject* parent)
    : QValidator(parent), width_(width), refused_(std::move(refused)) {}

QValidator::State KeptTextValidator::validate(QString& input, int&) const {
    if (const QString unkept = firstUnkeptCharacter(input); !unkept.isEmpty()) {
        if (refused_) refused_(word(WordRow::NameCharacterNotKept) + QStringLiteral(" ") + unkept);
        return Invalid;
    }
    if (input.size() > width_) {
        if (refused_) refused_(word(WordRow::NameTooLong));
        return Invalid;
    }
    return Acceptable;
}

}  // namespace orvala::dialogs
