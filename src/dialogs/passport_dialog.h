#pragma once
// TFormServerInfo, "My Passport": the player's public card for the record tables without an
// account: "Nick", "Country" (continent and country lists), "City" and "Sex". Every choice takes
// effect at once and is told by `changed`; "Ok" only closes. A changed nick or city is checked
// with the other: only while neither lamp is red is the typed value kept and "Ok" enabled, and
// the window does not close while one is red (the focus goes to the nick, or to the city when
// only the city is red). A yellow nick is accepted here.

#include <string>

#include "dialogs/dialog_kit.h"

class QComboBox;
class QLineEdit;

namespace orvala::dialogs {

class LampLabel;

struct Passport {
    std::string nick = "Incognito";  // Windows-1251, as the settings keep them
    std::string city = "Moscow";
    std::string location = "1-001";
    std::string gender = "M";
};

class TFormServerInfo final : public AuxDialog {
    Q_OBJECT
  public:
    explicit TFormServerInfo(const Passport& passport, QWidget* parent = nullptr);

    const Passport& passport() const { return passport_; }

    QLineEdit *EditNick = nullptr, *EditCity = nullptr;
    QComboBox *ComboContinent = nullptr, *ComboCountry = nullptr, *ComboSex = nullptr;
    LampLabel *LampNick = nullptr, *LampCity = nullptr;
    table::TZorCardsButton* ButtonOk = nullptr;

  Q_SIGNALS:
    void changed(const Passport& passport);

  protected:
    void done(int result) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Whether nick and city may be kept; focuses the red one when not.
    bool check(bool focus);
    Passport passport_;
};

}  // namespace orvala::dialogs
