#include "app/online/statistics_window.h"

#include "core/text/cp1251.h"

namespace orvala::app {

dialogs::TFStat* openStatistics(QWidget* parent, net::OnlineClient& client, Settings& settings,
                                std::function<void()> settingsChanged) {
    dialogs::StatQuestion q;
    q.likeEnabled = !settings.StatisticsSent;
    q.nick = QString::fromStdString(cp1251ToUtf8(settings.OnlineNick));
    q.salute = settings.SaluteOnButtons;
    auto* window = new dialogs::TFStat(q, parent);
    client.post(
        online::statisticsRequest(),
        [window](bool ok, const std::string& reply) {
            window->showCounters(ok ? online::readStatistics(reply) : std::nullopt);
        },
        window);
    QObject::connect(
        window, &dialogs::TFStat::likeWanted, window,
        [window, &client, &settings, settingsChanged](const QString& nick, bool typed) {
            const std::string bytes = utf8ToCp1251(nick.toStdString()).substr(0, kOnlineNickMax);
            if (typed && settings.OnlineNick != bytes) {
                settings.OnlineNick = bytes;
                if (settingsChanged) settingsChanged();
            }
            client.post(
                online::likeRequest(bytes),
                [window, &settings, settingsChanged](bool ok, const std::string& reply) {
                    const bool taken = ok && online::readStatusReply(reply);
                    if (taken) {
                        settings.StatisticsSent = true;
                        if (settingsChanged) settingsChanged();
                    }
                    window->likeAnswered(taken);
                },
                window);
        });
    window->open();
    return window;
}

}  // namespace orvala::app
