#include "shell/selection_attr_bar.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <initializer_list>

#include "platform/qt/dialog_template.h"
#include "support/track_builder.h"

namespace {
enum : int {
  kWallType = 1001,
  kFloorType = 1002,
  kCeilingType = 1003,
  kItemType = 1004,
  kFloorLevel = 1006,
  kCeilingLevel = 1012,
  kNodeX = 1015,
  kNodeY = 1017,
  kElevation = 1022,
  kAngle = 1024,
};
constexpr int kListIds[] = {kWallType, kCeilingType, kFloorType, kItemType};
constexpr int kEditIds[] = {kCeilingLevel, kFloorLevel, kNodeX, kNodeY, kElevation, kAngle};

class SelectionAttrBarTest : public testing::Test {
 protected:
  void SetUp() override { m_bar.show(); }

  QComboBox* List(int id) { return qobject_cast<QComboBox*>(GetDlgItem(&m_bar, id)); }
  QLineEdit* Edit(int id) { return qobject_cast<QLineEdit*>(GetDlgItem(&m_bar, id)); }

  // Replaces the edit's text keystroke by keystroke, as a user would: select
  // all, delete, then type.
  void Type(int id, const QString& text) {
    QLineEdit* edit = Edit(id);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
  }

  // Fields that show nothing and cannot be used.
  void ExpectDisabledAndEmpty(std::initializer_list<int> ids) {
    for (int id : ids) {
      SCOPED_TRACE(id);
      QWidget* field = GetDlgItem(&m_bar, id);
      EXPECT_FALSE(field->isEnabled());
      if (auto* list = qobject_cast<QComboBox*>(field)) {
        EXPECT_EQ(list->currentIndex(), -1);
      }
      if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        EXPECT_EQ(edit->text(), "");
      }
    }
  }

  CTrassoDoc m_doc;
  TrackBuilder m_track{m_doc};
  CSelectionAttrBar m_bar;
};

TEST_F(SelectionAttrBarTest, WithoutDocumentOrSelectionEveryFieldIsDisabledAndEmpty) {
  ExpectDisabledAndEmpty({kWallType, kCeilingType, kFloorType, kItemType, kCeilingLevel,
                          kFloorLevel, kNodeX, kNodeY, kElevation, kAngle});
  TSNode* a = m_track.Node(0, 0);
  m_track.Section({a, m_track.Node(0, 5000), m_track.Node(5000, 5000)});
  m_track.Settle();
  m_bar.AttachDocument(&m_doc);
  ExpectDisabledAndEmpty({kWallType, kCeilingType, kFloorType, kItemType, kCeilingLevel,
                          kFloorLevel, kNodeX, kNodeY, kElevation, kAngle});
  // Typing into a field of a panel without document reaches nothing.
  m_bar.DetachDocument(&m_doc);
  Select(a);
  QTest::keyClicks(Edit(kNodeX), "5");
  EXPECT_EQ(a->m_x, 0);
}

TEST_F(SelectionAttrBarTest, ListsHoldTheTablesInRowOrder) {
  const QStringList walls = {List(kWallType)->itemText(0), List(kWallType)->itemText(1),
                             List(kWallType)->itemText(22)};
  EXPECT_EQ(walls, (QStringList{"[none]", "Gray Wall", "Finish Label"}));
  EXPECT_EQ(List(kCeilingType)->itemText(0), "[none]");
  EXPECT_EQ(List(kFloorType)->itemText(0), "Metal Plate");
  EXPECT_EQ(List(kItemType)->itemText(17), "Booster");
  const std::vector<int> counts = {List(kWallType)->count(), List(kCeilingType)->count(),
                                   List(kFloorType)->count(), List(kItemType)->count()};
  EXPECT_EQ(counts, (std::vector<int>{23, 8, 7, 18}));
}

TEST_F(SelectionAttrBarTest, SelectedNodesShowTheirCommonPositionAndTypingUnitesThem) {
  TSNode* a = m_track.Node(1250, -3000);
  Select(a);
  m_bar.AttachDocument(&m_doc);
  EXPECT_EQ(Edit(kNodeX)->text(), "1.250");
  EXPECT_EQ(Edit(kNodeY)->text(), "-3.000");
  ExpectDisabledAndEmpty({kWallType, kCeilingType, kFloorType, kItemType, kCeilingLevel,
                          kFloorLevel, kElevation, kAngle});
  // A second node with another x: X enabled but empty, Y still common.
  TSNode* b = m_track.Node(2000, -3000);
  Select(b);
  m_bar.UpdateFromDocument();
  EXPECT_TRUE(Edit(kNodeX)->isEnabled());
  EXPECT_EQ(Edit(kNodeX)->text(), "");
  EXPECT_EQ(Edit(kNodeY)->text(), "-3.000");
  QTest::keyClicks(Edit(kNodeX), "5");
  EXPECT_EQ(a->m_x, 5000);
  EXPECT_EQ(b->m_x, 5000);
}

