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

// Two selected nodes about the centre (5000, 10000), shown in the dialog.
class ScaleDlg : public testing::Test {
 protected:
  void SetUp() override {
    m_track.Settle();
    Select(m_a);
    Select(m_b);
    m_dialog.show();
  }
  QLineEdit* Edit() { return qobject_cast<QLineEdit*>(GetDlgItem(&m_dialog, kPercent)); }
  void Type(const QString& text) {
    QTest::keyClick(Edit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Edit(), Qt::Key_Backspace);
    QTest::keyClicks(Edit(), text);
  }
  void Press(int id) { QTest::mouseClick(qobject_cast<QPushButton*>(GetDlgItem(&m_dialog, id)), Qt::LeftButton); }
  std::vector<TrackLength> Positions() const { return {m_a->m_x, m_a->m_y, m_b->m_x, m_b->m_y}; }
  using Is = std::vector<TrackLength>;

  CTrassoDoc m_doc;
  TrackBuilder m_track{m_doc};
  TSNode* m_a = m_track.Node(0, 0);
  TSNode* m_b = m_track.Node(10000, 20000);
  CScaleDlg m_dialog{&m_doc};
  UpdateCounter m_updates{m_doc};
};
}  // namespace

TEST_F(ScaleDlg, OkScalesTheSelectedNodesAboutTheirCentreTruncatingTowardZero) {
  TSNode* unselected = m_track.Node(1, 1);
  Type("200");
  QTest::keyClick(&m_dialog, Qt::Key_Return);
  EXPECT_FALSE(m_dialog.isVisible());
  EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
  EXPECT_EQ(Positions(), (Is{-5000, -10000, 15000, 30000}));
  EXPECT_EQ(unselected->m_x, 1);
  EXPECT_TRUE(m_doc.IsModified());

  m_a->m_x = m_a->m_y = 0;
  m_b->m_x = m_b->m_y = 3;
  CScaleDlg shrink(&m_doc);
  shrink.show();
  QTest::keyClicks(GetDlgItem(&shrink, kPercent), "50");
  QTest::keyClick(&shrink, Qt::Key_Return);
  EXPECT_EQ(Positions(), (Is{0, 0, 2, 2}));
}

TEST_F(ScaleDlg, OnlyPercentagesFrom11To999AreTaken) {
  const auto expectIgnored = [&](const char* text) {
    Press(kPreview);
    Press(kOk);
    EXPECT_TRUE(m_dialog.isVisible()) << text;
  };
  // A number beyond 32 bits reads as no number.
  for (const char* text : {"10", "1000", "", "0", "99999999999", "4294967295"}) {
    Type(text);
    expectIgnored(text);
  }
  // The edit takes digits only, but whatever text it may still hold is read:
  // a negative number counts as a very large one.
  Type("-1a2.");
  EXPECT_EQ(Edit()->text(), "12");
  for (const char* text : {"-50", "abc"}) {
    Edit()->setText(text);
    expectIgnored(text);
  }
  EXPECT_EQ(m_updates.Count(), 0);
  Type("11");
  Press(kPreview);
  EXPECT_EQ(Positions()[2], 5000 + 550);
  Type("999");
  Press(kOk);
  EXPECT_FALSE(m_dialog.isVisible());
  EXPECT_EQ(Positions()[3], 10000 + 99900);
}

TEST_F(ScaleDlg, PreviewsAreCumulativeOkAfterThemScalesNoMoreAndCancelTakesThemBack) {
  Type("150");
  Press(kPreview);
  EXPECT_EQ(Positions(), (Is{-2500, -5000, 12500, 25000}));
  Type("200");
  Press(kPreview);
  Press(kPreview);
  EXPECT_TRUE(m_dialog.isVisible());
  EXPECT_EQ(Positions(), (Is{-5000, -10000, 15000, 30000}));
  Press(kCancel);
  EXPECT_FALSE(m_dialog.isVisible());
  EXPECT_EQ(m_dialog.result(), QDialog::Rejected);
  EXPECT_EQ(m_updates.Count(), 3);
  EXPECT_EQ(Positions(), (Is{0, 0, 10000, 20000}));
  // Taken back, but changed on the way.
  EXPECT_TRUE(m_doc.IsModified());

  // Escape is Cancel too; Ok after a preview of the same value scales no more.
  m_dialog.show();
  Type("300");
  Press(kPreview);
  QTest::keyClick(&m_dialog, Qt::Key_Escape);
  EXPECT_FALSE(m_dialog.isVisible());
  EXPECT_EQ(Positions(), (Is{0, 0, 10000, 20000}));
  m_dialog.show();
  Type("200");
  Press(kPreview);
  Press(kOk);
  EXPECT_EQ(Positions(), (Is{-5000, -10000, 15000, 30000}));
}

TEST_F(ScaleDlg, AnUnchangedDialogClosesWithoutTouchingTheDocument) {
  Type("100");
  Press(kOk);
  EXPECT_FALSE(m_dialog.isVisible());
  m_dialog.show();
  Press(kCancel);
  EXPECT_EQ(m_updates.Count(), 0);
  EXPECT_FALSE(m_doc.IsModified());
}

TEST(ScaleSelectionCommand, IsEnabledBySelectedNodesAndRunsTheDialogModally) {
  CTrassoDoc doc;
  TrackBuilder track(doc);
  TSPolygon* room = track.Section({track.Node(0, 0), track.Node(0, 4000), track.Node(4000, 0)});
  track.Settle();
  EXPECT_FALSE(doc.OnUpdateScaleSelection());
  SelectWallsOnly(room);
  EXPECT_FALSE(doc.OnUpdateScaleSelection());
  Select(room);
  EXPECT_TRUE(doc.OnUpdateScaleSelection());
  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(qobject_cast<CScaleDlg*>(dialog), nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Selection Scaling");
    QTest::keyClicks(GetDlgItem(dialog, kPercent), "50");
    QTest::keyClick(dialog, Qt::Key_Return);
  });
  OnScaleSelection(&doc);
  EXPECT_EQ(Outline(room)[2]->m_x, 3000);
}
