#include "http/worker_pool.h"

#include "storage/storage.h"

namespace orvala::service {

WorkerPool::WorkerPool(std::vector<std::unique_ptr<Storage>> connections, std::size_t maxQueued)
    : connections_(std::move(connections)), maxQueued_(maxQueued) {
    for (auto& c : connections_) threads_.emplace_back([this, s = c.get()] { work(*s); });
}

WorkerPool::~WorkerPool() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (auto& t : threads_) t.join();
}

bool WorkerPool::submit(Job job) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_ || queue_.size() >= maxQueued_) return false;
        queue_.push_back(std::move(job));
    }
    wake_.notify_one();
    return true;
}

void WorkerPool::work(Storage& storage) {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) return;
            job = std::move(queue_.front());
            queue_.pop_front();
        }
        job(storage);
    }
}

}  // namespace orvala::service
