#pragma once
// History files: every finished game of the local player leaves a line in "History/" of the
// program folder, in files "Orvala_I0001.hst" .. "Orvala_I9999.hst" of at most 840 game lines.
// Lines end in CR LF; Windows-1251 bytes; columns count from 1.
//
// A game line has 114 columns: the time "hh:nn" (5, right-aligned), the date (10, right-aligned,
// cut), the player (51, left-aligned, cut), games (3), result (10), the rating with two decimals
// and a decimal comma (10), the kind marker ("L", "A", "T" or "N" and nine "#"), then three
// five-digit sums of columns 1..99: S1 of every byte, S2 of the even columns, S3 of the columns
// divisible by 3. The end line is "$", the byte 155, "}", "#" up to column 99 and its own sums;
// the sum line holds T1, T2, T3 in ten digits each, the sums of S1, S2, S3 over every line above.
//
// A file is valid when its lines up to the end line are all longer than 113 columns and the
// sum line that follows it holds the totals of their columns 1..99. Numbers wider than their
// columns are written in full; the game never makes them.
//
// Writing appends to the first valid file that has room, or starts the first number that has no
// file. A file that is there but not valid is never written over: it is renamed aside with
// ".bad" added to its name, so its lines stay, and its number starts afresh.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvala {

inline constexpr int kHistoryFileGames = 840;
inline constexpr int kHistoryFilesMax = 9999;
inline constexpr size_t kHistoryLineLength = 114;
inline constexpr size_t kHistoryPlayerWidth = 51;

enum class HistoryKind { Local = 0, Account = 1, Tourney = 2, Net = 3 };

struct HistoryRecord {
    std::string Player;  // Windows-1251 bytes; names of several players joined with "/"
    int Games = 1;
    int Result = 0;
    double Rating = 0;
    HistoryKind Kind = HistoryKind::Local;
};

// When a line was written, as the user's clock and date format show it.
struct HistoryStamp {
    std::string time;  // "hh:nn"
    std::string date;  // the short date
};

// "hh:nn" and "dd.mm.yyyy" of the local time now.
HistoryStamp historyStampNow();

// "0,50", "-1,25": two decimals, rounded, with a decimal comma (not padded).
std::string historyRatingText(double rating);

// One game line of 114 columns (longer only when a number outgrows its column).
std::string historyGameLine(const HistoryRecord& r, const HistoryStamp& stamp);
std::string historyEndLine();

// A whole file of these game lines: each line, the end line and the sum line, CR LF after each.
std::string formatHistoryFile(const std::vector<std::string>& gameLines);

// `folder` + "History/".
std::string historyFolder(const std::string& programFolder);
// The file of `number` in the history folder: "Orvala_I0001.hst".
std::string historyFilePath(const std::string& historyFolder, int number);

struct HistoryCheck {
    bool valid = false;
    int games = 0;  // game lines of a valid file
};

HistoryCheck checkHistoryBytes(std::string_view bytes);
HistoryCheck CheckHistoryFile(const std::string& path);

// The game lines of a valid file (without line ends); empty for one that is not valid.
std::vector<std::string> historyGameLines(std::string_view bytes);

struct HistoryWrite {
    bool written = false;
    std::string path;      // the file written
    std::string setAside;  // a damaged file renamed aside on the way, if any
};

// Appends `records` (one to four) as described above; creates the folder when it is missing.
// A failure leaves every file as it was; the caller shows "Cann`t save history!".
HistoryWrite WriteHistory(const std::string& historyFolder,
                          const std::vector<HistoryRecord>& records, const HistoryStamp& stamp);

// What the viewer lists: the valid files from number 1 up to the first that is not valid.
struct HistoryListing {
    int number = 0;
    std::string date;  // the file's last change, "dd.mm.yyyy"
    int games = 0;
};
std::vector<HistoryListing> listHistoryFiles(const std::string& historyFolder);

}  // namespace orvala
