#include "e2e/sample_service.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

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

// Two services on one port would split the requests between them, and a
// test would read the wrong log: a port in use must be refused.
TEST(SampleServiceTest, RefusesAPortInUse) {
  SampleService first;
  EXPECT_THROW(SampleService({"--port", std::to_string(first.Port())}),
               std::runtime_error);
}

}  // namespace
}  // namespace tolvane::e2e
