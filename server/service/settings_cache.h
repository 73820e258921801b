#pragma once
// The operator's settings kept in the database (the news, the chat's pause), as every request
// that shows them reads them: from memory, read again from the database at most once in
// `refresh`. The operator's commands change them from another process, so a change shows
// within that time on every instance of the service. One reader refreshes while the others go
// on with what was read before.

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace orvala::service {

class Storage;

class SettingsCache {
  public:
    explicit SettingsCache(std::chrono::milliseconds refresh) : refresh_(refresh) {}

    std::optional<std::string> get(Storage& db, std::string_view name);

  private:
    using Clock = std::chrono::steady_clock;
    using Values = std::map<std::string, std::string, std::less<>>;

    std::chrono::milliseconds refresh_;
    std::mutex mutex_;
    std::shared_ptr<const Values> values_;
    Clock::time_point readAt_{};
    bool reading_ = false;
};

}  // namespace orvala::service
