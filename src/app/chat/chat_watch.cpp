#include "app/chat/chat_watch.h"

#include <QDir>

#include "net/chat_errands.h"

namespace orvala::app {

ChatWatch::ChatWatch(net::OnlineClient& client, const QString& sharedFolder, QUrl newsPage,
                     QObject* parent)
    : QObject(parent), client_(client), folder_(sharedFolder), newsPage_(std::move(newsPage)) {}

std::string ChatWatch::chatFilePath() const {
    return QDir(folder_).filePath(QString::fromLatin1(online::kChatFileName)).toStdString();
}

std::string ChatWatch::newsFilePath() const {
    return QDir(folder_).filePath(QString::fromLatin1(online::kNewsFileName)).toStdString();
}

online::ChatFile ChatWatch::chatFile() const {
    return online::loadChatFile(chatFilePath());
}

void ChatWatch::tick(bool menuShown) {
    ++ticks_;
    if (menuShown && !unseenNews_ && ticks_ % kNewsTicks == 0) readNews();
    if (!unseenMessages_ && ticks_ % kChatTicks == 0) readMessages();
}

void ChatWatch::check() {
    if (!unseenNews_) readNews();
    if (!unseenMessages_) readMessages();
}

void ChatWatch::readNews() {
    if (newsUnderWay_) return;
    newsUnderWay_ = true;
    client_.fetch(
        newsPage_, online::kDefaultTimeoutMs,
        [this](bool ok, const std::string& page) {
            newsUnderWay_ = false;
            if (!ok) return;
            // The page is UTF-8; its key and number are plain ASCII, whatever the rest is.
            newestNews_ = online::newsNumber(page);
            const bool unseen = newestNews_ > online::loadNewsFile(newsFilePath());
            if (unseen != unseenNews_) {
                unseenNews_ = unseen;
                emit changed();
            }
        },
        this);
}

void ChatWatch::readMessages() {
    if (chatUnderWay_) return;
    chatUnderWay_ = true;
    net::readChat(
        client_,
        [this](bool ok, const std::vector<online::RecordRow>& rows) {
            chatUnderWay_ = false;
            if (!ok || unseenMessages_) return;
            if (online::newestMessage(rows) > chatFile().lastSeen) {
                unseenMessages_ = true;
                emit changed();
                emit messagesFound();
            }
        },
        this);
}

void ChatWatch::newsOpened() {
    online::writeNewsFile(newsFilePath(), newestNews_);
    if (unseenNews_) {
        unseenNews_ = false;
        emit changed();
    }
}

void ChatWatch::chatClosed() {
    if (unseenMessages_) {
        unseenMessages_ = false;
        emit changed();
    }
}

}  // namespace orvala::app
