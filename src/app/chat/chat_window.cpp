#include "app/chat/chat_window.h"

#include <algorithm>
#include <memory>

#include "net/chat_errands.h"

namespace orvala::app {

dialogs::TFormChat* openChat(QWidget* parent, net::OnlineClient& client, const Settings& settings,
                             ChatWindowSetup setup) {
    const online::ChatFile opened = online::loadChatFile(setup.chatFile);
    dialogs::ChatQuestion q;
    q.file = opened;
    q.nick = settings.OnlineNick;
    q.city = settings.OnlineCity;
    q.passport = setup.passport;
    q.clock = setup.clock;
    auto* window = new dialogs::TFormChat(q, parent);
    auto shared = std::make_shared<ChatWindowSetup>(std::move(setup));
    // The "new" marks count from the number seen when the window opened, and from the player's
    // own message once one went.
    auto marksFrom = std::make_shared<std::int64_t>(opened.lastSeen);

    // Whatever the window shows or sends counts as seen from then on.
    const auto seen = [shared](std::int64_t number) {
        online::ChatFile f = online::loadChatFile(shared->chatFile);
        if (number <= f.lastSeen) return;
        f.lastSeen = number;
        online::writeChatFile(shared->chatFile, f);
    };
    const auto refresh = [window, &client, seen, marksFrom] {
        net::readChat(
            client,
            [window, seen, marksFrom](bool ok, const std::vector<online::RecordRow>& rows) {
                window->showMessages(ok, rows, *marksFrom);
                if (ok) seen(online::newestMessage(rows));
            },
            window);
    };
    refresh();

    QObject::connect(
        window, &dialogs::TFormChat::postWanted, window,
        [window, &client, &settings, shared, seen, refresh, marksFrom](const std::string& text) {
            online::ChatPost post;
            post.nick = settings.OnlineNick;
            post.city = settings.OnlineCity;
            post.country = settings.OnlineLocation;
            post.sex = settings.OnlineGender;
            post.stamp = net::chatStampNow(shared->product);
            post.text = text;
            net::postChat(
                client, std::move(post),
                [window, seen, refresh, marksFrom](bool ok, std::int64_t number) {
                    window->posted(ok);
                    if (!ok) return;
                    *marksFrom = std::max(*marksFrom, number);
                    seen(number);
                    refresh();
                },
                window);
        });
    QObject::connect(window, &dialogs::TFormChat::optionsChanged, window,
                     [shared](bool bottom, bool openOnNew) {
                         online::ChatFile f = online::loadChatFile(shared->chatFile);
                         f.bottom = bottom;
                         f.openOnNew = openOnNew;
                         online::writeChatFile(shared->chatFile, f);
                         if (shared->optionsChanged) shared->optionsChanged(f);
                     });
    window->open();
    return window;
}

}  // namespace orvala::app
