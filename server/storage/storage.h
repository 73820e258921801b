#pragma once
// The one storage interface of the service, with two engines behind it: SQLite (an embedded file,
// the default) and PostgreSQL. Both take the same SQL, written with numbered parameters ($1, $2,
// ...) that are always bound, never spliced into the text. A connection belongs to one thread.
//
// Failures of the engine (a constraint, a full disk) are thrown as StorageError: a worker catches
// it and answers the request with a server error, and an open transaction is rolled back first.
// A database out of reach (a lost connection, not yet re-opened) is StorageUnavailable, which
// the worker answers "unavailable" (503): the request may be sent again later.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace orvala::service {

struct StorageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct StorageUnavailable : StorageError {
    using StorageError::StorageError;
};

using SqlValue = std::variant<std::int64_t, double, std::string>;

// One row of a result, every column as text (NULL as nullopt), read by column number.
struct SqlRow {
    std::vector<std::optional<std::string>> columns;

    std::string text(std::size_t i) const { return columns.at(i).value_or(std::string()); }
    std::int64_t integer(std::size_t i) const;
    double real(std::size_t i) const;
};

enum class Engine { Sqlite, Postgres };

// Records are counted by score and by band of scores (the schema's record_bands): a score's
// band is (score + kRecordBandOffset) / kRecordBandWidth, the offset keeping every score a
// record table takes (at most a million either way) above zero, so that both engines divide
// alike.
constexpr std::int64_t kRecordBandOffset = 1 << 20, kRecordBandWidth = 256;
constexpr std::int64_t recordBand(std::int64_t score) {
    return (score + kRecordBandOffset) / kRecordBandWidth;
}

class Storage {
  public:
    virtual ~Storage() = default;

    virtual Engine engine() const = 0;
    virtual std::vector<SqlRow> query(std::string_view sql,
                                      std::initializer_list<SqlValue> params = {}) = 0;
    // Returns the number of rows changed.
    virtual std::int64_t execute(std::string_view sql,
                                 std::initializer_list<SqlValue> params = {}) = 0;
    // Runs `work` as one write transaction: committed when it returns, rolled back when it
    // throws (the exception goes on to the caller). Not nested.
    virtual void transaction(const std::function<void()>& work) = 0;

    std::optional<SqlRow> queryOne(std::string_view sql,
                                   std::initializer_list<SqlValue> params = {}) {
        auto rows = query(sql, params);
        if (rows.empty()) return std::nullopt;
        return std::move(rows.front());
    }
};

// Opens one connection: `database` is a PostgreSQL URL ("postgresql://..." or "postgres://...")
// or, when empty, the SQLite file "orvala.sqlite" in `dataDir`. The first connection of a process
// should be opened with `migrate` so that the schema is brought up to date once.
std::unique_ptr<Storage> openStorage(const std::string& database, const std::string& dataDir,
                                     bool migrate);

}  // namespace orvala::service
