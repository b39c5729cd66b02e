#pragma once

// The tests drive the windows on the plain controls (PlainApp and the
// Plain* services).

#include "fakes/plain_app.h"

namespace tolvane::fakes {

// The five windows, started as the program starts them.
struct FakeApp : PlainApp {
  FakeApp() { Start(); }
};

}  // namespace tolvane::fakes
