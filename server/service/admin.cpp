#include "service/admin.h"

#include <ostream>

#include "core/text/cp1251.h"
#include "service/operations.h"
#include "service/text_rules.h"

namespace orvala::service {

int runAdmin(const std::vector<std::string>& words, const ServiceConfig& config, std::int64_t now,
             std::ostream& out, std::ostream& err) {
    const auto usage = [&] {
        err << "usage: orvala-service admin news TEXT | pause-chat on|off | show NICK |"
               " grant NICK AMOUNT  [--data DIR] [--database URL]\n";
        return 2;
    };
    if (words.empty()) return usage();
    const std::string& command = words[0];
    std::unique_ptr<Storage> db;
    try {
        db = openStorage(config.database, config.dataDir, true);
        if (command == "news" && words.size() == 2) {
            db->transaction([&] {
                const auto n = storedSetting(*db, "news_number");
                const long long next = (n ? std::stoll(*n) : 0) + 1;
                storeSetting(*db, "news_number", std::to_string(next));
                // The operator types UTF-8; stored texts are Windows-1251 like the game's.
                storeSetting(*db, "news_text", utf8ToCp1251(words[1]));
                out << "news number " << next << "\n";
            });
            return 0;
        }
        if (command == "pause-chat" && words.size() == 2 &&
            (words[1] == "on" || words[1] == "off")) {
            storeSetting(*db, "chat_paused", words[1]);
            out << "chat " << (words[1] == "on" ? "paused" : "open") << "\n";
            return 0;
        }
        if (command == "show" && words.size() == 2) {
            const auto a = db->queryOne(
                "SELECT nick, city, country1, country2, sex, email, dater, balance, kon, rating,"
                " sessions, best FROM accounts WHERE nick = $1",
                {words[1]});
            if (!a) {
                err << "no account " << words[1] << "\n";
                return 1;
            }
            const char* names[] = {"nick",  "city",    "country", "code",   "sex",      "email",
                                   "since", "balance", "games",   "rating", "sessions", "best"};
            for (std::size_t i = 0; i < 12; ++i)
                out << names[i] << ": " << cp1251ToUtf8(a->text(i)) << "\n";
            return 0;
        }
        if (command == "grant" && words.size() == 3) {
            long long amount;
            if (!parseInteger(words[2], 1, 1'000'000'000, amount)) {
                err << "the amount must be a whole number from 1 to 1000000000\n";
                return 1;
            }
            bool known = false;
            db->transaction([&] {
                if (!db->queryOne("SELECT 1 FROM accounts WHERE nick = $1", {words[1]})) return;
                creditZors(*db, now, words[1], amount, "grant");
                known = true;
            });
            if (!known) {
                err << "no account " << words[1] << "\n";
                return 1;
            }
            out << "granted " << amount << " Zors to " << words[1] << "\n";
            return 0;
        }
    } catch (const std::exception& e) {
        err << "orvala-service admin: " << e.what() << "\n";
        return 1;
    }
    return usage();
}

}  // namespace orvala::service
