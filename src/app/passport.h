#pragma once
// "My Passport": the nick, city, country and gender the settings keep for the world's lists and
// the chat. The options, the chat window and the cycle's world entry open it.

class QWidget;

namespace orvala::dialogs {
class TFormServerInfo;
}

namespace orvala::app {

class Shell;

// Opens the passport window over `over` (the window when null); each change goes into the
// settings at once. The window is returned so that its opener can follow its changes.
dialogs::TFormServerInfo* openPassport(Shell& shell, QWidget* over = nullptr);

}  // namespace orvala::app
