#include "app/online/account_startup.h"

#include "core/online/account.h"

namespace orvala::app {

void startupLogin(net::OnlineClient& client, const std::string& accountFile,
                  std::function<void(std::optional<online::Account>)> done, QObject* context) {
    const auto stored = online::readAccountFile(accountFile);
    if (!stored) {
        if (done) done(std::nullopt);
        return;
    }
    client.post(
        online::readAccountRequest(stored->nick, stored->pw),
        [stored = *stored, done](bool ok, const std::string& reply) {
            if (done)
                done(ok ? online::readAccountReply(reply, stored.nick, stored.pw) : std::nullopt);
        },
        context);
}

}  // namespace orvala::app
