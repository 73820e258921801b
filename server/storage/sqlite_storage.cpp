// SQLite through its C API: one connection per worker, WAL so that readers never wait for the
// writer, and BEGIN IMMEDIATE so that a write transaction takes the write lock at its start
// rather than failing half-way when another connection got there first. The connections of the
// process hand every write to one writer, which commits them in groups, and leave checkpoints to
// a thread of their own (sqlite_shared.h).

#include <sqlite3.h>
#include <sys/stat.h>

#include <map>
#include <string>

#include "core/text/cp1251.h"
#include "storage/sqlite_shared.h"
#include "storage/engines.h"

namespace orvala::service {
namespace {

class SqliteStorage final : public Storage {
  public:
    // `direct`: the writer's own connection, which writes itself.
    SqliteStorage(const std::string& file, bool direct) {
        const int rc = sqlite3_open_v2(
            file.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
            nullptr);
        if (rc != SQLITE_OK) {
            const std::string why = db_ ? sqlite3_errmsg(db_) : "out of memory";
            sqlite3_close(db_);
            db_ = nullptr;
            throw StorageError("cannot open " + file + ": " + why);
        }
        // Accounts and password hashes are no other user's to read, whatever the umask. SQLite
        // gives its -wal and -shm files the database file's mode; older ones are mended too.
        for (const char* suffix : {"", "-wal", "-shm"})
            ::chmod((file + suffix).c_str(), S_IRUSR | S_IWUSR);
        sqlite3_busy_timeout(db_, 10000);
        // NORMAL in WAL mode: a killed process loses no committed transaction; only a power
        // cut may lose the last few.
        run("PRAGMA journal_mode=WAL");
        run("PRAGMA synchronous=NORMAL");
        run("PRAGMA foreign_keys=ON");
        // The shared checkpointer copies the log back; a log grown under a burst of writes is
        // cut back to this size once it starts again.
        run("PRAGMA wal_autocheckpoint=0");
        run("PRAGMA journal_size_limit=67108864");
        if (!direct)
            shared_ = SqliteShared::of(
                file, [file] { return std::make_unique<SqliteStorage>(file, true); });
    }
    ~SqliteStorage() override {
        for (auto& [sql, stmt] : statements_) sqlite3_finalize(stmt);
        sqlite3_close(db_);
    }

    Engine engine() const override { return Engine::Sqlite; }

    std::vector<SqlRow> query(std::string_view sql,
                              std::initializer_list<SqlValue> params) override {
        if (delegate_) return delegate_->query(sql, params);
        sqlite3_stmt* stmt = prepare(sql, params);
        if (writesAlone(stmt)) {
            std::vector<SqlRow> rows;
            shared_->write([&](Storage& writer) { rows = writer.query(sql, params); });
            return rows;
        }
        std::vector<SqlRow> rows;
        const int n = sqlite3_column_count(stmt);
        for (;;) {
            const int rc = sqlite3_step(stmt);
            if (rc == SQLITE_DONE) break;
            if (rc != SQLITE_ROW) fail(stmt, sql);
            SqlRow row;
            row.columns.reserve(n);
            for (int i = 0; i < n; ++i) {
                if (sqlite3_column_type(stmt, i) == SQLITE_NULL) {
                    row.columns.emplace_back();
                } else {
                    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
                    row.columns.emplace_back(
                        utf8ToCp1251(std::string_view(t, sqlite3_column_bytes(stmt, i))));
                }
            }
            rows.push_back(std::move(row));
        }
        sqlite3_reset(stmt);
        return rows;
    }

    std::int64_t execute(std::string_view sql, std::initializer_list<SqlValue> params) override {
        if (delegate_) return delegate_->execute(sql, params);
        sqlite3_stmt* stmt = prepare(sql, params);
        if (writesAlone(stmt)) {
            std::int64_t changed = 0;
            shared_->write([&](Storage& writer) { changed = writer.execute(sql, params); });
            return changed;
        }
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) fail(stmt, sql);
        sqlite3_reset(stmt);
        return sqlite3_changes(db_);
    }

    // The work runs on the writer's thread, while this connection's thread waits, and every
    // statement it sends here goes to the writer's connection.
    void transaction(const std::function<void()>& work) override {
        if (!shared_) {
            run("BEGIN IMMEDIATE");
            try {
                work();
            } catch (...) {
                sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
                throw;
            }
            run("COMMIT");
            return;
        }
        // A transaction inside one would wait for the writer's thread on that thread itself.
        if (delegate_) throw StorageError("sqlite: a transaction inside a transaction");
        shared_->write([&](Storage& writer) {
            delegate_ = &writer;
            try {
                work();
            } catch (...) {
                delegate_ = nullptr;
                throw;
            }
            delegate_ = nullptr;
        });
    }

  private:
    // A statement that writes, outside a transaction, is a job for the writer of its own.
    bool writesAlone(sqlite3_stmt* stmt) const { return shared_ && !sqlite3_stmt_readonly(stmt); }

    void run(const char* sql) {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string why = error ? error : "unknown error";
            sqlite3_free(error);
            throw StorageError(std::string(sql) + ": " + why);
        }
    }

    [[noreturn]] void fail(sqlite3_stmt* stmt, std::string_view sql) {
        const std::string why = sqlite3_errmsg(db_);
        sqlite3_reset(stmt);
        throw StorageError("sqlite: " + why + " in: " + std::string(sql.substr(0, 80)));
    }

    // Statements are kept prepared by their text; parameters are bound by their names "$1",
    // "$2", ..., so a statement may use one parameter twice or out of order.
    sqlite3_stmt* prepare(std::string_view sql, std::initializer_list<SqlValue> params) {
        auto it = statements_.find(std::string(sql));
        sqlite3_stmt* stmt = nullptr;
        if (it != statements_.end()) {
            stmt = it->second;
        } else {
            if (sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr) !=
                SQLITE_OK)
                throw StorageError("sqlite: " + std::string(sqlite3_errmsg(db_)) +
                                   " in: " + std::string(sql.substr(0, 80)));
            statements_.emplace(std::string(sql), stmt);
        }
        sqlite3_clear_bindings(stmt);
        const int count = sqlite3_bind_parameter_count(stmt);
        for (int i = 1; i <= count; ++i) {
            const char* name = sqlite3_bind_parameter_name(stmt, i);
            const std::size_t k = name && name[0] == '$' ? std::stoul(name + 1) : 0;
            if (k < 1 || k > params.size()) throw StorageError("sqlite: unbound parameter");
            const SqlValue& v = *(params.begin() + (k - 1));
            int rc;
            if (const auto* n = std::get_if<std::int64_t>(&v))
                rc = sqlite3_bind_int64(stmt, i, *n);
            else if (const auto* d = std::get_if<double>(&v))
                rc = sqlite3_bind_double(stmt, i, *d);
            else {
                const std::string s = cp1251ToUtf8(std::get<std::string>(v));
                rc = sqlite3_bind_text(stmt, i, s.data(), static_cast<int>(s.size()),
                                       SQLITE_TRANSIENT);
            }
            if (rc != SQLITE_OK) throw StorageError("sqlite: cannot bind a parameter");
        }
        return stmt;
    }

    std::shared_ptr<SqliteShared> shared_;  // none on the writer's own connection
    Storage* delegate_ = nullptr;           // the writer's, while a transaction runs
    sqlite3* db_ = nullptr;
    std::map<std::string, sqlite3_stmt*, std::less<>> statements_;
};

}  // namespace

std::unique_ptr<Storage> openSqlite(const std::string& file) {
    return std::make_unique<SqliteStorage>(file, false);
}

}  // namespace orvala::service
