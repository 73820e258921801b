#include "storage/storage.h"

#include <charconv>

#include "storage/engines.h"

namespace orvala::service {

std::int64_t SqlRow::integer(std::size_t i) const {
    const std::string s = text(i);
    std::int64_t v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size()) {
        // A REAL column holding a whole number reads as "12.0" in SQLite.
        return static_cast<std::int64_t>(real(i));
    }
    return v;
}

double SqlRow::real(std::size_t i) const {
    const std::string s = text(i);
    double v = 0;
    std::from_chars(s.data(), s.data() + s.size(), v);
    return v;
}

std::unique_ptr<Storage> openStorage(const std::string& database, const std::string& dataDir,
                                     bool migrate) {
    std::unique_ptr<Storage> s;
    if (database.starts_with("postgresql://") || database.starts_with("postgres://"))
        s = openPostgres(database);
    else if (database.empty())
        s = openSqlite(dataDir + "/orvala.sqlite");
    else
        throw StorageError("the database must be a postgresql:// address");
    if (migrate) applyMigrations(*s);
    return s;
}

}  // namespace orvala::service
