// One job at a time on a thread of its own, so that a run hands its writing to the second
// processor and goes on with its records meanwhile.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace marrowby {

class BackgroundJob {
  public:
    BackgroundJob() = default;
    // Finishes the job in hand, if any, before the thread ends.
    ~BackgroundJob();
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    // Waits for the job started before, then starts this one. The thread is started by the
    // first job: a small file, written in one go, never needs one.
    void start(std::function<void()> job);
    // Waits until the job started last has finished; what it did is then the caller's to see.
    void wait();

  private:
    void work();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> job_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace marrowby
