#pragma once

// The tests drive the windows on the core's plain controls.

#include "app/plain_app.h"

namespace tolvane::fakes {

using FakeWindow = PlainWindow;
using FakeButton = PlainButton;
using FakeLabel = PlainLabel;
using FakeTextBox = PlainTextBox;
using FakeMemo = PlainMemo;
using FakeBrowser = PlainBrowser;
using FakeTimer = PlainTimer;
using FakeSound = PlainSound;
using FakeShell = PlainShell;
using FakeMessageBox = PlainMessageBox;
using FakeFileDialog = PlainFileDialog;
using FakePrintDialog = PlainPrintDialog;
using FakePrinter = PlainPrinter;
using FakeClock = PlainClock;
using FakePreferenceStore = PlainPreferenceStore;
using FakeGridView = PlainGridView;

// The five windows, started as the program starts them.
struct FakeApp : PlainApp {
  FakeApp() { Start(); }
};

}  // namespace tolvane::fakes
