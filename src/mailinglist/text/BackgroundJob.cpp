#include "mailinglist/text/BackgroundJob.h"

#include <system_error>
#include <utility>

namespace marrowby {

BackgroundJob::~BackgroundJob() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void BackgroundJob::start(std::function<void()> job) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    if (!thread_.joinable()) {
        try {
            thread_ = std::thread(&BackgroundJob::work, this);
        } catch (const std::system_error&) {
            // The system has no thread to spare: the job is done here and now instead.
            lock.unlock();
            job();
            return;
        }
    }
    job_ = std::move(job);
    busy_ = true;
    lock.unlock();
    changed_.notify_all();
}

void BackgroundJob::wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
}

void BackgroundJob::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return busy_ || stopping_; });
        if (!busy_) return;
        lock.unlock();
        job_();
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}

}  // namespace marrowby
