// PostgreSQL through libpqxx, which sends the parameters apart from the statement's text.
// Statements outside a transaction run on their own; a transaction that meets a deadlock or a
// serialization failure is run again from its start, a few times.

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
    explicit PostgresStorage(const std::string& url) try : connection_(url) {
    } catch (const std::exception& e) {
        throw StorageError(std::string("cannot connect to PostgreSQL: ") + e.what());
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
        for (int attempt = 1;; ++attempt) {
            try {
                pqxx::work txn(connection_);
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
            } catch (const StorageError&) {
                throw;
            } catch (const pqxx::failure& e) {
                throw StorageError(std::string("postgres: ") + e.what());
            }
        }
    }

  private:
    pqxx::result exec(std::string_view sql, std::initializer_list<SqlValue> params) {
        const std::string text(sql);
        const auto values = asText(params);
        if (current_)
            return current_->exec_params(text, pqxx::prepare::make_dynamic_params(values));
        try {
            pqxx::nontransaction txn(connection_);
            return txn.exec_params(text, pqxx::prepare::make_dynamic_params(values));
        } catch (const pqxx::failure& e) {
            throw StorageError(std::string("postgres: ") + e.what());
        }
    }

    pqxx::connection connection_;
    pqxx::transaction_base* current_ = nullptr;
};

}  // namespace

std::unique_ptr<Storage> openPostgres(const std::string& url) {
    return std::make_unique<PostgresStorage>(url);
}

}  // namespace orvala::service
