#pragma once
// A small fixed pool of threads for the work that may block: the database and password hashing.
// Each thread owns one storage connection for its whole life, so a connection is never shared.
// The queue is bounded: when it is full, `submit` refuses and the caller answers "busy" at once
// instead of letting waiting requests pile up without end.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace orvala::service {

class Storage;

class WorkerPool {
  public:
    using Job = std::function<void(Storage&)>;

    // One thread per connection.
    WorkerPool(std::vector<std::unique_ptr<Storage>> connections, std::size_t maxQueued);
    ~WorkerPool();  // finishes the jobs already queued, then joins
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    bool submit(Job job);
    std::size_t size() const { return threads_.size(); }

  private:
    void work(Storage& storage);

    std::vector<std::unique_ptr<Storage>> connections_;
    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> queue_;
    std::size_t maxQueued_;
    bool stopping_ = false;
};

}  // namespace orvala::service
