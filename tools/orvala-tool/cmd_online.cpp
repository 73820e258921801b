// orvala-tool online: the game's own web client from the command line, for scripts and tests.
// Each operation goes through the same requests, client and reply readers as the window's, and
// prints what the client read.
//
//   orvala-tool online --service URL register NICK PW [--city C] [--country CODE] [--sex M|W]
//                                                     [--email E]
//       ok, is (the nick is taken) or failed
//   orvala-tool online --service URL login NICK PW
//       ok and the account's fields, one Field=value a line, or refused
//   orvala-tool online --service URL records GID
//       one line a row: PLACE SCORE NICK COUNTRY CITY
//   orvala-tool online --service URL rating-top
//       NICK RATING lines, the rating as the window shows it (12,500)
//   orvala-tool online --service URL stat
//       the statistics window's ten counters, one "Caption: value" a line
//
// Texts are UTF-8 here and Windows-1251 on the wire. A failed exchange prints "No Connect" (or
// the operation's own failure word); any answer but the hoped-for one exits 1.

#include <QCoreApplication>
#include <QDate>
#include <QEventLoop>
#include <iostream>
#include <optional>
#include <string>

#include "commands.h"
#include "core/lang/word_row.h"
#include "core/online/countries.h"
#include "core/online/numbers.h"
#include "core/online/operations.h"
#include "core/text/cp1251.h"
#include "net/online_client.h"

