// Fuzz target of the club-file reader. Any bytes either are refused with a reason or give a club
// that writes back to the same bytes (line ends made CR LF), whose members read and write back
// unchanged, and which a finished game keeps valid.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/records/club_file.h"
#include "core/records/club_update.h"

namespace {

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "club reader property broken: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvala;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ClubRead read = decodeClubFile(bytes);
    require(read.ok() == (read.fault == ClubFault::None), "fault and ok disagree");
    if (!read.ok()) return 0;
    const std::string written = formatClubFile(read.file);
    const ClubRead again = decodeClubFile(written);
    require(again.ok() && again.file == read.file, "a valid club does not write back the same");
    for (int slot = 1; slot <= kClubMembers; ++slot) {
        const auto m = parseMemberLine(read.file.memberLine(slot), slot);
        if (!m) continue;
        ClubFile copy = read.file;
        ClubMember member = *m;
        const bool cycle = recordGame(member, 120);
        updateClubFile(copy, member, cycle);
        require(decodeClubFile(formatClubFile(copy)).ok(), "a finished game spoils the club");
    }
    return 0;
}
