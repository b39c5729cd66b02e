#pragma once

#include <array>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

namespace tolvane {

// Batches of work made ahead, on a second thread, while the caller takes
// the ones made already, in order; or, without a thread, made when asked
// for. The maker touches nothing but the batch it is given: whatever it
// reads is its own.
//
// A failure of the maker reaches the caller in its place in the order:
// the batch it was making is handed on with what it held, and the next
// call rethrows.
template <class Batch>
class ReadAhead {
 public:
  // Fills the batch it is given (emptied by the maker itself); false when
  // nothing follows it.
  using Maker = std::function<bool(Batch& batch)>;

  ReadAhead(Maker maker, bool on_thread) : maker_(std::move(maker)) {
    if (on_thread) worker_ = std::thread([this] { Work(); });
  }
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;
  ~ReadAhead() {
    if (!worker_.joinable()) return;
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    worker_.join();
  }

  // The next batch, which holds until the next call; nullptr once the last
  // has been handed on.
  Batch* Next() {
    if (finished_) return nullptr;
    if (taken_ != kNone) {
      Slot& done = slots_[taken_];
      const bool last = done.last;
      std::exception_ptr error = done.error;
      {
        std::lock_guard lock(mutex_);
        done.full = false;
        done.error = nullptr;
      }
      changed_.notify_all();
      taken_ = kNone;
      finished_ = last;
      if (error) std::rethrow_exception(error);
      if (last) return nullptr;
    }
    if (!worker_.joinable()) {
      Make(slots_[next_]);
    } else {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return slots_[next_].full; });
    }
    taken_ = next_;
    next_ = (next_ + 1) % kSlots;
    return &slots_[taken_].batch;
  }

 private:
  static constexpr std::size_t kSlots = 3;
  static constexpr std::size_t kNone = kSlots;
  struct Slot {
    Batch batch;
    bool full = false;
    bool last = false;
    std::exception_ptr error;
  };

  void Make(Slot& slot) {
    try {
      slot.last = !maker_(slot.batch);
    } catch (...) {
      slot.error = std::current_exception();
      slot.last = true;
    }
    slot.full = true;
  }

  void Work() {
    for (std::size_t at = 0;; at = (at + 1) % kSlots) {
      Slot& slot = slots_[at];
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this, &slot] { return stop_ || !slot.full; });
        if (stop_) return;
      }
      // The slot is the worker's alone until it is marked full.
      bool last = false;
      try {
        last = !maker_(slot.batch);
      } catch (...) {
        slot.error = std::current_exception();
        last = true;
      }
      {
        std::lock_guard lock(mutex_);
        slot.last = last;
        slot.full = true;
      }
      changed_.notify_all();
      if (last) return;
    }
  }

  Maker maker_;
  std::array<Slot, kSlots> slots_;
  std::size_t next_ = 0;       // the slot handed on next
  std::size_t taken_ = kNone;  // the slot the caller holds
  bool finished_ = false;      // the last batch has been handed on
  std::mutex mutex_;
  std::condition_variable changed_;
  bool stop_ = false;
  std::thread worker_;
};

}  // namespace tolvane
