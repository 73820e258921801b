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

}  // namespace orvala::app
