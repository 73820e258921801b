#pragma once
// What the account page and the passport share: the lamp beside a checked field (a small red,
// yellow or green disc) and the key filter that refuses a character outside the allowed set
// (Latin and Cyrillic letters, digits and ! ( ) , - . @ _) as it is typed.

#include <QLabel>
#include <QValidator>

#include "core/online/account.h"

class QComboBox;

namespace orvala::dialogs {

// The colour of a lamp; the account star on the menu takes the same three.
QColor lampColour(online::Lamp lamp);

class LampLabel final : public QLabel {
    Q_OBJECT
  public:
    explicit LampLabel(QWidget* parent = nullptr);
    void setLamp(online::Lamp lamp);
    online::Lamp lamp() const { return lamp_; }

  private:
    online::Lamp lamp_ = online::Lamp::Red;
};

class AllowedCharsValidator final : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// The field's text as Windows-1251 bytes, as the checks and the service take it.
std::string fieldBytes(const QString& text);

// The continent list ("Europe" … "Africa") and the country list of a continent ("Unknown" and
// the countries in number order, item index = number).
void fillContinents(QComboBox* box);
void fillCountries(QComboBox* box, int continent);

}  // namespace orvala::dialogs
