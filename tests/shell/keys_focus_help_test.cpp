// The keyboard and the mouse wheel in the whole editor: where the focus goes
// after a split, which keys the views take, F6 from anywhere in the window, the
// wheel over the panels' lists, and F1 when the desktop cannot show the help.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>

#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "platform/qt/dialog_template.h"
#include "resource_ids.h"
#include "shell/app_fixture.h"
#include "shell/child_frame.h"
#include "shell/main_frame.h"
#include "shell/selection_attr_bar.h"
#include "support/track_builder.h"
#include "view/trasso_view.h"
#include "view/zoom_bar.h"

namespace {
class KeysTest : public AppTest {
 protected:
  // The editor with one window on a selected square section, active.
  void StartOnSection() {
    ASSERT_TRUE(Start());
    m_doc = Documents()[0];
    TrackBuilder t(*m_doc);
    m_room = t.Section({t.Node(0, 0), t.Node(0, 9000), t.Node(9000, 9000), t.Node(9000, 0)});
    t.Settle();
    QApplication::setActiveWindow(App().GetMainWnd());
    Settle();
  }
  CChildFrame& Child() { return *App().GetActiveChildFrame(); }
  QWidget* Focus() const { return QApplication::focusWidget(); }

  CTrassoDoc* m_doc = nullptr;
  TSPolygon* m_room = nullptr;
};
}  // namespace

TEST_F(KeysTest, AfterASplitAndAJoinTheFocusIsOnTheActiveView) {
  StartOnSection();
  CSplitterWnd& splitter = Child().GetSplitter();
  splitter.DoKeyboardSplit();
  QTest::keyClick(&splitter, Qt::Key_Return);
  ASSERT_NE(splitter.GetPane(1, 1), nullptr);
  EXPECT_EQ(Focus(), Child().GetActiveView());
  EXPECT_NE(dynamic_cast<CTrassoView*>(Focus()), nullptr);

  splitter.DoKeyboardSplit();
  QTest::keyClick(&splitter, Qt::Key_Escape);
  EXPECT_EQ(Focus(), Child().GetActiveView());

  // Delete works at once in the new pane.
  SelectWallsOnly(m_room);
  QTest::keyClick(Focus(), Qt::Key_Delete);
  EXPECT_TRUE(m_doc->m_polygonList.empty());
}

TEST_F(KeysTest, InsertWithAModifierIsNotInsert) {
  StartOnSection();
  m_room->m_wallList[0]->m_bSelected = 1;
  m_room->m_wallList[1]->m_bSelected = 1;
  QWidget* view = Child().GetActiveView();
  for (Qt::KeyboardModifier modifier : {Qt::ControlModifier, Qt::ShiftModifier, Qt::AltModifier}) {
    QTest::keyClick(view, Qt::Key_Insert, modifier);
    QTest::keyClick(view, Qt::Key_Delete, modifier);
  }
  EXPECT_EQ(m_room->m_wallList.size(), 4u);
  EXPECT_FALSE(m_doc->IsModified());
  QTest::keyClick(view, Qt::Key_Insert);
  EXPECT_EQ(m_room->m_wallList.size(), 5u);
}

TEST_F(KeysTest, F6MovesBetweenPanesFromThePanelsToo) {
  StartOnSection();
  ASSERT_TRUE(Child().GetSplitter().SplitColumn(100));
  CView* first = Child().GetSplitter().GetPane(0, 0);
  CView* second = Child().GetSplitter().GetPane(0, 1);
  Child().SetActiveView(first);
  auto* field = App().GetMainWnd()->m_wndSelectionBar->findChild<QLineEdit*>();
  field->setFocus();
  QTest::keyClick(field, Qt::Key_F6);
  EXPECT_EQ(Focus(), second);
  QTest::keyClick(App().GetMainWnd()->m_wndZoomBar, Qt::Key_F6, Qt::ShiftModifier);
  EXPECT_EQ(Focus(), first);
}

TEST_F(KeysTest, TheWheelChangesAListOnlyWhenItHasTheFocusAndTheSliderPagesByAFifth) {
  StartOnSection();
  SelectWallsOnly(m_room);
  m_doc->UpdateAllViews(nullptr, 0, nullptr);
  constexpr int kWallTypeList = 1001;
  auto* list =
      static_cast<QComboBox*>(GetDlgItem(App().GetMainWnd()->m_wndSelectionBar, kWallTypeList));
  const int before = m_room->m_wallList[0]->m_nWallType;
  auto wheel = [list] {
    const QPointF at(list->width() / 2.0, list->height() / 2.0);
    QWheelEvent event(at, list->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(list, &event);
  };
  wheel();
  EXPECT_EQ(m_room->m_wallList[0]->m_nWallType, before);
  EXPECT_FALSE(m_doc->IsModified());
  list->setFocus();
  ASSERT_TRUE(list->hasFocus());
  wheel();
  EXPECT_NE(m_room->m_wallList[0]->m_nWallType, before);
  // The zoom slider pages by a fifth of its range, as the platform's track bars do.
  QSlider* slider = App().GetMainWnd()->m_wndZoomBar->m_wndSlider;
  slider->setValue(50);
  slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(slider->value(), 70);
}

// The opener's exit status tells whether the desktop could show the document.
TEST_F(KeysTest, HelpSaysWhenTheDesktopCannotShowTheDocument) {
  QDir(m_dir.path()).mkpath("work");
  QDir(m_dir.path()).mkpath("Help");
  QFile(m_dir.path() + "/Help/EditorHelp.doc").open(QIODevice::WriteOnly);
  ASSERT_TRUE(Start());
  const QString previous = QDir::currentPath();
  QDir::setCurrent(m_dir.path() + "/work");
  const QString opener = m_dir.path() + "/opener";
  for (int status : {0, 4, -1}) {  // -1: no opener at all
    QFile::remove(opener);
    if (status >= 0) {
      QFile script(opener);
      ASSERT_TRUE(script.open(QIODevice::WriteOnly));
      script.write(QStringLiteral("#!/bin/sh\ntest -f \"$1\" && touch '%1.ran'\nexit %2\n")
                       .arg(opener)
                       .arg(status)
                       .toUtf8());
      script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    }
    App().SetHelpOpener(opener);
    Prompts().m_boxes.clear();
    QFile::remove(opener + ".ran");
    App().OnHelp();
    if (status >= 0) QTRY_VERIFY(QFile::exists(opener + ".ran"));
    QTest::qWait(100);
    QTRY_COMPARE(Prompts().m_boxes.size(), status == 0 ? 0u : 1u);
    if (status != 0) EXPECT_EQ(Prompts().m_boxes[0].caption, "Trasso Help Error");
  }
  QDir::setCurrent(previous);
}
