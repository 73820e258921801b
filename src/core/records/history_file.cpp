#include "core/records/history_file.h"

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "core/records/club_file.h"
#include "core/text/atomic_file.h"

namespace orvala {

namespace {

// 840 lines of 116 bytes and the two closing lines; anything much larger is no history file.
constexpr size_t kHistoryFileMaxBytes = 1u << 20;

struct Sums {
    long long s1 = 0, s2 = 0, s3 = 0;
};

Sums columnSums(std::string_view line) {
    Sums s;
    const size_t n = std::min<size_t>(line.size(), 99);
    for (size_t i = 0; i < n; ++i) {
        const int b = static_cast<unsigned char>(line[i]);
        const size_t col = i + 1;
        s.s1 += b;
        if (col % 2 == 0) s.s2 += b;
        if (col % 3 == 0) s.s3 += b;
    }
    return s;
}

std::string zeroPadded(long long v, int width) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*lld", width, v);
    return buf;
}

std::string leftPadded(std::string text, size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

std::string withSums(std::string line) {
    const Sums s = columnSums(line);
    return line + zeroPadded(s.s1, 5) + zeroPadded(s.s2, 5) + zeroPadded(s.s3, 5);
}

char kindMarker(HistoryKind k) {
    switch (k) {
        case HistoryKind::Account:
            return 'A';
        case HistoryKind::Tourney:
            return 'T';
        case HistoryKind::Net:
            return 'N';
        case HistoryKind::Local:
            break;
    }
    return 'L';
}

// The file's lines without their ends; the empty piece after a final line end is not a line.
std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::optional<long long> tenDigits(std::string_view t) {
    long long v = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

// The game lines of valid bytes, or nullopt.
std::optional<std::vector<std::string_view>> validGameLines(std::string_view bytes) {
    const auto lines = splitLines(bytes);
    Sums total;
    std::vector<std::string_view> games;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.size() <= 113) return std::nullopt;
        const Sums s = columnSums(line);
        total.s1 += s.s1;
        total.s2 += s.s2;
        total.s3 += s.s3;
        if (line.front() != '$') {
            games.push_back(line);
            continue;
        }
        if (i + 1 >= lines.size() || lines[i + 1].size() <= 29) return std::nullopt;
        const std::string_view sum = lines[i + 1];
        const auto t1 = tenDigits(sum.substr(0, 10));
        const auto t2 = tenDigits(sum.substr(10, 10));
        const auto t3 = tenDigits(sum.substr(20, 10));
        if (t1 != total.s1 || t2 != total.s2 || t3 != total.s3) return std::nullopt;
        return games;
    }
    return std::nullopt;
}

bool readHistoryBytes(const std::string& path, std::string& bytes) {
    return readFileBytes(path, bytes, kHistoryFileMaxBytes);
}

std::string dateText(const std::tm& t) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900);
    return buf;
}

}  // namespace

HistoryStamp historyStampNow() {
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    char time[32];
    std::snprintf(time, sizeof time, "%02d:%02d", t.tm_hour, t.tm_min);
    return {time, dateText(t)};
}

std::string historyRatingText(double rating) {
    const long long n = std::llround(rating * 100.0);
    if (n == 0) return "0,00";
    std::string digits = std::to_string(n < 0 ? -n : n);
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    digits.insert(digits.size() - 2, ",");
    return (n < 0 ? "-" : "") + digits;
}

std::string historyGameLine(const HistoryRecord& r, const HistoryStamp& stamp) {
    std::string line = leftPadded(stamp.time.substr(0, 5), 5);
    line += leftPadded(stamp.date.substr(0, 10), 10);
    std::string player = r.Player.substr(0, kHistoryPlayerWidth);
    for (char& c : player)
        if (c == '\r' || c == '\n') c = ' ';  // a line break would split the line
    player.resize(kHistoryPlayerWidth, ' ');
    line += player;
    line += leftPadded(std::to_string(r.Games), 3);
    line += leftPadded(std::to_string(r.Result), 10);
    line += leftPadded(historyRatingText(r.Rating), 10);
    line += kindMarker(r.Kind);
    line += std::string(9, '#');
    return withSums(line);
}

