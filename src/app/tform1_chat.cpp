// The main window's part of the shared chat and the news: the two indicators of the main menu
// with their sirens and hints, the watch that the calendar's ten-second beat drives, the chat
// window, and the news page.

#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QToolButton>

#include "app/chat_window.h"
#include "app/tform1.h"
#include "core/online/chat_pictures.h"
#include "core/text/cp1251.h"
#include "dialogs/message_window.h"
#include "dialogs/passport_dialog.h"
#include "net/service_url.h"
#include "table/word_text.h"

namespace orvala::app {

void TForm1::InitChat() {
    const auto indicator = [this](const char* name, const char* picture) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setAutoRaise(true);
        b->setIcon(QPixmap::fromImage(pictures_.picture(picture)));
        b->hide();
        return b;
    };
    const auto siren = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        l->setScaledContents(true);
        l->hide();
        return l;
    };
    ImageNews = indicator("ImageNews", chat_art::kNews);
    ImageChat = indicator("ImageChat", chat_art::kChat);
    SirenNews = siren("SirenNews");
    SirenChat = siren("SirenChat");
    connect(ImageNews, &QToolButton::clicked, this, &TForm1::OpenNews);
    connect(ImageChat, &QToolButton::clicked, this, &TForm1::ShowChat);
    openUrl_ = [](const QUrl& url) { QDesktopServices::openUrl(url); };

    const QString shared = QDir::cleanPath(QDir(options_.programFolder).absoluteFilePath(".."));
    QUrl news = net::serviceUrl();
    news.setPath(news.path() + "/news.html");
    chatWatch_ = std::make_unique<ChatWatch>(*online_, shared, news);
    connect(chatWatch_.get(), &ChatWatch::changed, this, &TForm1::showChatIndicators);
    connect(chatWatch_.get(), &ChatWatch::messagesFound, this, &TForm1::messagesFound);
    connect(&calendar_, &CalendarPanel::ticked, this, [this] {
        if (!options_.demo) chatWatch_->tick(screen_ == Screen::Menu);
    });
    // During a game the calendar beats on only for a chat that should open by itself.
    calendar_.keepBeating(chatWatch_->chatFile().openOnNew);

    sirenTimer_.setObjectName("TimerSiren");
    sirenTimer_.setInterval(500);
    connect(&sirenTimer_, &QTimer::timeout, this, [this] {
        sirenLit_ = !sirenLit_;
        showChatIndicators();
    });
    layoutChat();
}

// Right of the exit button along the menu's foot: the news, its siren, the chat, its siren.
void TForm1::layoutChat() {
    if (!ImageNews) return;
    const auto place = [this](QWidget* w, double x, double y, double width, double height) {
        const auto r = mapRect(view_.scales(), x, y, width, height);
        w->setGeometry(r.left, r.top, r.width, r.height);
        if (auto* b = qobject_cast<QToolButton*>(w)) b->setIconSize(b->size());
    };
    const int side = chat_art::kIndicatorSize;
    place(ImageNews, 640, 462, side, side);
    place(SirenNews, 640 + side + 1, 466, chat_art::kSirenWidth, chat_art::kSirenHeight);
    place(ImageChat, 694, 462, side, side);
    place(SirenChat, 694 + side + 1, 466, chat_art::kSirenWidth, chat_art::kSirenHeight);
}

void TForm1::showChatIndicators() {
    if (!ImageNews) return;
    const bool menu = screen_ == Screen::Menu;
    const bool news = chatWatch_->unseenNews(), chat = chatWatch_->unseenMessages();
    ImageNews->setVisible(menu);
    ImageChat->setVisible(menu);
    ImageNews->setToolTip(word(WordRow::ZorNews));
    ImageChat->setToolTip(word(WordRow::ZorChat));
    const QPixmap siren =
        QPixmap::fromImage(pictures_.picture(sirenLit_ ? chat_art::kSirenOn : chat_art::kSirenOff));
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

void TForm1::messagesFound() {
    PlaySoundEvent(Wave::WToMenK, false);
    showChatIndicators();
    if (screen_ == Screen::Game && !chatDialog_ && chatWatch_->chatFile().openOnNew) ShowChat();
}

void TForm1::OpenNews() {
    chatWatch_->newsOpened();
    PlaySoundEvent(Wave::WOpenFo, false);
    if (openUrl_) openUrl_(chatWatch_->newsPage());
}

void TForm1::ShowChat() {
    PlaySoundEvent(Wave::WOpenFo, false);
    if (online_->addresses().chatPaused) {
        dialogs::showMessage(this, word(WordRow::ChatUnavailable));
        return;
    }
    if (chatDialog_) {
        chatDialog_->raise();
        return;
    }
    // The file is written as it stands, so that a missing one exists from now on.
    online::writeChatFile(chatWatch_->chatFilePath(), chatWatch_->chatFile());
    ChatWindowSetup setup;
    setup.chatFile = chatWatch_->chatFilePath();
    setup.product = utf8ToCp1251(word(WordRow::Orvala).toStdString());
    setup.optionsChanged = [this](const online::ChatFile& f) {
        calendar_.keepBeating(f.openOnNew);
    };
    setup.passport = true;
    chatDialog_ = openChat(this, *online_, settings_, std::move(setup));
    connect(chatDialog_, &QDialog::finished, this, [this] { chatWatch_->chatClosed(); });
    // "Passport" opens the passport window; what it keeps is the chat's nick and city at once.
    connect(chatDialog_, &dialogs::TFormChat::passportAsked, this, [this] {
        ShowPassport();
        if (auto* passport = findChild<dialogs::TFormServerInfo*>())
            connect(
                passport, &dialogs::TFormServerInfo::changed, chatDialog_,
                [this](const dialogs::Passport& p) { chatDialog_->setPassport(p.nick, p.city); });
    });
    // The indicator goes off now; the flag when the window closes, so that the watch does not
    // raise it again meanwhile.
    SirenChat->hide();
}

}  // namespace orvala::app
