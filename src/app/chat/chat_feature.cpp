#include "app/chat/chat_feature.h"

#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QToolButton>
#include <QUrl>
#include <tuple>

#include "app/calendar_panel.h"
#include "app/chat/chat_window.h"
#include "app/passport.h"
#include "app/picture_key.h"
#include "app/shell.h"
#include "core/online/chat_pictures.h"
#include "core/text/cp1251.h"
#include "dialogs/message_window.h"
#include "dialogs/passport_dialog.h"
#include "net/online_client.h"
#include "table/picture_store.h"
#include "table/table_geometry.h"
#include "table/table_view.h"
#include "table/word_text.h"

namespace orvala::app {

using table::word;

ChatFeature::ChatFeature(Shell& shell) : shell_(shell) {
    QWidget* window = &shell_.window();
    const auto indicator = [this, window](const char* name, const char* picture) {
        auto* b = new QToolButton(window);
        b->setObjectName(name);
        b->setAutoRaise(true);
        setKeyPicture(b, QPixmap::fromImage(shell_.pictures().picture(picture)));
        b->hide();
        return b;
    };
    const auto siren = [window](const char* name) {
        auto* l = new QLabel(window);
        l->setObjectName(name);
        l->setScaledContents(true);
        l->hide();
        return l;
    };
    ImageNews = indicator("ImageNews", chat_art::kNews);
    ImageChat = indicator("ImageChat", chat_art::kChat);
    SirenNews = siren("SirenNews");
    SirenChat = siren("SirenChat");
    connect(ImageNews, &QToolButton::clicked, this, &ChatFeature::OpenNews);
    connect(ImageChat, &QToolButton::clicked, this, &ChatFeature::ShowChat);
    openUrl_ = [](const QUrl& url) { QDesktopServices::openUrl(url); };

    const QString shared =
        QDir::cleanPath(QDir(shell_.launch().programFolder).absoluteFilePath(".."));
    QUrl news = shell_.serviceUrl();
    news.setPath(news.path() + "/news.html");
    watch_ = std::make_unique<ChatWatch>(shell_.online(), shared, news);
    connect(watch_.get(), &ChatWatch::changed, this, &ChatFeature::showChatIndicators);
    connect(watch_.get(), &ChatWatch::messagesFound, this, &ChatFeature::messagesFound);
    connect(&shell_.calendar(), &CalendarPanel::ticked, this, [this] {
        if (!shell_.launch().demo) watch_->tick(shell_.screen() == Screen::Menu);
    });
    // During a game the calendar beats on only for a chat that should open by itself.
    shell_.calendar().keepBeating(watch_->chatFile().openOnNew);

    sirenTimer_.setObjectName("TimerSiren");
    sirenTimer_.setInterval(500);
    connect(&sirenTimer_, &QTimer::timeout, this, [this] {
        sirenLit_ = !sirenLit_;
        showChatIndicators();
    });
    layout();
}

void ChatFeature::screenShown(Screen screen) {
    if (screen == Screen::Title) return;
    showChatIndicators();
    if (screen == Screen::Menu && !shell_.launch().demo) watch_->check();
}

void ChatFeature::contextMenu(ContextMenu& menu) {
    menu.offer(WordRow::Chat, true, [this] { ShowChat(); });
}

// Right of the exit button along the menu's foot: the news, its siren, the chat, its siren.
void ChatFeature::layout() {
    const auto place = [this](QWidget* w, double x, double y, double width, double height) {
        const auto r = table::mapRect(shell_.view().scales(), x, y, width, height);
        if (auto* b = qobject_cast<QToolButton*>(w))
            placeKey(b, QRect(r.left, r.top, r.width, r.height));
        else
            w->setGeometry(r.left, r.top, r.width, r.height);
    };
    const int side = chat_art::kIndicatorSize;
    place(ImageNews, 640, 462, side, side);
    place(SirenNews, 640 + side + 1, 466, chat_art::kSirenWidth, chat_art::kSirenHeight);
    place(ImageChat, 694, 462, side, side);
    place(SirenChat, 694 + side + 1, 466, chat_art::kSirenWidth, chat_art::kSirenHeight);
}

void ChatFeature::showChatIndicators() {
    const bool menu = shell_.screen() == Screen::Menu;
    const bool news = watch_->unseenNews(), chat = watch_->unseenMessages();
    ImageNews->setVisible(menu);
    ImageChat->setVisible(menu);
    ImageNews->setToolTip(word(WordRow::ZorNews));
    ImageChat->setToolTip(word(WordRow::ZorChat));
    const QPixmap siren = QPixmap::fromImage(
        shell_.pictures().picture(sirenLit_ ? chat_art::kSirenOn : chat_art::kSirenOff));
    for (auto [label, on, row] : {std::tuple{SirenNews, news, WordRow::ZorNews},
                                  std::tuple{SirenChat, chat, WordRow::ZorChat}}) {
        label->setVisible(menu && on);
        label->setToolTip(word(row));
        if (menu && on) label->setPixmap(siren);
    }
    const bool blinking = menu && (news || chat);
    if (blinking && !sirenTimer_.isActive()) sirenTimer_.start();
    if (!blinking) sirenTimer_.stop();
}

void ChatFeature::messagesFound() {
    shell_.playSound(Wave::WToMenK, false);
    showChatIndicators();
    if (shell_.screen() == Screen::Game && !chatDialog_ && watch_->chatFile().openOnNew) ShowChat();
}

void ChatFeature::OpenNews() {
    watch_->newsOpened();
    shell_.playSound(Wave::WOpenFo, false);
    if (openUrl_) openUrl_(watch_->newsPage());
}

void ChatFeature::ShowChat() {
    shell_.playSound(Wave::WOpenFo, false);
    if (shell_.online().addresses().chatPaused) {
        dialogs::showMessage(&shell_.window(), word(WordRow::ChatUnavailable));
        return;
    }
    if (chatDialog_) {
        chatDialog_->raise();
        return;
    }
    // The file is written as it stands, so that a missing one exists from now on.
    online::writeChatFile(watch_->chatFilePath(), watch_->chatFile());
    ChatWindowSetup setup;
    setup.chatFile = watch_->chatFilePath();
    setup.product = utf8ToCp1251(word(WordRow::Orvala).toStdString());
    setup.optionsChanged = [this](const online::ChatFile& f) {
        shell_.calendar().keepBeating(f.openOnNew);
    };
    setup.passport = true;
    chatDialog_ = openChat(&shell_.window(), shell_.online(), shell_.settings(), std::move(setup));
    connect(chatDialog_, &QDialog::finished, this, [this] { watch_->chatClosed(); });
    // "Passport" opens the passport window; what it keeps is the chat's nick and city at once.
    connect(chatDialog_, &dialogs::TFormChat::passportAsked, this, [this] {
        auto* passport = openPassport(shell_);
        connect(passport, &dialogs::TFormServerInfo::changed, chatDialog_,
                [this](const dialogs::Passport& p) { chatDialog_->setPassport(p.nick, p.city); });
        // A passport that was only looked at is the chat's too: the window gave the defaults to
        // an empty one.
        const Settings& s = shell_.settings();
        chatDialog_->setPassport(s.OnlineNick, s.OnlineCity);
    });
    // The indicator goes off now; the flag when the window closes, so that the watch does not
    // raise it again meanwhile.
    SirenChat->hide();
}

}  // namespace orvala::app
