// PostgreSQL through libpqxx, which sends the parameters apart from the statement's text.
// Statements outside a transaction run on their own; a transaction that meets a deadlock or a
// serialization failure is run again from its start, a few times. Each connection prepares a
// statement the first time it sends it and afterwards sends only its name and parameters, so the
// database parses and plans it once.
//
// A lost connection (the database restarted, the network broke) is dropped, and the next use
// opens a new one; while that fails, uses wait between attempts (100 ms doubling to 2 s) and
// are answered StorageUnavailable at once. A statement or transaction that lost its connection
// is never sent again: the database rolled back whatever was not committed, and a commit whose
// answer was lost may have happened, so the caller learns only that the database was away.

#include <algorithm>
#include <cctype>
#include <chrono>
#include <map>
#include <optional>
#include <pqxx/pqxx>
#include <string>

#include "core/text/cp1251.h"
#include "storage/engines.h"

namespace orvala::service {
namespace {

std::vector<std::string> asText(std::initializer_list<SqlValue> params) {
    std::vector<std::string> out;
    out.reserve(params.size());
    for (const SqlValue& v : params) {
        if (const auto* n = std::get_if<std::int64_t>(&v))
            out.push_back(std::to_string(*n));
        else if (const auto* d = std::get_if<double>(&v)) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.17g", *d);
            out.emplace_back(buf);
        } else
            out.push_back(cp1251ToUtf8(std::get<std::string>(v)));
    }
    return out;
}

class PostgresStorage final : public Storage {
  public:
    explicit PostgresStorage(const std::string& url) : url_(withConnectTimeout(url)) {
        try {
            connection_ = std::make_unique<pqxx::connection>(url_);
        } catch (const std::exception& e) {
            throw StorageError(std::string("cannot connect to PostgreSQL: ") + e.what());
        }
    }

    Engine engine() const override { return Engine::Postgres; }

    std::vector<SqlRow> query(std::string_view sql,
                              std::initializer_list<SqlValue> params) override {
        const pqxx::result r = exec(sql, params);
        std::vector<SqlRow> rows;
        rows.reserve(r.size());
        for (const auto& row : r) {
            SqlRow out;
            out.columns.reserve(row.size());
            for (const auto& field : row) {
                if (field.is_null())
                    out.columns.emplace_back();
                else
                    out.columns.emplace_back(
                        utf8ToCp1251(std::string_view(field.c_str(), field.size())));
            }
            rows.push_back(std::move(out));
        }
        return rows;
    }

    std::int64_t execute(std::string_view sql, std::initializer_list<SqlValue> params) override {
        return static_cast<std::int64_t>(exec(sql, params).affected_rows());
    }

    void transaction(const std::function<void()>& work) override {
        if (current_) throw StorageError("postgres: a transaction inside a transaction");
        for (int attempt = 1;; ++attempt) {
            try {
                pqxx::work txn(connection());
                current_ = &txn;
                try {
                    work();
                } catch (...) {
                    current_ = nullptr;
                    throw;
                }
                current_ = nullptr;
                txn.commit();
                return;
            } catch (const pqxx::deadlock_detected&) {
                if (attempt >= 5) throw StorageError("postgres: deadlock, given up");
            } catch (const pqxx::serialization_failure&) {
                if (attempt >= 5) throw StorageError("postgres: serialization, given up");
            } catch (const pqxx::in_doubt_error& e) {
                lost(e);
            } catch (const StorageError&) {
                throw;
            } catch (const pqxx::failure& e) {
                failed(e);
            }
        }
    }

  private:
    // libpq waits for a connection as long as the system does; a database out of reach should
    // cost a request two seconds at most.
    static std::string withConnectTimeout(const std::string& url) {
        if (url.find("connect_timeout=") != std::string::npos) return url;
        return url + (url.find('?') == std::string::npos ? "?" : "&") + "connect_timeout=2";
    }

    pqxx::connection& connection() {
        using namespace std::chrono;
        if (connection_ && connection_->is_open()) return *connection_;
        connection_.reset();
        prepared_.clear();
        const auto now = steady_clock::now();
        if (now < nextAttempt_)
            throw StorageUnavailable("postgres: out of reach, trying again shortly");
        try {
            connection_ = std::make_unique<pqxx::connection>(url_);
            wait_ = milliseconds(0);
            return *connection_;
        } catch (const std::exception& e) {
            wait_ = std::clamp(wait_ * 2, milliseconds(100), milliseconds(2000));
            nextAttempt_ = steady_clock::now() + wait_;
            throw StorageUnavailable(std::string("postgres: cannot reconnect: ") + e.what());
        }
    }

    // The connection is gone: the next use opens a new one.
    [[noreturn]] void lost(const std::exception& e) {
        connection_.reset();
        prepared_.clear();
        throw StorageUnavailable(std::string("postgres: connection lost: ") + e.what());
    }

    [[noreturn]] void failed(const pqxx::failure& e) {
        if (dynamic_cast<const pqxx::broken_connection*>(&e) || !connection_ ||
            !connection_->is_open())
            lost(e);
        throw StorageError(std::string("postgres: ") + e.what());
    }

    // Only these statements can be prepared; the schema's statements are sent as they are.
    static bool preparable(std::string_view sql) {
        std::string word;
        for (char c : sql.substr(0, 8)) {
            if (!std::isalpha(static_cast<unsigned char>(c))) break;
            word += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        return word == "SELECT" || word == "INSERT" || word == "UPDATE" || word == "DELETE" ||
               word == "WITH";
    }

    // The name of the statement prepared on this connection, or empty to send it as it is.
    // A connection keeps a bounded number of them; the service sends far fewer texts.
    const std::string& preparedName(const std::string& text) {
        static const std::string none;
        if (!preparable(text)) return none;
        if (auto it = prepared_.find(text); it != prepared_.end()) return it->second;
        if (prepared_.size() >= kMostPrepared) return none;
        std::string name = "s" + std::to_string(prepared_.size());
        connection_->prepare(name, text);
        return prepared_.emplace(text, std::move(name)).first->second;
    }

    pqxx::result run(pqxx::transaction_base& txn, const std::string& text,
                     const std::vector<std::string>& values) {
        const std::string& name = preparedName(text);
        if (name.empty()) return txn.exec_params(text, pqxx::prepare::make_dynamic_params(values));
        return txn.exec_prepared(name, pqxx::prepare::make_dynamic_params(values));
    }

    pqxx::result exec(std::string_view sql, std::initializer_list<SqlValue> params) {
        const std::string text(sql);
        const auto values = asText(params);
        // Inside a transaction its own handler judges what a failure means.
        if (current_) return run(*current_, text, values);
        try {
            pqxx::nontransaction txn(connection());
            return run(txn, text, values);
        } catch (const pqxx::failure& e) {
            failed(e);
        }
    }

    static constexpr std::size_t kMostPrepared = 512;
    std::map<std::string, std::string, std::less<>> prepared_;  // text -> name

    std::string url_;
    std::unique_ptr<pqxx::connection> connection_;
    pqxx::transaction_base* current_ = nullptr;
    std::chrono::milliseconds wait_{0};
    std::chrono::steady_clock::time_point nextAttempt_{};
};

}  // namespace

std::unique_ptr<Storage> openPostgres(const std::string& url) {
    return std::make_unique<PostgresStorage>(url);
}

}  // namespace orvala::service
