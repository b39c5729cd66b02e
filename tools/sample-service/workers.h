#pragma once

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

namespace tolvane::sample {

// The service's connection workers: a new thread for a connection whenever
// every thread is busy, up to `most`. A client that sends its request slowly
// holds only its own thread until the service lets it go, so the next
// client is answered at once instead of waiting behind it. A thread left
// without work for `idle_life` ends, so a burst leaves no crowd behind.
class Workers : public httplib::TaskQueue {
 public:
  Workers(std::size_t most, std::chrono::milliseconds idle_life)
      : most_(most), idle_life_(idle_life) {}
  ~Workers() override;

  void enqueue(std::function<void()> job) override;
  // Answers the jobs already taken, then returns once every thread has ended.
  void shutdown() override;

 private:
  void Work();

  const std::size_t most_;
  const std::chrono::milliseconds idle_life_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable ended_;
  std::deque<std::function<void()>> jobs_;
  std::size_t threads_ = 0;
  std::size_t idle_ = 0;
  bool stopping_ = false;
};

}  // namespace tolvane::sample
