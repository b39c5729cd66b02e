#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <optional>

#include "app/preference_file.h"
#include "app/temp_folder.h"
#include "fakes/fakes.h"
#include "gui/main_window.h"
#include "gui/options_window.h"
#include "gui/program_windows.h"

namespace tolvane::gui::testing {
namespace {

// The real windows on fake services, except for the preference store: a
// real file in a folder of the test's own.
struct OptionsHarness {
  void OpenOptions() { windows.MainWidget().MenuItem("Options1")->trigger(); }
  OptionsWindow& Dialog() { return windows.OptionsWidget(); }
  // Types as the user does: select what is there, then key by key.
  void Type(const QString& text) {
    QLineEdit* edit = Dialog().Edit1;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  void Press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  std::optional<std::int32_t> Stored() {
    return store.ReadInteger(kPrefsKey, kTimeoutValue);
  }

  tolvane::testing::TempFolder folder;
  FilePreferenceStore store{folder / "prefs.reg"};
  fakes::FakeMessageBox message_box;
  fakes::FakeFileDialog file_dialog;
  fakes::FakePrintDialog print_dialog;
  fakes::FakePrinter printer;
  fakes::FakeShell shell;
  fakes::FakeSound sound;
  fakes::FakeClock clock;
  fakes::FakeBrowser browser;
  ProgramWindows windows{ProgramServices{
      message_box, file_dialog, print_dialog, printer, shell, sound, clock,
      store, browser, nullptr, RegionalSettings::UnitedStates(), HostConfig{}}};
};

// Catches widgets wired to the wrong handler or not at all: OK that does
// not store or does not close, Cancel that stores or throws the typed text
// away, and a reopened dialog that does not show the stored value.
TEST(OptionsGuiTest, TypedTimeoutIsStoredByOkAndOnlyKeptInForceByCancel) {
  OptionsHarness h;
  h.windows.Start();
  h.OpenOptions();
  ASSERT_TRUE(h.Dialog().isVisible());
  EXPECT_EQ(h.Dialog().Edit1->text(), "90");
  h.Type("30");
  h.Press(h.Dialog().BitBtnOK);
  EXPECT_FALSE(h.Dialog().isVisible());
  EXPECT_EQ(h.Stored(), 30);

  h.OpenOptions();
  EXPECT_EQ(h.Dialog().Edit1->text(), "30");
  h.Type("45");
  h.Press(h.Dialog().BitBtnCancel);
  EXPECT_FALSE(h.Dialog().isVisible());
  EXPECT_EQ(h.Stored(), 30);
  EXPECT_EQ(h.windows.FrmOptions().Edit1.Text(), "45");

  h.OpenOptions();
  EXPECT_EQ(h.Dialog().Edit1->text(), "30");
  EXPECT_TRUE(h.message_box.shown.empty());
}

// Catches a start-up that leaves the dialog at 90 instead of the timeout
// the user stored, so the first Get would wait for the wrong time.
TEST(OptionsGuiTest, StartUpLoadsTheStoredTimeout) {
  OptionsHarness h;
  h.store.WriteInteger(kPrefsKey, kTimeoutValue, 45);
  h.windows.Start();
  EXPECT_EQ(h.windows.FrmOptions().Edit1.Text(), "45");
  h.OpenOptions();
  EXPECT_EQ(h.Dialog().Edit1->text(), "45");
}

}  // namespace
}  // namespace tolvane::gui::testing
