#pragma once
// The club member's login: a member of slot 1..5 gives the password; a new member (slot 6) a
// name, a password and its repetition. Names are padded with blanks to 20 bytes, passwords to
// 5; both are Windows-1251 bytes. The same rules serve the change of a name and password.

#include <optional>
#include <string>
#include <string_view>

#include "core/records/club_file.h"
#include "core/records/club_member.h"

namespace orvala {

enum class LoginAnswer {
    Ok,
    IncorrectName,      // "Incorrect name!"
    PasswordsDiffer,    // "The passwords do not coincide!"
    IncorrectPassword,  // "The incorrect password!"
};

struct Login {
    LoginAnswer answer = LoginAnswer::IncorrectName;
    ClubMember member;  // for Ok: as read (slot 1..5), or new with 0 games (slot 6)
};

// An existing member's name is the slot's; an empty slot is an incorrect name.
Login loginMember(const ClubFile& club, int slot, std::string_view name, std::string_view password,
                  std::string_view repetition);

// The first member whose name, without padding, is `name`.
std::optional<ClubMember> findMember(const ClubFile& club, std::string_view name);

// A member with a new name and password; rating, games and cycle score stay. A member already in
// the club gets its line rewritten through updateClubFile.
void renameMember(ClubMember& member, std::string_view name, std::string_view password);

}  // namespace orvala
