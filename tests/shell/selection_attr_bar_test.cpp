#include "shell/selection_attr_bar.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "platform/qt/dialog_template.h"
#include "support/track_builder.h"

namespace {
enum : int {
  kWallType = 1001, kFloorType = 1002, kCeilingType = 1003, kItemType = 1004, kFloorLevel = 1006,
  kCeilingLevel = 1012, kNodeX = 1015, kNodeY = 1017, kElevation = 1022, kAngle = 1024,
};
// In the order of the template, which is the order of Tab.
constexpr int kFields[] = {kWallType, kCeilingType, kFloorType, kCeilingLevel, kFloorLevel,
                           kNodeX,    kNodeY,       kElevation, kAngle,        kItemType};

class SelectionAttrBar : public testing::Test {
 protected:
  void SetUp() override { m_bar.show(); }
  QComboBox* List(int id) { return qobject_cast<QComboBox*>(GetDlgItem(&m_bar, id)); }
  QLineEdit* Edit(int id) { return qobject_cast<QLineEdit*>(GetDlgItem(&m_bar, id)); }
  // Replaces the edit's text keystroke by keystroke, as a user would.
  void Type(int id, const QString& text) {
    QTest::keyClick(Edit(id), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Edit(id), Qt::Key_Backspace);
    QTest::keyClicks(Edit(id), text);
  }
  // Every field as "text" or "-" where it is disabled; lists show their row.
  std::string Shown() {
    std::string shown;
    for (int id : kFields) {
      QWidget* field = GetDlgItem(&m_bar, id);
      const QString text = List(id) ? QString::number(List(id)->currentIndex()) : Edit(id)->text();
      shown += (field->isEnabled() ? text.toStdString() : text.isEmpty() || text == "-1" ? "-" : "?") + " ";
    }
    return shown;
  }
  TSPolygon* Triangle(TSNode* first = nullptr) {
    return m_track.Section({first ? first : m_track.Node(0, 0), m_track.Node(0, 5000), m_track.Node(5000, 5000)});
  }

  CTrassoDoc m_doc;
  TrackBuilder m_track{m_doc};
  CSelectionAttrBar m_bar;
};
}  // namespace

TEST_F(SelectionAttrBar, WithoutDocumentOrSelectionEveryFieldIsDisabledAndEmpty) {
  const std::string nothing = "- - - - - - - - - - ";
  EXPECT_EQ(Shown(), nothing);
  TSNode* a = Triangle()->m_wallList[0]->m_pNode;
  m_track.Settle();
  m_bar.AttachDocument(&m_doc);
  EXPECT_EQ(Shown(), nothing);
  // Typing into a field of a panel without document reaches nothing.
  m_bar.DetachDocument(&m_doc);
  Select(a);
  QTest::keyClicks(Edit(kNodeX), "5");
  EXPECT_EQ(a->m_x, 0);
}

TEST_F(SelectionAttrBar, ListsHoldTheTablesInRowOrderAndNoCaptionRunsUnderAControl) {
  EXPECT_EQ(QStringList({List(kWallType)->itemText(0), List(kWallType)->itemText(1),
                         List(kWallType)->itemText(22), List(kCeilingType)->itemText(0),
                         List(kFloorType)->itemText(0), List(kItemType)->itemText(17)}),
            QStringList({"[none]", "Gray Wall", "Finish Label", "[none]", "Metal Plate", "Booster"}));
  EXPECT_EQ((std::vector<int>{List(kWallType)->count(), List(kCeilingType)->count(),
                              List(kFloorType)->count(), List(kItemType)->count()}),
            (std::vector<int>{23, 8, 7, 18}));
  const auto labels = m_bar.findChildren<QLabel*>();
  ASSERT_EQ(labels.size(), 11);
  for (const QLabel* label : labels) {
    for (int id : kFields) {
      EXPECT_FALSE(label->geometry().intersects(GetDlgItem(&m_bar, id)->geometry()))
          << label->text().toStdString() << " " << id;
    }
  }
}

TEST_F(SelectionAttrBar, SelectedNodesShowTheirCommonPositionAndTypingUnitesThem) {
  TSNode* a = m_track.Node(1250, -3000);
  Select(a);
  m_bar.AttachDocument(&m_doc);
  EXPECT_EQ(Shown(), "- - - - - 1.250 -3.000 - - - ");
  // A second node with another x: X enabled but empty, Y still common.
  TSNode* b = m_track.Node(2000, -3000);
  Select(b);
  m_bar.UpdateFromDocument();
  EXPECT_EQ(Shown(), "- - - - -  -3.000 - - - ");
  QTest::keyClicks(Edit(kNodeX), "5");
  EXPECT_EQ(a->m_x, 5000);
  EXPECT_EQ(b->m_x, 5000);
}

