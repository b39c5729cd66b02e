#include "workers.h"

#include <system_error>
#include <thread>
#include <utility>

namespace tolvane::sample {

Workers::~Workers() { shutdown(); }

void Workers::enqueue(std::function<void()> job) {
  std::lock_guard<std::mutex> lock(mutex_);
  jobs_.push_back(std::move(job));
  // Idle threads may already be woken for earlier jobs: a new thread is
  // started unless enough are free for every job waiting.
  if (idle_ < jobs_.size() && threads_ < most_) {
    try {
      std::thread([this] { Work(); }).detach();
      ++threads_;
      return;
    } catch (const std::system_error&) {
      // No thread to be had now: the job waits for a busy one.
    }
  }
  wake_.notify_one();
}

void Workers::shutdown() {
  std::unique_lock<std::mutex> lock(mutex_);
  stopping_ = true;
  wake_.notify_all();
  ended_.wait(lock, [this] { return threads_ == 0; });
}

void Workers::Work() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    ++idle_;
    wake_.wait_for(lock, idle_life_,
                   [this] { return stopping_ || !jobs_.empty(); });
    --idle_;
    if (jobs_.empty()) break;  // stopping, or idle for too long
    std::function<void()> job = std::move(jobs_.front());
    jobs_.pop_front();
    lock.unlock();
    job();
    lock.lock();
  }
  // The last touch of this object: shutdown() returns only once it holds
  // the lock this thread gives up on leaving.
  --threads_;
  ended_.notify_all();
}

}  // namespace tolvane::sample