TEST_F(SelectionAttrBarTest, NodeWithItemShowsTheItemAndTakesAListChoice) {
  TSItem* item = m_track.Item(0, 0, 12);
  item->m_nElevation = -1500;
  item->m_nOrientation = 90000;
  Select(item->m_pNode);
  m_track.Settle();
  Select(item->m_pNode);
  m_bar.AttachDocument(&m_doc);
  EXPECT_EQ(List(kItemType)->currentIndex(), 12);
  EXPECT_EQ(List(kItemType)->currentText(), "CheckPoint 2");
  EXPECT_EQ(Edit(kElevation)->text(), "-1.500");
  EXPECT_EQ(Edit(kAngle)->text(), "90.000");
  EXPECT_TRUE(Edit(kAngle)->isEnabled());
  EXPECT_FALSE(m_doc.IsModified());

  QTest::keyClicks(List(kItemType), "Mine");
  EXPECT_EQ(item->m_nType, 16);
  EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(SelectionAttrBarTest, WholePolygonShowsItsTexturesAndLevels) {
  TSNode* a = m_track.Node(0, 0);
  TSNode* b = m_track.Node(0, 5000);
  TSNode* c = m_track.Node(5000, 5000);
  TSPolygon* room = m_track.Section({a, b, c});
  room->m_nCeilingType = 3;
  room->m_nFloorType = 2;
  room->m_nFloorLevel = -500;
  room->m_wallList[1]->m_nWallType = 4;
  Select(room);
  m_bar.AttachDocument(&m_doc);
  EXPECT_EQ(List(kCeilingType)->currentText(), "Water");
  EXPECT_EQ(List(kFloorType)->currentText(), "Water");
  EXPECT_EQ(Edit(kFloorLevel)->text(), "-0.500");
  EXPECT_EQ(Edit(kCeilingLevel)->text(), "4.000");
  // The walls differ: enabled, no entry; a choice gives every wall that entry.
  EXPECT_TRUE(List(kWallType)->isEnabled());
  EXPECT_EQ(List(kWallType)->currentIndex(), -1);
  QTest::keyClicks(List(kWallType), "Water");
  for (const auto& wall : room->m_wallList) EXPECT_EQ(wall->m_nWallType, 16);
}

TEST_F(SelectionAttrBarTest, TwoConsecutiveWallsConcernOnlyTheFirstWallEdge) {
  TSPolygon* room = m_track.Section(
      {m_track.Node(0, 0), m_track.Node(0, 5000), m_track.Node(5000, 5000), m_track.Node(5000, 0)});
  room->m_wallList[0]->m_bSelected = 1;
  room->m_wallList[1]->m_bSelected = 1;
  m_bar.AttachDocument(&m_doc);
  ExpectDisabledAndEmpty({kCeilingType, kFloorType, kCeilingLevel, kFloorLevel});
  EXPECT_EQ(List(kWallType)->currentIndex(), 0);
  QTest::keyClicks(List(kWallType), "Gray");
  EXPECT_EQ(room->m_wallList[0]->m_nWallType, 1);
  EXPECT_EQ(room->m_wallList[1]->m_nWallType, 0);
  EXPECT_EQ(room->m_wallList[2]->m_nWallType, 0);
}

TEST_F(SelectionAttrBarTest, TypedValuesAreTruncatedAndClampedToTheFieldsRange) {
  TSItem* item = m_track.Item(0, 0, 0);
  TSNode* node = item->m_pNode;
  TSPolygon* room = m_track.Section({node, m_track.Node(0, 5000), m_track.Node(5000, 5000)});
  Select(room);
  m_bar.AttachDocument(&m_doc);
  const struct {
    int id;
    const char* text;
    const int* field;
    int expected;
  } cases[] = {
      {kFloorLevel, "25", &room->m_nFloorLevel, 20000},
      {kNodeX, "-3e9", &node->m_x, -10000000},
      {kNodeX, "1e30", &node->m_x, 10000000},
      {kNodeX, "1.2345", &node->m_x, 1234},
      {kNodeX, "-1.2345", &node->m_x, -1234},
      {kAngle, "400", &item->m_nOrientation, 360000},
      {kAngle, "-5", &item->m_nOrientation, 0},
      {kAngle, "360", &item->m_nOrientation, 360000},
      {kElevation, "-25", &item->m_nElevation, -20000},
      {kNodeY, "inf", &node->m_y, 10000000},
      {kCeilingLevel, "12abc", &room->m_nCeilingLevel, 12000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Type(c.id, c.text);
    EXPECT_EQ(*c.field, c.expected);
    // The text stays as typed, even where the value was clamped.
    EXPECT_EQ(Edit(c.id)->text(), c.text);
  }
}

TEST_F(SelectionAttrBarTest, TextWithoutNumberChangesNothing) {
  TSNode* node = m_track.Node(1001, 0);
  m_track.Settle();
  Select(node);
  m_bar.AttachDocument(&m_doc);
  UpdateCounter updates(m_doc);
  for (const char* text : {"abc", "nan", "-", ""}) Type(kNodeX, text);
  EXPECT_EQ(node->m_x, 1001);
  EXPECT_EQ(updates.Count(), 0);
  EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(SelectionAttrBarTest, EveryKeystrokeIsAppliedInTurn) {
  TSNode* node = m_track.Node(0, 0);
  m_track.Settle();
  Select(node);
  m_bar.AttachDocument(&m_doc);
  Type(kNodeX, "");
  UpdateCounter updates(m_doc);
  std::vector<int> applied;
  for (char key : std::string("12.5")) {
    QTest::keyClicks(Edit(kNodeX), QString(QChar(key)));
    applied.push_back(node->m_x);
  }
  EXPECT_EQ(applied, (std::vector<int>{1000, 12000, 12000, 12500}));
  // "12." applies the value already held, which is no change.
  EXPECT_EQ(updates.Count(), 3);
}

TEST_F(SelectionAttrBarTest, RefreshingShowsTheValueAndChangesNothing) {
  // Even values beyond what the fields accept, as a loaded file may hold.
  TSNode* node = m_track.Node(1001, -20000001);
  m_track.Settle();
  Select(node);
  UpdateCounter updates(m_doc);
  m_bar.AttachDocument(&m_doc);
  m_bar.UpdateFromDocument();
  EXPECT_EQ(Edit(kNodeX)->text(), "1.001");
  EXPECT_EQ(Edit(kNodeY)->text(), "-20000.001");
  EXPECT_EQ(node->m_x, 1001);
  EXPECT_EQ(node->m_y, -20000001);
  EXPECT_EQ(updates.Count(), 0);
  EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(SelectionAttrBarTest, OnlyAttachingAnotherDocumentOrDetachingTheServedOneRefreshes) {
  TSNode* node = m_track.Node(1000, 0);
  Select(node);
  m_bar.AttachDocument(&m_doc);
  node->m_x = 2000;
  m_bar.AttachDocument(&m_doc);
  EXPECT_EQ(Edit(kNodeX)->text(), "1.000");

  CTrassoDoc other;
  m_bar.DetachDocument(&other);
  EXPECT_EQ(m_bar.GetDocument(), &m_doc);
  EXPECT_EQ(Edit(kNodeX)->text(), "1.000");

  m_bar.AttachDocument(&other);
  ExpectDisabledAndEmpty({kNodeX});
  m_bar.AttachDocument(&m_doc);
  EXPECT_EQ(Edit(kNodeX)->text(), "2.000");
  m_bar.DetachDocument(&m_doc);
  EXPECT_EQ(m_bar.GetDocument(), nullptr);
  ExpectDisabledAndEmpty({kNodeX});
}

TEST_F(SelectionAttrBarTest, TabVisitsTheFieldsInTemplateOrder) {
  TSItem* item = m_track.Item(1000, 1000, 0);
  m_track.Section({m_track.Node(0, 0), m_track.Node(0, 5000), m_track.Node(5000, 5000)});
  Select(m_doc.m_polygonList[0].get());
  Select(item->m_pNode);
  m_bar.AttachDocument(&m_doc);
  // The chain also runs through the inner parts of the controls; Tab skips those.
  std::vector<int> order;
  for (QWidget* field = List(kWallType); order.size() < 10; field = field->nextInFocusChain()) {
    if (field->parentWidget() == &m_bar && field->focusPolicy() & Qt::TabFocus) {
      order.push_back(field->objectName().toInt());
    }
  }
  EXPECT_EQ(order, (std::vector<int>{kWallType, kCeilingType, kFloorType, kCeilingLevel,
                                     kFloorLevel, kNodeX, kNodeY, kElevation, kAngle, kItemType}));
}
TEST_F(SelectionAttrBarTest, NoCaptionRunsUnderAControl) {
  const auto labels = m_bar.findChildren<QLabel*>();
  ASSERT_EQ(labels.size(), 11);
  for (const QLabel* label : labels) {
    SCOPED_TRACE(label->text().toStdString());
    for (int id : kListIds) EXPECT_FALSE(label->geometry().intersects(List(id)->geometry()));
    for (int id : kEditIds) EXPECT_FALSE(label->geometry().intersects(Edit(id)->geometry()));
  }
}
}  // namespace
