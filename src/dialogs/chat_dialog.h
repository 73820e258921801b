#pragma once
// TFormChat, "Zor Games Chat": the newest ten messages of the shared chat, the edit line and
// its send button, the two options, "Passport" and "Close".
//
// Each row that holds a message shows its number and ".", the sender's flag and face, nick,
// city and stamp, and under them the text in navy; a number above the last one seen gets the
// "new" mark. The newest message is on top, or at the bottom with "Last message at the bottom"
// (row k then in place 11 - k). "No Connect" stands in the middle while the chat could not be
// read.
//
// Enter in the edit line (at most 80 characters) or the send button asks the window to post a
// non-empty text (`postWanted`); the window answers with `posted`. A message that went clears
// and disables the edit line and hides the button; the window's 15-second timer `Timer1` gives
// them back only when 15 seconds have passed since and the passport's nick and city pass the
// passport check, so a player posts at most one message in 15 seconds, and only with a valid
// passport. Ticking either option says so at once (`optionsChanged`).

#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/online/chat.h"
#include "core/online/chat_files.h"
#include "dialogs/dialog_kit.h"

namespace orvala::dialogs {

struct ChatQuestion {
    online::ChatFile file;   // the options and the last number seen
    std::string nick, city;  // the passport, Windows-1251
    bool passport = false;   // whether the passport window exists
    // Seconds on the chat's clock; the wall clock when empty.
    std::function<std::int64_t()> clock;
};

class ChatList;

class TFormChat final : public AuxDialog {
    Q_OBJECT
  public:
    static constexpr int kSendTimerMs = 15'000;

    explicit TFormChat(const ChatQuestion& question, QWidget* parent = nullptr);

    // The messages as read (newest first) and the last number seen, or the read failed.
    void showMessages(bool ok, const std::vector<online::RecordRow>& rows, std::int64_t lastSeen);
    // The window's answer to `postWanted`.
    void posted(bool ok);
    void setPassport(const std::string& nick, const std::string& city);
    // One tick of Timer1.
    void sendTimerTick();

    // The ten places as shown, top to bottom: "8. Ann Tver 10:00 09.12.2026 Orvala: hi" (empty
    // for an empty place), "new " in front of a new one; or "No Connect" alone.
    QStringList shownRows() const;
    bool sendOpen() const;

    QLineEdit* Edit1 = nullptr;
    table::TZorCardsButton* BitBtn1 = nullptr;  // "Send"
    QCheckBox* CheckBox1 = nullptr;             // "Last message at the bottom"
    QCheckBox* CheckBox2 = nullptr;             // "Open this window when a new message"
    table::TZorCardsButton* Button1 = nullptr;  // "Passport"
    table::TZorCardsButton* Button2 = nullptr;  // "Close"
    QTimer Timer1;

  Q_SIGNALS:
    void postWanted(const std::string& textCp1251);
    void optionsChanged(bool bottom, bool openOnNew);
    void passportAsked();

  private:
    void send();
    void setSendOpen(bool open);
    std::int64_t now() const;

    ChatQuestion question_;
    ChatList* list_ = nullptr;
    online::SendGate gate_;
    bool sending_ = false;
};

}  // namespace orvala::dialogs