TEST_F(SelectionAttrBar, AnItemShowsItsTypeElevationAndAngleAndTakesAListChoice) {
  TSItem* item = m_track.Item(0, 0, 12);
  item->m_nElevation = -1500;
  item->m_nOrientation = 90000;
  m_track.Settle();
  Select(item->m_pNode);
  m_bar.AttachDocument(&m_doc);
  EXPECT_EQ(Shown(), "- - - - - 0.000 0.000 -1.500 90.000 12 ");
  EXPECT_EQ(List(kItemType)->currentText(), "CheckPoint 2");
  EXPECT_FALSE(m_doc.IsModified());
  QTest::keyClicks(List(kItemType), "Mine");
  EXPECT_EQ(item->m_nType, 16);
  EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(SelectionAttrBar, AWholePolygonShowsItsTexturesAndLevelsAndTwoWallsOnlyTheFirstEdge) {
  TSPolygon* room = Triangle();
  room->m_nCeilingType = 3;
  room->m_nFloorType = 2;
  room->m_nFloorLevel = -500;
  room->m_wallList[1]->m_nWallType = 4;
  Select(room);
  m_bar.AttachDocument(&m_doc);
  // The walls differ: enabled, no entry; the nodes differ too.
  EXPECT_EQ(Shown(), "-1 3 2 4.000 -0.500   - - - ");
  EXPECT_EQ(List(kCeilingType)->currentText(), "Water");
  QTest::keyClicks(List(kWallType), "Water");
  for (const auto& wall : room->m_wallList) EXPECT_EQ(wall->m_nWallType, 16);

  // Two consecutive wall handles select the edge of the first only.
  m_track.Settle();
  room->m_wallList[0]->m_bSelected = room->m_wallList[1]->m_bSelected = 1;
  m_bar.UpdateFromDocument();
  EXPECT_EQ(Shown(), "16 - - - - - - - - - ");
  QTest::keyClick(List(kWallType), Qt::Key_Home);  // "[none]", then "Gray Wall"
  QTest::keyClick(List(kWallType), Qt::Key_Down);
  EXPECT_EQ(room->m_wallList[0]->m_nWallType, 1);
  EXPECT_EQ(room->m_wallList[1]->m_nWallType, 16);
}

TEST_F(SelectionAttrBar, TypedValuesApplyAtEveryKeystrokeTruncatedAndClampedToTheFieldsRange) {
  TSItem* item = m_track.Item(0, 0, 0);
  TSPolygon* room = Triangle(item->m_pNode);
  TSNode* node = item->m_pNode;
  Select(room);
  m_bar.AttachDocument(&m_doc);
  const struct {
    int id;
    const char* text;
    const int* field;
    int expected;
  } cases[] = {
      {kFloorLevel, "25", &room->m_nFloorLevel, 20000},  {kCeilingLevel, "-25", &room->m_nCeilingLevel, -20000},
      {kNodeX, "-3e9", &node->m_x, -10000000},          {kNodeY, "inf", &node->m_y, 10000000},
      {kNodeX, "-1.2345", &node->m_x, -1234},           {kAngle, "400", &item->m_nOrientation, 360000},
      {kAngle, "-5", &item->m_nOrientation, 0},         {kElevation, "-25", &item->m_nElevation, -20000},
      {kElevation, "25", &item->m_nElevation, 20000},
  };
  for (const auto& c : cases) {
    Type(c.id, c.text);
    EXPECT_EQ(*c.field, c.expected) << c.text;
    // The text stays as typed, even where the value was clamped.
    EXPECT_EQ(Edit(c.id)->text(), c.text);
  }
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

TEST_F(SelectionAttrBar, TextWithoutNumberAndRefreshingChangeNothing) {
  // Even values beyond what the fields accept, as a loaded file may hold.
  TSNode* node = m_track.Node(1001, -20000001);
  m_track.Settle();
  Select(node);
  UpdateCounter updates(m_doc);
  m_bar.AttachDocument(&m_doc);
  m_bar.UpdateFromDocument();
  EXPECT_EQ(Edit(kNodeX)->text(), "1.001");
  EXPECT_EQ(Edit(kNodeY)->text(), "-20000.001");
  for (const char* text : {"abc", "nan", "-", ""}) Type(kNodeX, text);
  EXPECT_EQ(node->m_x, 1001);
  EXPECT_EQ(node->m_y, -20000001);
  EXPECT_EQ(updates.Count(), 0);
  EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(SelectionAttrBar, OnlyAttachingAnotherDocumentOrDetachingTheServedOneRefreshes) {
  TSNode* node = m_track.Node(1000, 0);
  Select(node);
  m_bar.AttachDocument(&m_doc);
  node->m_x = 2000;
  m_bar.AttachDocument(&m_doc);
  CTrassoDoc other;
  m_bar.DetachDocument(&other);
  EXPECT_EQ(m_bar.GetDocument(), &m_doc);
  EXPECT_EQ(Edit(kNodeX)->text(), "1.000");
  m_bar.AttachDocument(&other);
  EXPECT_FALSE(Edit(kNodeX)->isEnabled());
  m_bar.AttachDocument(&m_doc);
  EXPECT_EQ(Edit(kNodeX)->text(), "2.000");
  m_bar.DetachDocument(&m_doc);
  EXPECT_EQ(m_bar.GetDocument(), nullptr);
  EXPECT_EQ(Shown(), "- - - - - - - - - - ");
}

TEST_F(SelectionAttrBar, TabVisitsTheFieldsInTemplateOrder) {
  // The chain also runs through the inner parts of the controls; Tab skips those.
  std::vector<int> order;
  for (QWidget* field = List(kWallType); order.size() < 10; field = field->nextInFocusChain()) {
    if (field->parentWidget() == &m_bar && field->focusPolicy() & Qt::TabFocus) {
      order.push_back(field->objectName().toInt());
    }
  }
  EXPECT_EQ(order, std::vector<int>(std::begin(kFields), std::end(kFields)));
}
