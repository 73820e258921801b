#pragma once
// A small fixed pool of threads for the work that may block: the database and password hashing.
// Each thread owns one storage connection for its whole life, so a connection is never shared.
// The queue is bounded: when it is full, `submit` refuses and the caller answers "busy" at once
// instead of letting waiting requests pile up without end. A pool may also bound what one key
// (a client's address) holds, queued or running, so that one client cannot fill it alone. What a
// key sends beyond its share waits aside (bounded too) and joins the queue as the key's earlier
// jobs finish: a client that floods is slowed to the pace of its share instead of being answered
// "busy" at once, which would only invite it to send again at full speed.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orvala::service {

class Storage;

class WorkerPool {
  public:
    using Job = std::function<void(Storage&)>;

    // One thread per connection. `maxPerKey` 0: no share per key. `niceness` above 0 lowers
    // the threads' priority, so that work that may take a core (hashing) yields it to the rest.
    WorkerPool(std::vector<std::unique_ptr<Storage>> connections, std::size_t maxQueued,
               std::size_t maxPerKey = 0, int niceness = 0);
    ~WorkerPool();  // finishes the jobs already queued, then joins
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // A job that throws is its caller's fault; the worker goes on with the next.
    bool submit(Job job, const std::string& key = {});
    // How many jobs may wait aside beyond the keys' shares, in all and for one key.
    static constexpr std::size_t kMaxAside = 1024, kMaxAsidePerKey = 64;
    std::size_t size() const { return threads_.size(); }

  private:
    struct Queued {
        Job job;
        std::string key;
    };
    void work(Storage& storage);

    std::vector<std::unique_ptr<Storage>> connections_;
    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Queued> queue_;
    std::map<std::string, std::size_t> byKey_;      // queued or running, when shares are kept
    std::map<std::string, std::deque<Job>> aside_;  // beyond a key's share
    std::size_t asideCount_ = 0;
    std::size_t maxQueued_;
    std::size_t maxPerKey_;
    int niceness_;
    bool stopping_ = false;
};

}  // namespace orvala::service
