// orvala-tool club: checks a club file, writes a new one, or records one finished game of a
// member as the end of a game does.
//
//   orvala-tool club check FILE
//   orvala-tool club new FILE
//   orvala-tool club game FILE --name N --result R [--new] [--password P]
//
// A file that is missing or damaged, or a member that is not there, is said with exit status 2.
// Names and passwords are UTF-8 here and Windows-1251 in the file.

#include <filesystem>
#include <iostream>

#include "commands.h"
#include "core/records/club_update.h"
#include "core/records/member_login.h"
#include "core/text/cp1251.h"

namespace orvala::tool {

namespace {

std::string shown(std::string_view bytes) {
    return cp1251ToUtf8(trimmedName(bytes));
}

void printMember(const ClubMember& m) {
    std::cout << "member " << m.slot << ' ' << shown(m.name) << " rating " << ratingText6(m.rating)
              << " games " << m.games << " score " << m.cycleScore << '\n';
}

// The file read and checked, or the reason on stderr.
std::optional<ClubFile> readChecked(const std::string& path) {
    const ClubRead r = readClubFile(path);
    if (r.ok()) return r.file;
    std::cerr << "orvala-tool club: " << path << ": " << clubFaultText(r.fault);
    if (r.line > 0) std::cerr << " (line " << r.line << ")";
    std::cerr << '\n';
    return std::nullopt;
}

int check(const std::string& path) {
    const auto club = readChecked(path);
    if (!club) return 2;
    std::cout << "ok\n";
    for (int slot = 1; slot <= kClubMembers; ++slot) {
        if (const auto m = parseMemberLine(club->memberLine(slot), slot))
            printMember(*m);
        else
            std::cout << "member " << slot << " -\n";
    }
    for (int place = 1; place <= kTopTenPlaces; ++place) {
        const std::string& line = club->topTenLine(place);
        std::cout << "top " << place << ' ' << shown(line.substr(0, 20)) << ' '
                  << *parseColumnInt(std::string_view(line).substr(20, 6)) << '\n';
    }
    if (clubAsksRussian(*club)) std::cout << "language Russian\n";
    std::cout << "distribution " << clubDistributionCode(*club) << '\n';
    return 0;
}

int create(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        std::cerr << "orvala-tool club new: " << path << " already exists\n";
        return 2;
    }
    if (!writeClubFile(path, newClubFile())) {
        std::cerr << "orvala-tool club new: " << path << ": cannot be written\n";
        return 2;
    }
    std::cout << "written " << path << '\n';
    return 0;
}

struct GameOptions {
    std::optional<std::string> name, resultText, password;
    bool isNew = false;
    bool any() const { return name || resultText || password || isNew; }
};

int game(const std::string& path, const GameOptions& o) {
    const auto& [name, resultText, password, isNew] = o;
    if (!name || !resultText) throw UsageError("--name and --result are required");
    const int result = parseInt(*resultText, "--result", -100000, 100000);
    const std::string nameBytes = utf8ToCp1251(*name);
    const std::string pw = utf8ToCp1251(password.value_or(""));

    const auto club = readChecked(path);
    if (!club) return 2;
    Login login;
    if (isNew) {
        login = loginMember(*club, kNewMemberSlot, nameBytes, pw, pw);
    } else if (const auto m = findMember(*club, nameBytes)) {
        login = loginMember(*club, m->slot, nameBytes, pw, pw);
        if (!password) login = {LoginAnswer::Ok, *m};  // the tool may skip the password
    } else {
        std::cerr << "orvala-tool club game: no member \"" << *name << "\" in " << path << '\n';
        return 2;
    }
    if (login.answer != LoginAnswer::Ok) {
        std::cerr << "orvala-tool club game: "
                  << (login.answer == LoginAnswer::IncorrectPassword ? "incorrect password"
                                                                     : "incorrect name")
                  << '\n';
        return 2;
    }
    ClubMember member = login.member;
    const bool cycleEnd = recordGame(member, result);
    const ClubFileUpdate u = UpdateClub(path, member, cycleEnd);
    if (u.write == ClubWrite::Failed || u.write == ClubWrite::Unusable) {
        std::cerr << "orvala-tool club game: " << path << ": cannot be written\n";
        return 2;
    }
    if (u.write == ClubWrite::WriteProtected) std::cout << "write-protected: not written\n";
    std::cout << cp1251ToUtf8(formatMemberLine(member)) << '\n';
    if (cycleEnd)
        std::cout << "place " << u.update.place << " score " << u.update.cycleScore << '\n';
    return 0;
}

}  // namespace

int runClub(Args& args) {
    GameOptions o;
    o.name = args.value("name");
    o.resultText = args.value("result");
    o.isNew = args.flag("new");
    o.password = args.value("password");
    const auto words = args.positional();
    args.finish();
    if (words.size() != 2) throw UsageError("club takes check|new|game and one FILE");
    if (words[0] == "game") return game(words[1], o);
    if (o.any()) throw UsageError("options belong to club game");
    if (words[0] == "check") return check(words[1]);
    if (words[0] == "new") return create(words[1]);
    throw UsageError("unknown club command \"" + words[0] + "\"");
}

}  // namespace orvala::tool
