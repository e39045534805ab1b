#include <QLineEdit>
#include <QToolBar>

#include "app_fixture.h"
#include "resource_ids.h"
#include "shell/grid_dlg.h"
#include "shell/grid_settings.h"

TEST_F(AppTest, GridAndSnapStartOffAndAreRememberedWithTheSpacingForTheNextRun) {
  ASSERT_TRUE(Start());
  EXPECT_FALSE(IsChecked(ID_VIEW_GRID) || IsChecked(ID_VIEW_SNAP_TO_GRID));
  EXPECT_EQ(App().GetGridOptions(), GridOptions());
  EXPECT_TRUE(App().GetMainWnd()->m_wndToolsBar->actions().contains(Command(ID_VIEW_SNAP_TO_GRID)));
  Trigger(ID_VIEW_GRID);
  Trigger(ID_VIEW_SNAP_TO_GRID);
  GridOptions options = App().GetGridOptions();
  options.spacing = 250;
  App().SetGridOptions(options);

  m_app.reset();
  ASSERT_TRUE(Start());
  EXPECT_TRUE(IsChecked(ID_VIEW_GRID) && IsChecked(ID_VIEW_SNAP_TO_GRID));
  EXPECT_EQ(App().GetGridOptions(), (GridOptions{true, true, 250}));
  Trigger(ID_VIEW_GRID);
  EXPECT_EQ(App().GetGridOptions(), (GridOptions{false, true, 250}));
  EXPECT_FALSE(IsChecked(ID_VIEW_GRID));
}

TEST(GridSettings, ASavedSpacingThatIsNotAPositiveLengthReadsAsTheDefault) {
  QTemporaryDir dir;
  QSettings settings(dir.filePath("grid.ini"), QSettings::IniFormat);
  EXPECT_EQ(LoadGridOptions(settings), GridOptions());
  for (const char* bad : {"0", "-250", "wide"}) {
    settings.setValue("Grid/Spacing", bad);
    EXPECT_EQ(LoadGridOptions(settings).spacing, kDefaultGridSpacing) << bad;
  }
  SaveGridOptions(settings, {true, false, 250});
  EXPECT_EQ(LoadGridOptions(settings), (GridOptions{true, false, 250}));
}

TEST(GridDialog, ShowsTheSpacingWithThreeDecimalsKeepsAValidOneAndExplainsWhatItRefuses) {
  ScriptedPrompts prompts;
  CGridDlg dialog(1000, prompts);
  auto* edit = dialog.findChild<QLineEdit*>();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text(), "1.000");
  const char* refused[] = {"0", "0.000", "0.0004", "-1.000", "-0.250", "abc", "", "1000.001"};
  for (const char* text : refused) {
    edit->setText(text);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << text;
    EXPECT_EQ(dialog.GetSpacing(), 1000) << text;
  }
  ASSERT_EQ(prompts.m_boxes.size(), std::size(refused));
  EXPECT_EQ(prompts.m_boxes.back().caption, "Trasso");
  EXPECT_TRUE(prompts.m_boxes.back().text.contains("greater than 0"));
  for (const auto& [text, spacing] :
       {std::pair(" 0.250", 250), std::pair("1000", 1000000), std::pair("0.001", 1)}) {
    edit->setText(text);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted) << text;
    EXPECT_EQ(dialog.GetSpacing(), spacing) << text;
  }
  EXPECT_EQ(prompts.m_boxes.size(), std::size(refused));
}
