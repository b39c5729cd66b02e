#include "workers.h"

#include <utility>

namespace tolvane::sample {

Workers::~Workers() { shutdown(); }

void Workers::enqueue(std::function<void()> job) {
  std::lock_guard<std::mutex> lock(mutex_);
  jobs_.push_back(std::move(job));
  // Idle threads may already be woken for earlier jobs: a new thread is
  // started unless enough are free for every job waiting.
  if (idle_ < jobs_.size() && threads_.size() < most_) {
    threads_.emplace_back([this] { Work(); });
  } else {
    wake_.notify_one();
  }
}

void Workers::shutdown() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (stopping_ && threads_.empty()) return;
    stopping_ = true;
  }
  wake_.notify_all();
  // No job is added once the service has stopped accepting, so the list of
  // threads no longer changes.
  for (std::thread& t : threads_) t.join();
  threads_.clear();
}

void Workers::Work() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    ++idle_;
    wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
    --idle_;
    if (jobs_.empty()) return;  // stopping, and nothing left to answer
    std::function<void()> job = std::move(jobs_.front());
    jobs_.pop_front();
    lock.unlock();
    job();
    lock.lock();
  }
}

}  // namespace tolvane::sample
