#pragma once
// The account's star on the main menu: red logged out, yellow logged in, green for a game for
// the global rating.

#include <QPixmap>

#include "core/online/account.h"

namespace orvala::app {

QPixmap accountStar(online::AccountState state);

}  // namespace orvala::app
