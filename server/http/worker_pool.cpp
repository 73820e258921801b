#include "http/worker_pool.h"

#include <sys/resource.h>
#include <unistd.h>

#include "storage/storage.h"

namespace orvala::service {

WorkerPool::WorkerPool(std::vector<std::unique_ptr<Storage>> connections, std::size_t maxQueued,
                       std::size_t maxPerKey, int niceness)
    : connections_(std::move(connections)),
      maxQueued_(maxQueued),
      maxPerKey_(maxPerKey),
      niceness_(niceness) {
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

bool WorkerPool::submit(Job job, const std::string& key) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_ || queue_.size() >= maxQueued_) return false;
        if (maxPerKey_ > 0) {
            std::size_t& held = byKey_[key];
            if (held >= maxPerKey_) {
                auto& waiting = aside_[key];
                if (asideCount_ >= kMaxAside || waiting.size() >= kMaxAsidePerKey) {
                    if (waiting.empty()) aside_.erase(key);
                    return false;
                }
                waiting.push_back(std::move(job));
                ++asideCount_;
                return true;
            }
            ++held;
        }
        queue_.push_back({std::move(job), key});
    }
    wake_.notify_one();
    return true;
}

void WorkerPool::work(Storage& storage) {
    // Linux keeps a nice value per thread; where it cannot be set, the thread runs as it is.
    if (niceness_ > 0) ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), niceness_);
    for (;;) {
        Queued next;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) return;
            next = std::move(queue_.front());
            queue_.pop_front();
        }
        try {
            next.job(storage);
        } catch (...) {
            // The job answers its own failures; this only keeps the thread alive.
        }
        // The job goes before its share is given back, so what it held is let go first.
        next.job = nullptr;
        if (maxPerKey_ > 0) {
            std::lock_guard lock(mutex_);
            // The key's next job waiting aside takes the share this one leaves.
            if (auto w = aside_.find(next.key); w != aside_.end() && !stopping_) {
                queue_.push_back({std::move(w->second.front()), next.key});
                w->second.pop_front();
                --asideCount_;
                if (w->second.empty()) aside_.erase(w);
                continue;
            }
            auto it = byKey_.find(next.key);
            if (it != byKey_.end() && --it->second == 0) byKey_.erase(it);
        }
    }
}

}  // namespace orvala::service
