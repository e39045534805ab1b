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

TEST_F(KeysTest, TheWheelChangesAListOnlyWhenItHasTheFocus) {
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
}

TEST_F(KeysTest, TheZoomSliderPagesByAFifthOfItsRange) {
  StartOnSection();
  QSlider* slider = App().GetMainWnd()->m_wndZoomBar->m_wndSlider;
  const int before = slider->value();
  slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(slider->value(), std::min(before + 20, slider->maximum()));
}

TEST_F(KeysTest, HelpTriesEachDocumentThenSaysWhenTheDesktopCannotShowAny) {
  QDir(m_dir.path()).mkpath("work");
  QDir(m_dir.path()).mkpath("Help");
  QFile(m_dir.path() + "/Help/EditorHelp.doc").open(QIODevice::WriteOnly);
  const QString log = m_dir.path() + "/opened";
  const QString opener = m_dir.path() + "/opener";
  auto writeOpener = [&](int status) {
    QFile script(opener);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
    script.write(QStringLiteral("#!/bin/sh\necho \"$1\" >> '%1'\nexit %2\n")
                     .arg(log)
                     .arg(status)
                     .toUtf8());
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  };
  ASSERT_TRUE(Start());
  const QString previous = QDir::currentPath();
  QDir::setCurrent(m_dir.path() + "/work");
  auto help = [&] {
    Prompts().m_boxes.clear();
    QFile::remove(log);
    App().OnHelp();
    QTRY_VERIFY(QFile::exists(log));
    QTest::qWait(200);
  };

  writeOpener(0);
  App().SetHelpOpener(opener);
  help();
  EXPECT_TRUE(Prompts().m_boxes.empty());

  writeOpener(4);
  help();
  QTRY_COMPARE(Prompts().m_boxes.size(), 1u);
  EXPECT_EQ(Prompts().m_boxes[0].caption, "Trasso Help Error");

  App().SetHelpOpener(m_dir.path() + "/no-such-opener");
  Prompts().m_boxes.clear();
  App().OnHelp();
  QTRY_COMPARE(Prompts().m_boxes.size(), 1u);
  QDir::setCurrent(previous);
}
