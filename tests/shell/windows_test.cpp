// The open windows in the Window menu, and the program's icon on every window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <cstdlib>

#include "app_fixture.h"
#include "resource_ids.h"
#include "shell/about_dlg.h"
#include "shell/main_frame.h"

namespace {
struct Windows : AppTest {
  // The shown entries of the list, "*" after the checked one.
  std::string WindowList() {
    Settle();
    std::string list;
    for (int i = 0; i < 9; ++i) {
      const QAction* entry = Command(AFX_IDM_FIRST_MDICHILD + i);
      if (!entry->isVisible()) continue;
      list += (list.empty() ? "" : " | ") + entry->text().toStdString();
      if (entry->isChecked()) list += '*';
    }
    return list;
  }
  QMdiSubWindow* Active() { return App().GetMainWnd()->GetMdiArea()->activeSubWindow(); }
};

TEST_F(Windows, TheWindowMenuListsTheOpenWindowsAndActivatesTheOneChosen) {
  ASSERT_TRUE(Start({QString::fromStdString(WriteTrack("r&d.tr"))}));
  CTrassoDoc* track = Docs()[0];
  Trigger(ID_WINDOW_NEW);
  Trigger(ID_FILE_NEW);
  Docs()[0]->AddNode(0, 0, false);  // the mark of changes stays out of the list
  EXPECT_EQ(WindowList(), "&1 r&&d.tr:1 | &2 r&&d.tr:2 | &3 Trax1*");
  EXPECT_EQ(Command(AFX_IDM_FIRST_MDICHILD)->statusTip(), "Activate this window");

  Frames(track)[1]->showMinimized();
  Trigger(AFX_IDM_FIRST_MDICHILD + 1);  // restored and active
  EXPECT_EQ(Active(), Frames(track)[1]);
  EXPECT_FALSE(Frames(track)[1]->isMinimized());
  Trigger(AFX_IDM_FIRST_MDICHILD);
  EXPECT_EQ(Active(), Frames(track)[0]);
  EXPECT_EQ(WindowList(), "&1 r&&d.tr:1* | &2 r&&d.tr:2 | &3 Trax1");
  EXPECT_EQ(App().GetMainWnd()->windowTitle(), "Trasso(v1.01) - r&d.tr:1[*]");

  App().GetDocManager().OnFileClose(*Docs()[1]);
  Command(AFX_IDM_FIRST_MDICHILD + 2)->trigger();  // from a menu older than the close: nothing
  EXPECT_EQ(WindowList(), "&1 r&&d.tr:1* | &2 r&&d.tr:2");
  for (int i = 0; i < 8; ++i) Trigger(ID_WINDOW_NEW);  // ten windows, nine listed
  const std::string list = WindowList();
  EXPECT_EQ(list.substr(list.rfind(" | ") + 3), "&9 r&&d.tr:9");
  Trigger(AFX_IDM_FIRST_MDICHILD + 8);
  EXPECT_EQ(Active(), Frames(track)[8]);
}

// The icon of the desktop entry, not the toolkit's logo, on the main window, a
// dialog and every track window.
TEST_F(Windows, EveryWindowShowsTheProgramsIcon) {
  ASSERT_TRUE(Start());
  const QImage small =
      QImage(":/icons/16x16/trasso.png").convertToFormat(QImage::Format_ARGB32_Premultiplied);
  ASSERT_FALSE(small.isNull());
  EXPECT_EQ(QApplication::windowIcon().pixmap(16).toImage().convertToFormat(small.format()), small);
  CAboutDlg about(App().GetMainWnd());
  for (const QWidget* window :
       {static_cast<QWidget*>(App().GetMainWnd()), static_cast<QWidget*>(&about)})
    EXPECT_EQ(window->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());

  // A track window draws the icon in its title bar, scaled to fit: its dark
  // blue ground shows near the top left corner, where the toolkit's logo is
  // green.
  Trigger(ID_WINDOW_NEW);
  for (QMdiSubWindow* frame : Frames(Docs()[0])) {
    const QImage shown = frame->grab().toImage();
    int ground = 0;
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 32; ++x) {
        const QColor c = shown.pixelColor(x, y);
        ground +=
            std::abs(c.red() - 0x23) + std::abs(c.green() - 0x37) + std::abs(c.blue() - 0x4d) < 40;
      }
    }
    EXPECT_GT(ground, 20) << frame->windowTitle().toStdString();
  }
}
}  // namespace
