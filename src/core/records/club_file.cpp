#include "core/records/club_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "core/records/club_member.h"
#include "core/text/atomic_file.h"

namespace orvala {

namespace {

// No club file comes near this; a larger one is not read into memory at all.
constexpr size_t kClubFileMaxBytes = 64 * 1024;

size_t expectedLength(size_t index) {
    if (index < 5) return kMemberLineLength;
    if (index < 15) return kTopTenLineLength;
    return kClubTailLength;
}

std::optional<int> sixDigits(std::string_view text) {
    if (text.size() != 6) return std::nullopt;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

std::string sixDigitText(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06d", v);
    return buf;
}

// The initial top ten: someone to beat from the first cycle on.
constexpr std::pair<std::string_view, int> kInitialTopTen[] = {
    {"Orvala", 1500},    {"Captain Flint", 1200}, {"Old Marta", 1000}, {"Vasily", 800},
    {"Lucky Jack", 600}, {"Aunt Polly", 500},     {"Tobias", 400},     {"Greta", 300},
    {"Nikolai", 200},    {"Beginner", 100},
};

}  // namespace

std::string_view clubFaultText(ClubFault fault) {
    switch (fault) {
        case ClubFault::None:
            return "ok";
        case ClubFault::Missing:
            return "missing";
        case ClubFault::Unreadable:
            return "unreadable";
        case ClubFault::Layout:
            return "wrong layout";
        case ClubFault::Mark:
            return "wrong mark in line 16";
        case ClubFault::Checksum:
            return "checksum mismatch";
        case ClubFault::MemberLine:
            return "damaged member line";
        case ClubFault::TopTenLine:
            return "damaged top-ten line";
    }
    return "unknown";
}

ClubChecksum clubChecksum(const ClubFile& file) {
    ClubChecksum sum;
    int pos = 0;
    for (size_t i = 0; i < 16; ++i) {
        for (const char c : file.lines[i]) {
            ++pos;
            const int b = static_cast<unsigned char>(c);
            sum.c1 += b;
            if (pos % 2 == 0) sum.c2 += b;
            if (pos % 3 == 0) sum.c3 += b;
        }
    }
    return sum;
}

void sealClubFile(ClubFile& file) {
    const ClubChecksum sum = clubChecksum(file);
    std::string& last = file.lines[16];
    last.resize(10, '#');
    last += sixDigitText(sum.c1) + sixDigitText(sum.c2) + sixDigitText(sum.c3);
}

ClubRead decodeClubFile(std::string_view bytes) {
    ClubRead r;
    size_t count = 0;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        start = end + 1;
        if (count == kClubLines) {
            // Only a final line end may follow the 17th line.
            if (!line.empty() || !last) {
                r.fault = ClubFault::Layout;
                r.line = kClubLines + 1;
                return r;
            }
            break;
        }
        if (line.size() != expectedLength(count)) {
            r.fault = ClubFault::Layout;
            r.line = static_cast<int>(count) + 1;
            return r;
        }
        r.file.lines[count++] = std::string(line);
    }
    if (count != kClubLines) {
        r.fault = ClubFault::Layout;
        r.line = static_cast<int>(count) + 1;
        return r;
    }
    const std::string& mark = r.file.lines[15];
    if (static_cast<unsigned char>(mark[0]) != kClubMarkByte || mark[1] != '}') {
        r.fault = ClubFault::Mark;
        r.line = 16;
        return r;
    }
    const std::string& tail = r.file.lines[16];
    const auto c1 = sixDigits(std::string_view(tail).substr(10, 6));
    const auto c2 = sixDigits(std::string_view(tail).substr(16, 6));
    const auto c3 = sixDigits(std::string_view(tail).substr(22, 6));
    if (!c1 || !c2 || !c3 || clubChecksum(r.file) != ClubChecksum{*c1, *c2, *c3}) {
        r.fault = ClubFault::Checksum;
        r.line = 17;
        return r;
    }
    for (int slot = 1; slot <= kClubMembers; ++slot) {
        const std::string& line = r.file.memberLine(slot);
        if (!isEmptyMemberLine(line) && !parseMemberLine(line, slot)) {
            r.fault = ClubFault::MemberLine;
            r.line = slot;
            return r;
        }
    }
    for (int place = 1; place <= kTopTenPlaces; ++place) {
        if (!parseColumnInt(std::string_view(r.file.topTenLine(place)).substr(20, 6))) {
            r.fault = ClubFault::TopTenLine;
            r.line = place + 5;
            return r;
        }
    }
    return r;
}

ClubRead readClubFile(const std::string& path) {
    std::string bytes;
    bool tooLarge = false;
    const FileRead read = readFileInPieces(path, [&](std::string_view piece) {
        if (bytes.size() + piece.size() > kClubFileMaxBytes) {
            tooLarge = true;
            return false;
        }
        bytes.append(piece);
        return true;
    });
    ClubRead r;
    if (read == FileRead::Missing) {
        r.fault = ClubFault::Missing;
        return r;
    }
    if (read == FileRead::Unreadable) {
        r.fault = ClubFault::Unreadable;
        return r;
    }
    if (tooLarge) {
        r.fault = ClubFault::Layout;
        return r;
    }
    return decodeClubFile(bytes);
}

std::string formatClubFile(const ClubFile& file) {
    ClubFile sealed = file;
    sealClubFile(sealed);
    std::string out;
    for (const auto& line : sealed.lines) out += line + "\r\n";
    return out;
}

ClubFile newClubFile() {
    ClubFile f;
    for (int slot = 1; slot <= kClubMembers; ++slot) f.memberLine(slot) = emptyMemberLine();
    for (int place = 1; place <= kTopTenPlaces; ++place) {
        const auto& [name, score] = kInitialTopTen[place - 1];
        std::string scoreText = std::to_string(score);
        f.topTenLine(place) = padded(name, 20) + std::string(6 - scoreText.size(), ' ') + scoreText;
    }
    f.lines[15] =
        std::string(1, static_cast<char>(kClubMarkByte)) + "}" + padded("Orvala club", 26);
    f.lines[16] = "0#####orv#";
    sealClubFile(f);
    return f;
}

bool clubAsksRussian(const ClubFile& file) {
    return file.lines[16].starts_with('1');
}

std::string clubDistributionCode(const ClubFile& file) {
    return file.lines[16].substr(6, 3);
}

bool clubFileWriteProtected(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    return (st.st_mode & S_IWUSR) == 0;
}

bool writeClubFile(const std::string& path, ClubFile file) {
    return writeFileAtomically(path, formatClubFile(file));
}

std::string clubFilePath(const std::string& folder, bool networkMode) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += networkMode ? kNetClubFileName : kLocalClubFileName;
    return path;
}

}  // namespace orvala
