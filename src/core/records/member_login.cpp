#include "core/records/member_login.h"

#include "core/records/member_password.h"

namespace orvala {

namespace {

std::string passwordField(std::string_view password) {
    return padded(password, kMemberPasswordWidth);
}

bool blank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

Login loginMember(const ClubFile& club, int slot, std::string_view name, std::string_view password,
                  std::string_view repetition) {
    Login out;
    if (slot >= 1 && slot <= kClubMembers) {
        const auto m = parseMemberLine(club.memberLine(slot), slot);
        if (!m) return out;
        if (unscramblePassword(m->password) != passwordField(password)) {
            out.answer = LoginAnswer::IncorrectPassword;
            return out;
        }
        out.answer = LoginAnswer::Ok;
        out.member = *m;
        return out;
    }
    if (blank(name)) return out;
    if (password != repetition) {
        out.answer = LoginAnswer::PasswordsDiffer;
        return out;
    }
    out.answer = LoginAnswer::Ok;
    out.member.name = padded(name, kMemberNameWidth);
    out.member.password = scramblePassword(password);
    out.member.slot = kNewMemberSlot;
    return out;
}

std::optional<ClubMember> findMember(const ClubFile& club, std::string_view name) {
    for (int slot = 1; slot <= kClubMembers; ++slot) {
        const auto m = parseMemberLine(club.memberLine(slot), slot);
        if (m && trimmedName(m->name) == trimmedName(padded(name, kMemberNameWidth))) return m;
    }
    return std::nullopt;
}

void renameMember(ClubMember& member, std::string_view name, std::string_view password) {
    member.name = padded(name, kMemberNameWidth);
    member.password = scramblePassword(password);
}

}  // namespace orvala
