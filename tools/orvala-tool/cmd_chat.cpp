// orvala-tool chat: the shared chat from the command line, through the chat window's own errands.
//
//   orvala-tool chat --service URL post --nick N --city C [--country CODE] [--sex M|W] TEXT...
//       the new message's number, or "Unable to send a message!" (exit 1)
//   orvala-tool chat --service URL read
//       the newest ten messages, newest first, one line each: NUMBER NICK CITY TEXT, the text
//       as the window shows it; "No Connect" (exit 1) when the chat cannot be read
//
// Texts are UTF-8 here and Windows-1251 on the wire. The stamp is the local time and date and
// the program's English name.

#include <QCoreApplication>
#include <QEventLoop>
#include <iostream>

#include "commands.h"
#include "core/lang/word_row.h"
#include "core/online/account.h"
#include "core/online/countries.h"
#include "core/text/cp1251.h"
#include "net/chat_errands.h"

namespace orvala::tool {
namespace {

int post(net::OnlineClient& client, online::ChatPost message) {
    bool ok = false;
    std::int64_t number = 0;
    QEventLoop loop;
    net::postChat(client, std::move(message), [&](bool sent, std::int64_t n) {
        ok = sent;
        number = n;
        loop.quit();
    });
    loop.exec();
    if (!ok) {
        std::cout << englishWord(WordRow::UnableToSendMessage) << '\n';
        return 1;
    }
    std::cout << number << '\n';
    return 0;
}

int read(net::OnlineClient& client) {
    bool ok = false;
    std::vector<online::RecordRow> rows;
    QEventLoop loop;
    net::readChat(client, [&](bool read, const std::vector<online::RecordRow>& found) {
        ok = read;
        rows = found;
        loop.quit();
    });
    loop.exec();
    if (!ok) {
        std::cout << "No Connect\n";
        return 1;
    }
    for (const auto& r : rows)
        std::cout << r.Score << ' ' << cp1251ToUtf8(r.Nick) << ' ' << cp1251ToUtf8(r.City) << ' '
                  << cp1251ToUtf8(online::chatShown(r.R10)) << '\n';
    return 0;
}

}  // namespace

int runChat(Args& args) {
    const auto service = args.value("service");
    if (!service) throw UsageError("--service URL is required");
    if (!service->starts_with("http://") && !service->starts_with("https://"))
        throw UsageError("--service takes an http or https address, not " + *service);
    const auto nick = args.value("nick"), city = args.value("city");
    const auto country = args.value("country"), sex = args.value("sex");
    const std::vector<std::string> pos = args.positional();
    args.finish();
    if (pos.empty()) throw UsageError("post or read?");
    online::ChatPost message;
    if (pos[0] == "post") {
        if (!nick || !city) throw UsageError("post needs --nick and --city");
        message.nick = utf8ToCp1251(*nick);
        message.city = utf8ToCp1251(*city);
        if (!online::passportAllowsPosting(message.nick, message.city))
            throw UsageError("the nick or the city fails the passport check");
        message.country = country.value_or("1-001");
        if (!online::countryByCode(message.country))
            throw UsageError("--country takes a country code such as 1-001");
        message.sex = sex.value_or("M");
        if (message.sex != "M" && message.sex != "W") throw UsageError("--sex takes M or W");
        for (std::size_t i = 1; i < pos.size(); ++i)
            message.text += (i > 1 ? " " : "") + utf8ToCp1251(pos[i]);
        if (message.text.empty()) throw UsageError("post needs a text");
        if (message.text.size() > online::kChatTextMax)
            throw UsageError("a message holds at most 80 characters");
        message.stamp = net::chatStampNow(englishWord(WordRow::Orvala));
    } else if (pos[0] == "read") {
        if (pos.size() != 1 || nick || city || country || sex)
            throw UsageError("read takes nothing more");
    } else {
        throw UsageError("unknown operation " + pos[0]);
    }

    int argc = 1;
    char name[] = "orvala-tool";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    net::OnlineClient client(online::addressesAt(*service));
    return pos[0] == "post" ? post(client, std::move(message)) : read(client);
}

}  // namespace orvala::tool
