#include "shell/scale_dlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/qt/dialog_template.h"
#include "support/track_builder.h"

namespace {
enum : int { kOk = 1, kCancel = 2, kPreview = 3, kPercent = 1034 };

class ScaleDlgTest : public testing::Test {
 protected:
  void SetUp() override {
    m_a = m_track.Node(0, 0);
    m_b = m_track.Node(10000, 20000);
    m_track.Settle();
    Select(m_a);
    Select(m_b);
    m_dialog.show();
  }

  void Type(const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(&m_dialog, kPercent));
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
  }
  void Press(int id) {
    QTest::mouseClick(qobject_cast<QPushButton*>(GetDlgItem(&m_dialog, id)), Qt::LeftButton);
  }
  void ExpectAt(const TSNode* node, TrackLength x, TrackLength y) {
    EXPECT_EQ(node->m_x, x);
    EXPECT_EQ(node->m_y, y);
  }

  CTrassoDoc m_doc;
  TrackBuilder m_track{m_doc};
  TSNode* m_a = nullptr;
  TSNode* m_b = nullptr;
  CScaleDlg m_dialog{&m_doc};
};

TEST_F(ScaleDlgTest, OkScalesAboutTheCentreOfTheSelectedNodes) {
  TSNode* unselected = m_track.Node(1, 1);
  Type("200");
  QTest::keyClick(&m_dialog, Qt::Key_Return);
  EXPECT_FALSE(m_dialog.isVisible());
  EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
  ExpectAt(m_a, -5000, -10000);
  ExpectAt(m_b, 15000, 30000);
  ExpectAt(unselected, 1, 1);
  EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(ScaleDlgTest, ShrinkingTruncatesTowardZero) {
  m_b->m_x = 3;
  m_b->m_y = 3;
  Type("50");
  Press(kOk);
  ExpectAt(m_a, 0, 0);
  ExpectAt(m_b, 2, 2);
}

TEST_F(ScaleDlgTest, OnlyPercentagesFrom11To999AreTaken) {
  UpdateCounter updates(m_doc);
  const auto expectIgnored = [&] {
    Press(kPreview);
    Press(kOk);
    EXPECT_TRUE(m_dialog.isVisible());
  };
  // A number beyond 32 bits reads as no number.
  for (const char* text : {"10", "1000", "", "0", "99999999999", "4294967295"}) {
    SCOPED_TRACE(text);
    Type(text);
    expectIgnored();
  }
  // The edit takes digits only, but whatever text it may still hold is read:
  // a negative number counts as a very large one.
  auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(&m_dialog, kPercent));
  Type("-1a2.");
  EXPECT_EQ(edit->text(), "12");
  for (const char* text : {"-50", "abc"}) {
    SCOPED_TRACE(text);
    edit->setText(text);
    expectIgnored();
  }
  EXPECT_EQ(updates.Count(), 0);
  Type("11");
  Press(kPreview);
  ExpectAt(m_b, 5000 + 550, 10000 + 1100);
  Type("999");
  Press(kOk);
  EXPECT_FALSE(m_dialog.isVisible());
  ExpectAt(m_b, 5000 + 49950, 10000 + 99900);
}

TEST_F(ScaleDlgTest, PreviewThenOkWithTheSameValueScalesOnce) {
  UpdateCounter updates(m_doc);
  Type("200");
  Press(kPreview);
  EXPECT_TRUE(m_dialog.isVisible());
  ExpectAt(m_b, 15000, 30000);
  Press(kPreview);
  Press(kOk);
  EXPECT_EQ(updates.Count(), 1);
  ExpectAt(m_b, 15000, 30000);
}

TEST_F(ScaleDlgTest, PreviewsAreCumulativeAndCancelTakesThemBack) {
  UpdateCounter updates(m_doc);
  Type("150");
  Press(kPreview);
  ExpectAt(m_b, 12500, 25000);
  Type("200");
  Press(kPreview);
  ExpectAt(m_b, 15000, 30000);
  Press(kCancel);
  EXPECT_FALSE(m_dialog.isVisible());
  EXPECT_EQ(m_dialog.result(), QDialog::Rejected);
  EXPECT_EQ(updates.Count(), 3);
  ExpectAt(m_a, 0, 0);
  ExpectAt(m_b, 10000, 20000);
  // Taken back, but changed on the way.
  EXPECT_TRUE(m_doc.IsModified());

  // Escape is Cancel too.
  m_dialog.show();
  Type("300");
  Press(kPreview);
  QTest::keyClick(&m_dialog, Qt::Key_Escape);
  EXPECT_FALSE(m_dialog.isVisible());
  ExpectAt(m_b, 10000, 20000);
}

TEST_F(ScaleDlgTest, UnchangedDialogClosesWithoutTouchingTheDocument) {
  UpdateCounter updates(m_doc);
  Type("100");
  Press(kOk);
  EXPECT_FALSE(m_dialog.isVisible());
  m_dialog.show();
  Press(kCancel);
  EXPECT_EQ(updates.Count(), 0);
  EXPECT_FALSE(m_doc.IsModified());
}

TEST(ScaleSelectionCommand, RunsTheDialogModally) {
  CTrassoDoc doc;
  TrackBuilder track(doc);
  TSNode* a = track.Node(0, 0);
  TSNode* b = track.Node(4000, 0);
  Select(a);
  Select(b);
  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(qobject_cast<CScaleDlg*>(dialog), nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Selection Scaling");
    QTest::keyClicks(GetDlgItem(dialog, kPercent), "50");
    QTest::keyClick(dialog, Qt::Key_Return);
  });
  OnScaleSelection(&doc);
  EXPECT_EQ(a->m_x, 1000);
  EXPECT_EQ(b->m_x, 3000);
}

TEST(ScaleSelectionCommand, IsEnabledBySelectedNodesOnly) {
  CTrassoDoc doc;
  TrackBuilder track(doc);
  TSPolygon* room = track.Section({track.Node(0, 0), track.Node(0, 5000), track.Node(5000, 5000)});
  track.Settle();
  EXPECT_FALSE(doc.OnUpdateScaleSelection());
  SelectWallsOnly(room);
  EXPECT_FALSE(doc.OnUpdateScaleSelection());
  Select(room->m_wallList[0]->m_pNode);
  EXPECT_TRUE(doc.OnUpdateScaleSelection());
}
}  // namespace
