#include "app/account_holder.h"

namespace orvala::app {

void AccountHolder::set(std::optional<online::Account> account, online::AccountState state) {
    account_ = std::move(account);
    state_ = account_ ? state : online::AccountState::LoggedOut;
    emit changed();
}

void AccountHolder::setState(online::AccountState state) {
    state_ = state;
    emit changed();
}

const char* AccountHolder::lampName() const {
    switch (state_) {
        case online::AccountState::LoggedIn:
            return "LampY24";
        case online::AccountState::GlobalRating:
            return "LampG24";
        case online::AccountState::LoggedOut:
            break;
    }
    return "LampR24";
}

}  // namespace orvala::app
