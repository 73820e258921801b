#pragma once
// The watch for new chat messages and news, beating with the calendar's ten-second tick (the
// window passes each tick on, saying whether the main menu is shown).
//
//  - News: every third tick while the menu is shown and no unseen news are flagged, the news
//    page is read; news are unseen when its number is above the one in "ZorNewsZor.ini". A
//    failed read leaves the flag clear.
//  - Messages: every 90th tick (15 minutes) while no unseen message is flagged, the chat is
//    read; messages are unseen when the newest number is above the one in "ZorChatZor.ini". A
//    failed read counts as nothing new. `messagesFound` tells the window when the flag goes on.
//  - `check()` runs both at once, when the main menu is shown again.
//
// The two files lie in the shared folder (the one above the program's) and are read afresh at
// every check, since the family's other games write them too.

#include <QObject>
#include <QString>
#include <QUrl>
#include <cstdint>
#include <string>

#include "core/online/chat_files.h"
#include "net/online_client.h"

namespace orvala::app {

class ChatWatch final : public QObject {
    Q_OBJECT
  public:
    static constexpr int kNewsTicks = 3, kChatTicks = 90;

    ChatWatch(net::OnlineClient& client, const QString& sharedFolder, QUrl newsPage,
              QObject* parent = nullptr);

    void tick(bool menuShown);
    void check();

    bool unseenNews() const { return unseenNews_; }
    bool unseenMessages() const { return unseenMessages_; }
    std::int64_t newestNews() const { return newestNews_; }
    const QUrl& newsPage() const { return newsPage_; }

    // The news were opened: their newest number goes into the news file and the flag off.
    void newsOpened();
    // The chat window closed: the flag goes off.
    void chatClosed();

    std::string chatFilePath() const;
    std::string newsFilePath() const;
    online::ChatFile chatFile() const;

  signals:
    void changed();
    void messagesFound();

  private:
    void readNews();
    void readMessages();

    net::OnlineClient& client_;
    QString folder_;
    QUrl newsPage_;
    int ticks_ = 0;
    bool unseenNews_ = false, unseenMessages_ = false;
    bool newsUnderWay_ = false, chatUnderWay_ = false;
    std::int64_t newestNews_ = 0;
};

}  // namespace orvala::app
