#include "util/read_ahead.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace tolvane {
namespace {

// Catches batches handed on out of order, lost, doubled or handed on after
// the last, on the second thread or without it, and a failure of the maker
// swallowed or thrown before the batches made ahead of it.
TEST(ReadAheadTest, HandsOnBatchesInOrderThenTheFailure) {
  for (const bool on_thread : {false, true}) {
    for (const int fail_at : {-1, 0, 5}) {
      int made = 0;
      ReadAhead<std::string> ahead(
          [&made, fail_at](std::string& batch) {
            if (made == fail_at) throw std::runtime_error("read");
            batch = std::to_string(made++);
            return made < 10;
          },
          on_thread);
      std::string seen;
      bool failed = false;
      try {
        while (const std::string* batch = ahead.Next()) seen += *batch;
      } catch (const std::runtime_error&) {
        failed = true;
      }
      const std::string want =
          std::string("0123456789").substr(0, fail_at < 0 ? 10 : fail_at);
      EXPECT_EQ(failed, fail_at >= 0) << on_thread << fail_at;
      // The failing batch is handed on with what its slot held before.
      EXPECT_EQ(seen.substr(0, want.size()), want) << on_thread << fail_at;
      EXPECT_LE(seen.size(), want.size() + 1) << on_thread << fail_at;
      if (fail_at < 0) {
        EXPECT_EQ(seen, want) << on_thread;
        EXPECT_EQ(ahead.Next(), nullptr) << on_thread;
      }
    }
  }
}

}  // namespace
}  // namespace tolvane
