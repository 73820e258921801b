#include "storage/sqlite_shared.h"

#include <sqlite3.h>

#include <chrono>
#include <map>

#include "storage/storage.h"

namespace orvala::service {

namespace {

// At most this many jobs in one commit, so that the first of a long queue is not held for long.
constexpr std::size_t kLargestGroup = 256;
// Past this many frames (4 KB each) the writer copies the rest of the log itself between two
// groups, so that the log starts again. Measured under steady writes at 64 connections: at 1,024
// frames each such copy is small and the slowest writes waited 10 to 13 ms; at 16,384, 24 to
// 34 ms; at 65,536, 65 to 75 ms. Under a light load the thread's own copies keep the log short
// and this never happens.
constexpr int kLongLog = 1024;

// A connection learns that the file is in WAL mode only as it first reads it; until then a
// checkpoint does nothing.
sqlite3* openForCheckpoints(const std::string& file) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK ||
        sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

}  // namespace

std::shared_ptr<SqliteShared> SqliteShared::of(const std::string& file,
                                               const OpenWriter& openWriter) {
    static std::mutex registryMutex;
    static std::map<std::string, std::weak_ptr<SqliteShared>> registry;
    std::lock_guard lock(registryMutex);
    std::erase_if(registry, [](const auto& entry) { return entry.second.expired(); });
    auto& slot = registry[file];
    if (auto existing = slot.lock()) return existing;
    auto made = std::make_shared<SqliteShared>(file, openWriter());
    slot = made;
    return made;
}

SqliteShared::SqliteShared(std::string file, std::unique_ptr<Storage> writer)
    : file_(std::move(file)), connection_(std::move(writer)) {
    writerThread_ = std::thread([this] { this->writer(); });
    checkpointerThread_ = std::thread([this] { checkpointer(); });
}

SqliteShared::~SqliteShared() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    jobsWaiting_.notify_all();
    writerThread_.join();
    {
        std::lock_guard lock(stopMutex_);
        checkpointerStopping_ = true;
    }
    stopWake_.notify_all();
    checkpointerThread_.join();
}

void SqliteShared::write(const std::function<void(Storage&)>& work) {
    Job job{&work, nullptr};
    {
        std::unique_lock lock(mutex_);
        jobs_.push_back(&job);
        jobsWaiting_.notify_one();
        jobsDone_.wait(lock, [&] { return job.done; });
    }
    if (job.error) std::rethrow_exception(job.error);
}

void SqliteShared::writer() {
    std::deque<Job*> group;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            // The last connection has gone when stopping: nobody can be waiting.
            jobsWaiting_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty()) return;
            while (!jobs_.empty() && group.size() < kLargestGroup) {
                group.push_back(jobs_.front());
                jobs_.pop_front();
            }
        }
        runGroup(group);
        {
            std::lock_guard lock(mutex_);
            for (Job* job : group) job->done = true;
        }
        jobsDone_.notify_all();
        group.clear();
        if (logIsLong_.exchange(false)) {
            try {
                connection_->query("PRAGMA wal_checkpoint(PASSIVE)");
            } catch (const StorageError&) {
                // The next turn of the checkpointer tries again.
            }
        }
    }
}

void SqliteShared::runGroup(std::deque<Job*>& group) {
    Storage& db = *connection_;
    try {
        db.execute("BEGIN IMMEDIATE");
    } catch (...) {
        for (Job* job : group) job->error = std::current_exception();
        return;
    }
    try {
        for (Job* job : group) {
            db.execute("SAVEPOINT job");
            try {
                (*job->work)(db);
            } catch (...) {
                job->error = std::current_exception();
                // A failure that ended the whole transaction (a full disk) fails the group.
                db.execute("ROLLBACK TO job");
            }
            db.execute("RELEASE job");
        }
        db.execute("COMMIT");
    } catch (...) {
        // Nothing of the group was committed: every job is told so, done or not.
        const auto why = std::current_exception();
        try {
            db.execute("ROLLBACK");
        } catch (const StorageError&) {
            // Already rolled back by SQLite itself.
        }
        for (Job* job : group) job->error = why;
    }
}

void SqliteShared::checkpointer() {
    sqlite3* db = nullptr;
    for (;;) {
        {
            std::unique_lock lock(stopMutex_);
            if (stopWake_.wait_for(lock, std::chrono::milliseconds(250),
                                   [this] { return checkpointerStopping_; }))
                break;
        }
        if (!db) db = openForCheckpoints(file_);
        if (!db) continue;
        // PASSIVE copies what no reader still needs and never waits for anyone.
        int inLog = 0, copied = 0;
        if (sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_PASSIVE, &inLog, &copied) ==
                SQLITE_OK &&
            inLog > kLongLog)
            logIsLong_ = true;
    }
    sqlite3_close(db);
}

}  // namespace orvala::service
