#pragma once

#include <httplib.h>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tolvane::sample {

// The service's connection workers: a new thread for a connection whenever
// every thread is busy, up to `most`. A client that sends its request slowly
// holds only its own thread until the service lets it go, so the next
// client is answered at once instead of waiting behind it.
class Workers : public httplib::TaskQueue {
 public:
  explicit Workers(std::size_t most) : most_(most) {}
  ~Workers() override;

  void enqueue(std::function<void()> job) override;
  void shutdown() override;

 private:
  void Work();

  const std::size_t most_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> jobs_;
  std::vector<std::thread> threads_;
  std::size_t idle_ = 0;
  bool stopping_ = false;
};

}  // namespace tolvane::sample
