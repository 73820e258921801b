#pragma once
// TFormPassword, the club member's login, captioned "Welcome!". For a member of slot 1..5 it
// shows the member's name and asks the password; for a new member (slot 6) it asks a name, a
// password and its repetition ("And once again for check..."). "To change a name" opens it as
// for a new member. A new name is kept in the club file's letters and width: a character it
// cannot hold, or a 21st character, is refused at input and a line under the fields says so.
//
// "Ok" checks the answer by the club's login rules; a refusal is said in the message window
// ("Incorrect name!", "The passwords do not coincide!", "The incorrect password!") and the
// dialog stays open. Success answers `loggedIn` with the member and closes the dialog;
// "Cancel" and Escape close it without an answer.
//
// With "Multiplayer" on (`lan` given) the form also shows the LAN fields. "Ok" then checks the
// address (a joiner's) and the port too ("Incorrect IP-address!", "Incorrect Port!") and asks
// the window to open the table (`lanStartAsked`); the form stays open under the waiting form
// until the window closes it (`accept`) once the table is ready.

#include "core/records/member_login.h"
#include "dialogs/dialog_kit.h"
#include "dialogs/lan_login_fields.h"

class QLabel;
class QLineEdit;

namespace orvala::dialogs {

struct PasswordQuestion {
    ClubFile club;
    int slot = kNewMemberSlot;  // 1..5 a member, 6 a new member
    Settings* lan = nullptr;    // network mode: the settings the LAN fields read and keep
};

struct LanStart {
    bool host = true;
    QString address;  // a joiner's
    quint16 port = 0;
};

class TFormPassword final : public AuxDialog {
    Q_OBJECT
  public:
    explicit TFormPassword(const PasswordQuestion& question, QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;                 // the name
    QLineEdit* Edit2 = nullptr;                 // the password
    QLineEdit* Edit3 = nullptr;                 // its repetition; new members only
    table::TZorCardsButton* Button1 = nullptr;  // "Ok"
    table::TZorCardsButton* Button2 = nullptr;  // "Cancel"
    LanLoginFields* Lan = nullptr;              // network mode only
    QLabel* NameHint = nullptr;  // a new member's: why the name's last edit was refused

  signals:
    void loggedIn(const orvala::ClubMember& member);
    void lanStartAsked(const orvala::ClubMember& member, const orvala::dialogs::LanStart& start);

  private:
    void check();
    void startLan(const orvala::ClubMember& member);

    PasswordQuestion question_;
};

}  // namespace orvala::dialogs