namespace orvala::tool {
namespace {

struct Exchange {
    bool ok = false;
    std::string reply;
};

// The window never waits for a reply; a command line has nothing else to do meanwhile.
Exchange send(net::OnlineClient& client, const online::Request& request) {
    Exchange result;
    QEventLoop loop;
    client.post(request, [&](bool ok, const std::string& reply) {
        result = {ok, reply};
        loop.quit();
    });
    loop.exec();
    return result;
}

std::string shown(std::string_view cp1251) {
    return cp1251ToUtf8(cp1251);
}

struct RegisterOptions {
    std::optional<std::string> city, country, sex, email;
    bool any() const { return city || country || sex || email; }
};

int registerAccount(net::OnlineClient& client, const RegisterOptions& o,
                    const std::vector<std::string>& pos) {
    online::Account a;
    a.Nick = utf8ToCp1251(pos[1]);
    a.Pw = utf8ToCp1251(pos[2]);
    a.City = utf8ToCp1251(o.city.value_or("Moscow"));
    const std::string code = o.country.value_or("1-001");
    const auto country = online::countryByCode(code);
    if (!country) throw UsageError("--country takes a country code such as 1-001, not " + code);
    a.Country2 = code;
    a.Country1 = std::string(country->shortName);
    a.Sex = o.sex.value_or("M");
    if (a.Sex != "M" && a.Sex != "W") throw UsageError("--sex takes M or W");
    a.EMail = utf8ToCp1251(o.email.value_or(pos[1] + "@example.org"));
    a.DateR = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toStdString();
    const Exchange e = send(client, online::registerRequest(a));
    const auto result = e.ok ? online::readRegisterReply(e.reply) : online::RegisterResult::Failed;
    switch (result) {
        case online::RegisterResult::Created:
            std::cout << "ok\n";
            return 0;
        case online::RegisterResult::NickTaken:
            std::cout << "is\n";
            return 1;
        case online::RegisterResult::Failed:
            break;
    }
    std::cout << "failed\n";
    return 1;
}

int login(net::OnlineClient& client, const std::vector<std::string>& pos) {
    const std::string nick = utf8ToCp1251(pos[1]), pw = utf8ToCp1251(pos[2]);
    const Exchange e = send(client, online::readAccountRequest(nick, pw));
    if (!e.ok) {
        std::cout << "No Connect\n";
        return 1;
    }
    const auto a = online::readAccountReply(e.reply, nick, pw);
    if (!a) {
        std::cout << "refused\n";
        return 1;
    }
    std::cout << "ok\n"
              << "Nick=" << shown(a->Nick) << "\nCity=" << shown(a->City)
              << "\nCountry1=" << shown(a->Country1) << "\nCountry2=" << shown(a->Country2)
              << "\nSex=" << a->Sex << "\nEMail=" << shown(a->EMail) << "\nDateR=" << a->DateR
              << "\nR01=" << shown(a->R01) << "\nR02=" << shown(a->R02) << "\nR03=" << shown(a->R03)
              << "\nR04=" << a->R04 << "\nR05=" << a->R05 << "\nR06=" << a->R06 << '\n';
    return 0;
}

int records(net::OnlineClient& client, const std::string& gidText) {
    const int gid = parseInt(gidText, "GID", 0, 100000);
    const Exchange e = send(client, online::recordListRequest(gid));
    if (!e.ok) {
        std::cout << "No Connect\n";
        return 1;
    }
    for (const auto& row : online::readRecordList(e.reply, gid)) {
        if (row.Nick == "#") continue;  // an empty place
        std::cout << row.Place << ' ' << row.Score << ' ' << shown(row.Nick) << ' '
                  << shown(row.Country) << ' ' << shown(row.City) << '\n';
    }
    return 0;
}

int ratingTop(net::OnlineClient& client) {
    const Exchange e = send(client, online::ratingTopRequest());
    if (!e.ok) {
        std::cout << "No Connect\n";
        return 1;
    }
    for (const auto& row : online::readRatingTop(e.reply)) {
        if (row.Nick == "#") continue;
        std::cout << shown(row.Nick) << ' ' << online::ratingText(row.Rating) << '\n';
    }
    return 0;
}

int statistics(net::OnlineClient& client) {
    const Exchange e = send(client, online::statisticsRequest());
    const auto s = e.ok ? online::readStatistics(e.reply) : std::nullopt;
    if (!s) {
        std::cout << englishWord(WordRow::NumberOfStarts) << ": No Connect\n";
        return 1;
    }
    const std::pair<WordRow, std::string> rows[] = {
        {WordRow::NumberOfStarts, std::to_string(s->Stat1)},
        {WordRow::NumberOfUniqueStarts, std::to_string(s->Stat2)},
        {WordRow::Likes, std::to_string(s->Stat3)},
        {WordRow::LastLike, shown(s->Stat4)},
        {WordRow::GamesPlayedWithPcStat, std::to_string(s->StatX[0])},
        {WordRow::CyclesPlayedWithPc, std::to_string(s->StatX[1])},
        {WordRow::WinningPeople, std::to_string(s->StatX[2])},
        {WordRow::LossOfPeople, std::to_string(s->StatX[3])},
        {WordRow::GamesPlayedNet, std::to_string(s->StatX[4])},
        {WordRow::GamesPlayedOnline, std::to_string(s->StatX[5])},
    };
    for (const auto& [row, value] : rows) std::cout << englishWord(row) << ": " << value << '\n';
    return 0;
}

}  // namespace

int runOnline(Args& args) {
    const auto service = args.value("service");
    if (!service) throw UsageError("--service URL is required");
    if (!service->starts_with("http://") && !service->starts_with("https://"))
        throw UsageError("--service takes an http or https address, not " + *service);
    RegisterOptions options{args.value("city"), args.value("country"), args.value("sex"),
                            args.value("email")};
    const std::vector<std::string> pos = args.positional();
    args.finish();
    if (pos.empty()) throw UsageError("which operation?");
    const std::string& op = pos[0];
    if (op != "register" && options.any())
        throw UsageError("--city, --country, --sex and --email belong to register");
    const auto want = [&](std::size_t n) {
        if (pos.size() != n)
            throw UsageError(op + " takes " + std::to_string(n - 1) + " arguments");
    };

    int argc = 1;
    char name[] = "orvala-tool";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    // The tool talks to the service it is given, not to the addresses its page publishes.
    net::OnlineClient client(online::addressesAt(*service));

    if (op == "register") {
        want(3);
        return registerAccount(client, options, pos);
    }
    if (op == "login") {
        want(3);
        return login(client, pos);
    }
    if (op == "records") {
        want(2);
        return records(client, pos[1]);
    }
    if (op == "rating-top") {
        want(1);
        return ratingTop(client);
    }
    if (op == "stat") {
        want(1);
        return statistics(client);
    }
    throw UsageError("unknown operation " + op);
}

}  // namespace orvala::tool
