#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include "app/site_choice.h"
#include "app/sold_fixture.h"
#include "app/temp_folder.h"
#include "gui/qt_file_dialog.h"
#include "gui_harness.h"

namespace tolvane::gui::testing {
namespace {

using tolvane::testing::kChallengePage;
using tolvane::testing::SoldResultPage;
using tolvane::testing::WriteText;

// Catches File > Open Saved Pages… missing or taking one file only, a
// refused page that stops the others or is not named with its reason, and
// pages dropped on the grid (other files among them) not read.
TEST(SavedPagesTest, OpenedThroughTheDialogAndDroppedOnTheGrid) {
  PlainServices plain;
  QtFileDialog files;
  ProgramWindows windows(ProgramServices{
      plain.message_box, files, plain.print_dialog, plain.printer, plain.shell,
      plain.sound, plain.clock, plain.preferences, plain.browser, nullptr,
      RegionalSettings::UnitedStates(), HostConfig{}});
  windows.Start();
  QTemporaryDir folder;
  const auto path = [&](const char* name) {
    return folder.filePath(QString::fromLatin1(name)).toStdString();
  };
  WriteText(path("bot.htm"), kChallengePage);
  WriteText(path("sold.html"), SoldResultPage({{"101", "$4.00"}}));
  WriteText(path("more.htm"), SoldResultPage({{"102", "$6.00"}}));
  WriteText(path("notes.txt"), SoldResultPage({{"103", "$8.00"}}));

  QTimer::singleShot(0, [&] {
    auto* dialog =
        qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFiles);
    EXPECT_EQ(dialog->nameFilters(),
              QStringList({"Web pages (*.htm *.html)", "All files (*)"}));
    dialog->setDirectory(folder.path());
    dialog->selectFile(QStringLiteral("\"bot.htm\" \"sold.html\""));
    static_cast<QDialog*>(dialog)->accept();
  });
  windows.MainWidget().MenuItem(QStringLiteral("OpenSavedPages1"))->trigger();
  const ResultGrid& grid = windows.FrmPrice().ListView1();
  ASSERT_EQ(grid.Count(), 1);
  EXPECT_EQ(grid.Row(0).item, "101");
  ASSERT_EQ(plain.message_box.shown.size(), 1u);
  EXPECT_TRUE(plain.message_box.shown[0].text.starts_with(
      "bot.htm: The site asked to confirm that a person is searching."));

  QMimeData data;
  data.setUrls(
      {QUrl::fromLocalFile(QString::fromStdString(path("more.htm"))),
       QUrl::fromLocalFile(QString::fromStdString(path("notes.txt")))});
  QWidget* viewport = windows.MainWidget().ListView1->viewport();
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                        Qt::NoModifier);
  QApplication::sendEvent(viewport, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                  Qt::NoModifier);
  QApplication::sendEvent(viewport, &drop);
  EXPECT_TRUE(drop.isAccepted());
  ASSERT_EQ(grid.Count(), 2);
  EXPECT_EQ(grid.Row(1).item, "102");
  EXPECT_EQ(plain.message_box.shown.size(), 1u);
}

// Catches option buttons or the marketplace list wired to the wrong
// choice, and the list left usable for the classic service, which has no
// marketplaces.
TEST(SavedPagesTest, OptionsWindowStoresTheSiteChosenInItsWidgets) {
  GuiHarness h;
  OptionsWindow& options = h.windows.OptionsWidget();
  h.Choose("Options1");
  EXPECT_TRUE(options.RbSoldListings->isChecked());
  EXPECT_EQ(options.CmbMarketplace->currentText(), "www.ebay.com");
  options.CmbMarketplace->setCurrentIndex(1);
  options.RbClassic->click();
  EXPECT_FALSE(options.CmbMarketplace->isEnabled());
  options.BitBtnOK->click();
  EXPECT_EQ(ReadSiteChoice(h.preferences), (SiteChoice{Site::kClassic, 1}));
  StoreSiteChoice(h.preferences, {Site::kSoldListings, 4});
  h.Choose("Options1");
  EXPECT_TRUE(options.RbSoldListings->isChecked());
  EXPECT_TRUE(options.CmbMarketplace->isEnabled());
  EXPECT_EQ(options.CmbMarketplace->currentText(), "www.ebay.com.au");
}

}  // namespace
}  // namespace tolvane::gui::testing
