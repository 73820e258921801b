#pragma once
// The account logged in (from the start-up login or the account window; nothing: signed out) and
// its state, as the account's star, the global rating's games, the score summary and the
// tournament all read it. `changed` follows every change.

#include <QObject>
#include <optional>

#include "core/online/account.h"
#include "core/online/operations.h"

namespace orvala::app {

class AccountHolder final : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    online::AccountState state() const { return state_; }
    const std::optional<online::Account>& account() const { return account_; }
    // Signed in as `account` in `state`; without an account the state is LoggedOut.
    void set(std::optional<online::Account> account, online::AccountState state);
    void setState(online::AccountState state);
    // Where the account window changes both itself; it then calls `touch`.
    online::AccountState* stateSlot() { return &state_; }
    std::optional<online::Account>* accountSlot() { return &account_; }
    void touch() { emit changed(); }

    // The score summary's lamp of the state: "LampR24" logged out, "LampY24" logged in,
    // "LampG24" playing for the global rating.
    const char* lampName() const;

  signals:
    void changed();

  private:
    online::AccountState state_ = online::AccountState::LoggedOut;
    std::optional<online::Account> account_;
};

}  // namespace orvala::app
