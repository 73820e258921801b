#pragma once
// TFormServerWrite, "World Top Ten" after a cycle played without an account: the passport
// ("Nick", "Country" with its flag, "City") and "Your score". "Send" asks the window to write the
// score to the world table; the window answers with the place, which disables "Send" and shows
// "Your place", or with a failure: "Unable to write the result of the game!". "Passport" asks for
// the passport window, "Close" closes.

#include <QImage>
#include <QLabel>
#include <optional>

#include "dialogs/dialog_kit.h"

namespace orvala::dialogs {

struct ServerWriteQuestion {
    QString nick, country, city;  // the country's name as the lists show it
    QImage flag;
    long long score = 0;
    bool passport = false;  // whether the passport window exists; without it "Passport" is off
};

class TFormServerWrite final : public AuxDialog {
    Q_OBJECT
  public:
    explicit TFormServerWrite(const ServerWriteQuestion& question, QWidget* parent = nullptr);

    // The passport again, after the passport window changed it.
    void setPassport(const ServerWriteQuestion& question);
    // The write's answer: the place, or nothing when it failed.
    void showPlace(std::optional<long long> place);

    // The passport's and the score's values as shown: nick, country, city, score, place.
    QStringList values() const;

    table::TZorCardsButton* ButtonSend = nullptr;
    table::TZorCardsButton* ButtonPassport = nullptr;
    table::TZorCardsButton* Button1 = nullptr;  // "Close"

  signals:
    void sendAsked();
    void passportAsked();

  private:
    QLabel *nick_, *country_, *city_, *score_, *place_, *flag_;
};

}  // namespace orvala::dialogs
