#pragma once
// The shared chat and the news: the main menu's two indicators with their blinking sirens and
// hints, the watch that the calendar's ten-second beat drives, the chat window, and the news
// page in the browser (through the URL opener, which tests replace).

#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>

#include "app/chat/chat_watch.h"
#include "app/feature.h"
#include "dialogs/chat_dialog.h"

class QLabel;
class QToolButton;

namespace orvala::app {

class Shell;

class ChatFeature final : public Feature {
  public:
    explicit ChatFeature(Shell& shell);

    void screenShown(Screen screen) override;
    void contextMenu(ContextMenu& menu) override;
    void layout() override;
    void applyLanguage() override { showChatIndicators(); }

    // The chat window, from the chat indicator or the right-button menu; it opens by itself
    // during a game when a new message is found and its option says so.
    void ShowChat();
    // The news page, from the news indicator.
    void OpenNews();
    ChatWatch& chatWatch() { return *watch_; }
    dialogs::TFormChat* chatWindow() const { return chatDialog_; }
    void setUrlOpener(std::function<void(const QUrl&)> open) { openUrl_ = std::move(open); }

    QToolButton* ImageNews = nullptr;
    QToolButton* ImageChat = nullptr;
    QLabel* SirenNews = nullptr;
    QLabel* SirenChat = nullptr;

  private:
    void showChatIndicators();
    void messagesFound();

    Shell& shell_;
    std::unique_ptr<ChatWatch> watch_;
    QPointer<dialogs::TFormChat> chatDialog_;
    std::function<void(const QUrl&)> openUrl_;
    QTimer sirenTimer_{this};  // the sirens blink while something is new
    bool sirenLit_ = false;
};

}  // namespace orvala::app
