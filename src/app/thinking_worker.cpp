#include "app/thinking_worker.h"

namespace orvala::app {

ThinkingWorker::ThinkingWorker(QObject* parent) : QObject(parent) {
    thread_.setObjectName("thinking");
    onThread_ = new QObject;
    onThread_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, onThread_, &QObject::deleteLater);
    thread_.start();
}

ThinkingWorker::~ThinkingWorker() {
    thread_.quit();
    thread_.wait();
}

void ThinkingWorker::run(Job job, Done done) {
    running_ = true;
    const unsigned generation = ++generation_;
    QMetaObject::invokeMethod(
        onThread_,
        [this, job = std::move(job), done = std::move(done), generation] {
            std::vector<Input> result = job();
            QMetaObject::invokeMethod(
                this,
                [this, done, generation, result = std::move(result)] {
                    if (generation != generation_) return;
                    running_ = false;
                    done(result);
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void ThinkingWorker::drop() {
    ++generation_;
    running_ = false;
}

}  // namespace orvala::app
