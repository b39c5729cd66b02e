#include "e2e/sample_service.h"

#include <gtest/gtest.h>

namespace tolvane::e2e {
namespace {

// A service told to stop right after it started must still end: a stop
// that comes before the server runs would otherwise be lost, and the test
// (or the run script) would wait for ever. The service's destructor fails
// the test when the service outlives its stop.
TEST(SampleServiceTest, EndsWhenStoppedRightAfterStarting) {
  for (int i = 0; i < 20; ++i) {
    SampleService service;
    EXPECT_GT(service.Port(), 0);
  }
}

}  // namespace
}  // namespace tolvane::e2e
