#pragma once
// The club files "Orvala.clb" (games against the computer) and "Orvala.net" (network games):
// 17 lines ended by CR LF, Windows-1251 bytes, fixed columns counted from 1.
//
//   lines 1..5    the members, best rating first, 59 characters each (club_member.h)
//   lines 6..15   the top ten, places 1..10: name (20) and cycle score (6, right-aligned)
//   line 16       the byte 155 (the game's number 55 + 100), "}", then 26 kept characters
//   line 17       column 1 "1": the interface starts in Russian; columns 7..9 the distribution
//                 code; columns 11..16, 17..22, 23..28 the checksum C1, C2, C3 (six digits)
//
// The checksum covers lines 1..16 joined without line ends (583 bytes): C1 is the sum of every
// byte, C2 of the bytes at even positions, C3 of those at positions divisible by 3.
//
// The reader trusts nothing: a file with another number of lines or lines of other lengths, a
// wrong line 16, a checksum that is not six digits or does not match, or a member or top-ten
// line whose numbers are not numbers is refused with its reason, never half-used. A line may end
// in LF alone; one empty line after the 17th (a final line end) is allowed.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace orvala {

inline constexpr std::string_view kLocalClubFileName = "Orvala.clb";
inline constexpr std::string_view kNetClubFileName = "Orvala.net";

inline constexpr int kClubMembers = 5;
inline constexpr int kTopTenPlaces = 10;
inline constexpr int kClubLines = 17;
inline constexpr size_t kMemberLineLength = 59;
inline constexpr size_t kTopTenLineLength = 26;
inline constexpr size_t kClubTailLength = 28;  // lines 16 and 17
inline constexpr unsigned char kClubMarkByte = 155;
// The code of a distribution that must not send the start-up report.
inline constexpr std::string_view kQuietDistributionCode = "zqv";

// The 17 lines without their line ends. A ClubFile that came from readClubFile or newClubFile
// always has the layout above.
struct ClubFile {
    std::array<std::string, kClubLines> lines;

    std::string& memberLine(int slot) { return lines[static_cast<size_t>(slot - 1)]; }
    const std::string& memberLine(int slot) const { return lines[static_cast<size_t>(slot - 1)]; }
    std::string& topTenLine(int place) { return lines[static_cast<size_t>(place + 4)]; }
    const std::string& topTenLine(int place) const { return lines[static_cast<size_t>(place + 4)]; }

    friend bool operator==(const ClubFile&, const ClubFile&) = default;
};

struct ClubChecksum {
    int c1 = 0, c2 = 0, c3 = 0;
    friend bool operator==(const ClubChecksum&, const ClubChecksum&) = default;
};

enum class ClubFault {
    None,
    Missing,     // no file there
    Unreadable,  // something there that cannot be read as a file
    Layout,      // not 17 lines of the lengths above
    Mark,        // line 16 does not begin with the byte 155 and "}"
    Checksum,    // line 17's checksum is not three six-digit numbers, or does not match
    MemberLine,  // a member line that is neither empty nor holds numbers where they belong
    TopTenLine,  // a top-ten score that is not a number
};

// A short English reason for the tool and the log.
std::string_view clubFaultText(ClubFault fault);

struct ClubRead {
    ClubFault fault = ClubFault::None;
    int line = 0;  // the line at fault, where one is
    ClubFile file;
    bool ok() const { return fault == ClubFault::None; }
};

ClubChecksum clubChecksum(const ClubFile& file);

// Checks and decodes the bytes of a whole club file.
ClubRead decodeClubFile(std::string_view bytes);

// Reads and checks the file at `path`.
ClubRead readClubFile(const std::string& path);

// The 17 lines with CR LF after each, line 17's checksum recomputed (its columns 1..10 kept).
std::string formatClubFile(const ClubFile& file);

// Recomputes line 17's checksum in place.
void sealClubFile(ClubFile& file);

// A club without members and with the program's initial top ten, sealed.
ClubFile newClubFile();

// Line 17 column 1 is "1": the interface starts in Russian whatever the settings say.
bool clubAsksRussian(const ClubFile& file);

// Line 17 columns 7..9.
std::string clubDistributionCode(const ClubFile& file);

// A file that the program may read but must not write: on Linux, one without its owner's write
// permission. Missing files are not write-protected.
bool clubFileWriteProtected(const std::string& path);

// Writes `file` sealed, atomically; false when it could not be written (the old file stays).
bool writeClubFile(const std::string& path, ClubFile file);

// `folder` + name; `folder` may end in a separator or not.
std::string clubFilePath(const std::string& folder, bool networkMode);

}  // namespace orvala
