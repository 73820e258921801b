#include "service/settings_cache.h"

#include "storage/storage.h"

namespace orvala::service {

std::optional<std::string> SettingsCache::get(Storage& db, std::string_view name) {
    std::shared_ptr<const Values> values;
    bool mustRead = false;
    {
        std::lock_guard lock(mutex_);
        values = values_;
        const bool stale = !values || Clock::now() - readAt_ >= refresh_;
        if (stale && !reading_) mustRead = reading_ = true;
    }
    if (mustRead) {
        try {
            auto fresh = std::make_shared<Values>();
            for (const SqlRow& row : db.query("SELECT name, value FROM settings"))
                fresh->emplace(row.text(0), row.text(1));
            std::lock_guard lock(mutex_);
            values_ = values = std::move(fresh);
            readAt_ = Clock::now();
            reading_ = false;
        } catch (...) {
            std::lock_guard lock(mutex_);
            reading_ = false;
            // Nothing read yet: the caller learns that the database is away.
            if (!values) throw;
        }
    }
    // Another reader is reading the first copy: this one reads the row itself.
    if (!values) {
        const auto row = db.queryOne("SELECT value FROM settings WHERE name = $1",
                                     {std::string(name)});
        return row ? std::optional(row->text(0)) : std::nullopt;
    }
    const auto it = values->find(name);
    if (it == values->end()) return std::nullopt;
    return it->second;
}

}  // namespace orvala::service