std::string historyEndLine() {
    std::string line = "$";
    line += static_cast<char>(kClubMarkByte);
    line += '}';
    line.resize(99, '#');
    return withSums(line);
}

std::string historyFolder(const std::string& programFolder) {
    std::string path = programFolder;
    if (!path.empty() && path.back() != '/') path += '/';
    return path + "History/";
}

std::string historyFilePath(const std::string& folder, int number) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/') path += '/';
    std::string name(kLocalClubFileName.substr(0, kLocalClubFileName.size() - 4));
    return path + name + "_I" + zeroPadded(number, 4) + ".hst";
}

std::string formatHistoryFile(const std::vector<std::string>& gameLines) {
    // Every line's sums are taken from its columns 1..99, as the check takes them, so a line
    // whose stored sums were spoilt cannot spoil the new file.
    const std::string end = historyEndLine();
    Sums total;
    std::string content;
    for (size_t i = 0; i <= gameLines.size(); ++i) {
        const std::string& line = i < gameLines.size() ? gameLines[i] : end;
        const Sums s = columnSums(line);
        total.s1 += s.s1;
        total.s2 += s.s2;
        total.s3 += s.s3;
        content += line + "\r\n";
    }
    return content + zeroPadded(total.s1, 10) + zeroPadded(total.s2, 10) +
           zeroPadded(total.s3, 10) + "\r\n";
}

HistoryCheck checkHistoryBytes(std::string_view bytes) {
    const auto games = validGameLines(bytes);
    if (!games) return {};
    return {true, static_cast<int>(games->size())};
}

HistoryCheck CheckHistoryFile(const std::string& path) {
    std::string bytes;
    if (!readHistoryBytes(path, bytes)) return {};
    return checkHistoryBytes(bytes);
}

std::vector<std::string> historyGameLines(std::string_view bytes) {
    std::vector<std::string> out;
    if (const auto games = validGameLines(bytes))
        for (const auto line : *games) out.emplace_back(line);
    return out;
}

HistoryWrite WriteHistory(const std::string& folder, const std::vector<HistoryRecord>& records,
                          const HistoryStamp& stamp) {
    HistoryWrite out;
    if (records.empty() || records.size() > 4) return out;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    for (int number = 1; number <= kHistoryFilesMax; ++number) {
        const std::string path = historyFilePath(folder, number);
        std::vector<std::string> lines;
        std::string bytes;
        const bool there = std::filesystem::symlink_status(path, ec).type() !=
                           std::filesystem::file_type::not_found;
        if (there) {
            const bool read = readHistoryBytes(path, bytes);
            const auto games = read ? validGameLines(bytes) : std::nullopt;
            if (games && games->size() >= static_cast<size_t>(kHistoryFileGames)) continue;
            if (games) {
                for (const auto line : *games) lines.emplace_back(line);
            } else {
                // Damaged, or not a file at all: its lines are kept beside it.
                std::string aside = path + ".bad";
                for (int n = 2; std::filesystem::symlink_status(aside, ec).type() !=
                                std::filesystem::file_type::not_found;
                     ++n)
                    aside = path + ".bad" + std::to_string(n);
                std::filesystem::rename(path, aside, ec);
                if (ec) continue;  // cannot be moved: leave it and try the next number
                out.setAside = aside;
            }
        }
        for (const auto& r : records) lines.push_back(historyGameLine(r, stamp));
        out.written = writeFileAtomically(path, formatHistoryFile(lines));
        out.path = path;
        return out;
    }
    return out;
}

std::vector<HistoryListing> listHistoryFiles(const std::string& folder) {
    std::vector<HistoryListing> out;
    for (int number = 1; number <= kHistoryFilesMax; ++number) {
        const std::string path = historyFilePath(folder, number);
        const HistoryCheck check = CheckHistoryFile(path);
        if (!check.valid) break;
        struct stat st {};
        std::string date;
        if (::stat(path.c_str(), &st) == 0) {
            std::tm t{};
            localtime_r(&st.st_mtime, &t);
            date = dateText(t);
        }
        out.push_back({number, date, check.games});
    }
    return out;
}

}  // namespace orvala
