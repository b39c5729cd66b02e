#pragma once

#include <functional>
#include <string>

#include "util/error.h"

namespace tolvane::testing {

// The message of the Error `run` throws; empty when it throws none.
inline std::string ErrorOf(const std::function<void()>& run) {
  try {
    run();
  } catch (const Error& error) {
    return error.what();
  }
  return "";
}

}  // namespace tolvane::testing
