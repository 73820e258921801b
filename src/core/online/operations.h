#pragma once
// The web service's operations: for each, the request it sends and the reading of its reply
// into a result that starts from the operation's defaults ("#" for texts, 0 for numbers, "M"
// for the sex). A reply without what the operation expects reads as a failure of it. The same
// functions serve the windows and `orvala-tool online`.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/online/request.h"

namespace orvala::online {

// This game's number in the service's record and statistics tables, and its code in front of
// the per-game result fields.
inline constexpr int kGameId = 55;
inline constexpr std::string_view kGameCode = "crdorval";
inline constexpr std::string_view kVersion = "5.7f";
// The record tables: cycles played here, on the mobile version, and for the global rating.
inline constexpr int kWindowsTable = kGameId;
inline constexpr int kMobileTable = kGameId + 100;
inline constexpr int kAccountTable = kGameId + 300;

// The account record; texts are Windows-1251 bytes.
struct Account {
    std::string Nick, Pw, City;
    std::string Country1 = "Russia";
    std::string Country2 = "1-001";
    std::string Sex = "M";
    std::string EMail;
    std::string DateR = "00.00.0000";
    std::string R01 = "xxx", R02 = "xxx", R03 = "xxx";
    std::int64_t R04 = 0, R05 = 0, R06 = 0;
};

enum class RegisterResult { Created, NickTaken, Failed };
Request registerRequest(const Account& account);
RegisterResult readRegisterReply(std::string_view reply);

// Login: the account's fields, or nothing when refused or unreadable. Nick and password are
// the caller's and are kept as given.
Request readAccountRequest(std::string_view nick, std::string_view pw);
std::optional<Account> readAccountReply(std::string_view reply, std::string_view nick,
                                        std::string_view pw);

Request memberCountRequest();
std::optional<std::int64_t> readNumberReply(std::string_view reply);

// The per-game results kept with the account.
struct GameResults {
    std::int64_t Kon = 0, Best = 0;
    double Rating = 0;
    std::int64_t Sessions = 0, KonL = 0, Score = 0, R1 = 0;
    std::string R2 = "#";
};
Request readResultsRequest(std::string_view nick, std::string_view pw);
std::optional<GameResults> readResultsReply(std::string_view reply);
Request writeResultsRequest(std::string_view nick, std::string_view pw, const GameResults& r);
bool readOkReply(std::string_view reply);
Request placeByRatingRequest(double rating);

Request readBalanceRequest(std::string_view nick);
std::optional<std::int64_t> readBalanceReply(std::string_view reply);

// The service moves Zors from one account to another in one step.
enum class TransferResult { Done, NoSuchMember, NotEnough, Refused, Failed };
struct Transfer {
    TransferResult result = TransferResult::Failed;
    std::optional<std::int64_t> balanceLeft;
};
Request transferRequest(std::string_view nick, std::string_view pw, std::string_view to,
                        std::int64_t amount);
Transfer readTransferReply(std::string_view reply);

// A row of a record table.
struct RecordRow {
    std::int64_t Place = 0;
    int GID = 0;
    std::int64_t Score = 0;
    std::string Nick = "#", Country = "#", City = "#", R07 = "#", R08 = "#", R09 = "#", R10 = "#*";
};
Request recordCountRequest(int gid);
Request recordListRequest(int gid);
Request recordsNearRequest(int gid, std::string_view nick, std::string_view city);
std::vector<RecordRow> readRecordList(std::string_view reply, int gid);
// A cycle's score for a table; `pw` goes along for the account table only.
struct RecordEntry {
    int gid = kWindowsTable;
    std::string nick, city, country, sex = "M";
    std::int64_t score = 0;
    std::string pw;
};
Request recordWriteRequest(const RecordEntry& entry);

// A row of the rating top ten.
struct TopRow {
    std::string Nick = "#", City = "#", Country = "#", Sex = "M";
    double Rating = 0;
};
Request ratingTopRequest();
std::vector<TopRow> readRatingTop(std::string_view reply);

// The game's counters over all installations.
struct Statistics {
    int GID = kGameId;
    std::int64_t Stat1 = 0, Stat2 = 0, Stat3 = 0;
    std::string Stat4 = "#";
    std::array<std::int64_t, 12> StatX{};
    std::int64_t StatY = 0;
    std::string StatZ = "#";
};
Request statisticsRequest();
std::optional<Statistics> readStatistics(std::string_view reply);
Request startReportRequest(bool firstRun);
Request likeRequest(std::string_view nick);
Request gameReportRequest(const std::array<std::int64_t, 12>& values);
// Whether a statistics write (start-up report, like, game report) was taken.
bool readStatusReply(std::string_view reply);

}  // namespace orvala::online
