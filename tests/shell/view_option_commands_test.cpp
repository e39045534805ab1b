#include <gtest/gtest.h>

#include <QSettings>

#include "app_fixture.h"
#include "platform/qt/command_table.h"
#include "resource_ids.h"
#include "view/view_options.h"

namespace {
// The drawing options are checked View entries whose state outlives the run.
TEST_F(AppTest, DrawingOptionsAreCheckedInTheViewMenuAndKeptInTheSettings) {
  ASSERT_TRUE(Start());
  EXPECT_FALSE(IsChecked(ID_VIEW_ITEM_LABELS) || IsChecked(ID_VIEW_COMPACT_MARKS));
  Trigger(ID_VIEW_COMPACT_MARKS);
  EXPECT_TRUE(IsChecked(ID_VIEW_COMPACT_MARKS));
  EXPECT_EQ(GetViewOptions(), (CViewOptions{.bCompactMarks = true}));
  m_app.reset();
  SetViewOptions({});  // a new run starts from the settings alone
  ASSERT_TRUE(Start());
  EXPECT_TRUE(IsChecked(ID_VIEW_COMPACT_MARKS));
  EXPECT_FALSE(IsChecked(ID_VIEW_ITEM_LABELS));
  Trigger(ID_VIEW_ITEM_LABELS);
  Trigger(ID_VIEW_COMPACT_MARKS);
  EXPECT_EQ(GetViewOptions(), (CViewOptions{.bItemLabels = true}));
  QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Trasso", "Trasso");
  EXPECT_TRUE(settings.value("View/ItemLabels").toBool());
  EXPECT_FALSE(settings.value("View/CompactMarks").toBool());
  Trigger(ID_VIEW_ITEM_LABELS);
}
}  // namespace
