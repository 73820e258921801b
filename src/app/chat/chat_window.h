#pragma once
// The chat window's errands: it opens TFormChat over the chat file's options, reads the newest
// ten messages through the web client, posts what the player sends with the passport of the
// settings, and keeps "ZorChatZor.ini" up to date: the options at once when ticked, and the
// newest number the window has shown or sent as the last one seen, so that the watch does not
// raise the same messages again. The "new" marks count from the number seen when the window
// opened, and from the player's own message once one went. `optionsChanged` follows a change
// of the options.

#include <functional>
#include <string>

#include "core/online/chat_files.h"
#include "core/settings/settings.h"
#include "dialogs/chat_dialog.h"
#include "net/online_client.h"

namespace orvala::app {

struct ChatWindowSetup {
    std::string chatFile;                 // the path of "ZorChatZor.ini"
    std::string product;                  // the product's name for the stamp, Windows-1251
    bool passport = false;                // whether the passport window exists
    std::function<std::int64_t()> clock;  // seconds; the wall clock when empty
    std::function<void(const online::ChatFile&)> optionsChanged;
};

dialogs::TFormChat* openChat(QWidget* parent, net::OnlineClient& client, const Settings& settings,
                             ChatWindowSetup setup);

}  // namespace orvala::app
