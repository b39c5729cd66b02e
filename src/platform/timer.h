#pragma once

#include <functional>

namespace tolvane {

// Enabling a disabled timer starts its count from zero; setting the interval
// it already has, or enabling it while enabled, changes nothing; a different
// interval while enabled restarts the count. An interval of 0 never fires.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual void SetInterval(int milliseconds) = 0;
  virtual int Interval() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetOnTimer(std::function<void()> handler) = 0;
};

}  // namespace tolvane
