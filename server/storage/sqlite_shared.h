#pragma once
// What the SQLite connections of one process to one database file share: one writer and a
// checkpointer.
//
// - The writer. Every write of the process (a transaction, or a statement that writes on its
//   own) is a job for one thread with a connection of its own. The thread takes every job that
//   waits, runs each inside a savepoint of one transaction and commits them together, then
//   answers each: a job that failed was rolled back alone, and a job is answered done only once
//   its commit is. Left to SQLite, connections that found the write lock taken slept and tried
//   again (1, 2, 5 ... up to 100 ms between tries, in no order), so a few requests waited
//   hundreds of milliseconds while the lock was free most of the time; and one commit a write
//   wrote every page it touched to the log again, where one commit for many writes writes each
//   page once. Other processes on the file (the operator's commands) still meet SQLite's lock
//   and its busy time-out.
// - The checkpointer. Connections never copy the log back into the database themselves (which
//   would cost a request a synchronous write of up to a thousand pages). A thread does, every
//   quarter second, without blocking readers or the writer. A writer starts the log again from
//   its beginning only when it finds the log copied whole as its transaction begins, which under
//   steady writes never happens by itself: once the log is long, the writer copies the frames
//   that came during the thread's copy itself, between two groups, and the log starts again.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace orvala::service {

class Storage;

class SqliteShared {
  public:
    using OpenWriter = std::function<std::unique_ptr<Storage>()>;

    // The one object of `file` in this process, made (with `openWriter`, a connection that
    // writes directly) when the first connection opens it and ended when the last one closes.
    static std::shared_ptr<SqliteShared> of(const std::string& file, const OpenWriter& openWriter);
    SqliteShared(std::string file, std::unique_ptr<Storage> writer);
    ~SqliteShared();
    SqliteShared(const SqliteShared&) = delete;
    SqliteShared& operator=(const SqliteShared&) = delete;

    // Runs `work` on the writer's thread inside the group's transaction, with the writer's
    // connection; returns once the group is committed. What `work` throws is thrown here, after
    // its part alone was rolled back; a failed commit throws StorageError.
    void write(const std::function<void(Storage&)>& work);

  private:
    struct Job {
        const std::function<void(Storage&)>* work;
        std::exception_ptr error;
        bool done = false;
    };
    void writer();
    void runGroup(std::deque<Job*>& group);
    void checkpointer();

    std::string file_;
    std::unique_ptr<Storage> connection_;  // the writer's

    std::mutex mutex_;
    std::condition_variable jobsWaiting_, jobsDone_;
    std::deque<Job*> jobs_;
    bool stopping_ = false;
    std::atomic<bool> logIsLong_{false};

    std::mutex stopMutex_;
    std::condition_variable stopWake_;
    bool checkpointerStopping_ = false;
    std::thread writerThread_, checkpointerThread_;
};

}  // namespace orvala::service
