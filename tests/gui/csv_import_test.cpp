#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <fstream>

#include "fakes/plain_program.h"
#include "gui/qt_file_dialog.h"
#include "gui/qt_services.h"
#include "when_modal.h"

namespace tolvane::gui::testing {
namespace {

// The program with the desktop's own open dialog and message box.
struct RealDialogsProgram : PlainServices {
  QtMessageBox real_message_box;
  QtFileDialog real_file_dialog;
  ProgramWindows windows{{real_message_box,
                          real_file_dialog,
                          print_dialog,
                          printer,
                          shell,
                          sound,
                          clock,
                          preferences,
                          browser,
                          nullptr,
                          RegionalSettings::UnitedStates(),
                          {}}};
};

// Catches Import of another tool's file that is not offered by the open
// dialog, read as the program's own form, shown in the table without its
// rows, or that tells its report in no box (or a box that needs more than
// OK), and a grid that keeps its old rows.
TEST(CsvImportTest, ImportsAHeaderFileThroughTheDialogAndReportsIt) {
  QTemporaryDir folder;
  std::ofstream(folder.filePath("sold.csv").toStdString(), std::ios::binary)
      << "\xEF\xBB\xBFsep=;\r\nItem ID;Title;Sold For;Sale Date\r\n"
         "111;Brass lamp;$12.50;Sep 18, 2026\r\n"
         "222;Tin lamp;;Sep 19, 2026\r\n"
         "333;\"Oil; lamp\";$1,433.66;2026-09-20T14:03:00Z\r\n";
  RealDialogsProgram p;
  p.windows.Start();
  p.windows.FrmPrice().ListView1().Append(*MakeRow(
      {"999", "old", "-", "$1.00", "e"}, RegionalSettings::UnitedStates()));

  const auto open = WhenModal<QFileDialog>([&](QFileDialog& dialog) {
    EXPECT_TRUE(
        dialog.selectedNameFilter().contains("*.csv", Qt::CaseInsensitive));
    dialog.setDirectory(folder.path());
    dialog.selectFile("sold.csv");
    static_cast<QDialog&>(dialog).accept();
  });
  QString report;
  const auto told = WhenModal<QMessageBox>([&](QMessageBox& box) {
    report = box.text();
    EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
    box.button(QMessageBox::Ok)->click();
  });
  QTest::mouseClick(p.windows.MainWidget().BarButton("SpdBtnCSVIn"),
                    Qt::LeftButton);

  EXPECT_EQ(report,
            "Read 2 rows from sold.csv; left out 1: no price (line 4).");
  const ResultGrid& grid = p.windows.FrmPrice().ListView1();
  ASSERT_EQ(grid.Count(), 2);
  EXPECT_EQ(grid.Row(1).description, "Oil; lamp");
  EXPECT_EQ(grid.Row(1).price, "$1,433.66");
  EXPECT_EQ(grid.Row(1).ended, "Sep-20-2026 14:03");
  p.windows.GridModel().Flush();
  EXPECT_EQ(p.windows.MainWidget().ListView1->model()->rowCount(), 2);
}

}  // namespace
}  // namespace tolvane::gui::testing
