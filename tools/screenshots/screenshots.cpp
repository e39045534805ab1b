// trasso-screenshots: the pictures of the user guide and the README, made by
// the editor itself on the offscreen platform, so they can be remade after
// every change to the look.
//   usage: trasso-screenshots OUT_DIR
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <string>

#include "cli/example_track.h"
#include "model/track_file.h"
#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "platform/qt/command_table.h"
#include "shell/child_frame.h"
#include "shell/main_frame.h"
#include "shell/trasso_app.h"
#include "view/trasso_view.h"

namespace {
// Selects every wall of one section, so the selection panel shows its
// textures and levels as it does right after drawing one.
void SelectSection(CTrassoDoc& doc, int index) {
  POSITION pos = doc.GetFirstPolygonPosition();
  for (int i = 0; pos && i < index; ++i) doc.GetNextPolygon(pos);
  if (!pos) return;
  for (auto& wall : doc.GetNextPolygon(pos)->m_wallList) doc.Select(*wall);
  doc.UpdateAllViews(nullptr);
}

bool Shoot(CMainFrame& frame, const QString& path) {
  QApplication::processEvents();
  if (frame.grab().save(path)) return true;
  std::fprintf(stderr, "trasso-screenshots: cannot write %s\n", qPrintable(path));
  return false;
}

bool ShootAll(CTrassoApp& app, const QString& outDir) {
  // The window keeps the size a track maker first sees.
  CMainFrame& frame = *app.GetMainWnd();
  if (!QTest::qWaitForWindowExposed(&frame)) return false;
  SelectSection(*app.GetActiveDocument(), 0);
  app.GetActiveView()->setFocus();
  if (!Shoot(frame, outDir + "/editor.png")) return false;

  // The grid under the loop, zoomed in far enough for lines every 2.000.
  CTrassoView& view = *app.GetActiveView();
  const double zoom = view.GetZoom();
  app.SetGridOptions({true, true, kDefaultGridSpacing});
  view.SetZoom(1.6);
  view.OnUpdate(nullptr, 0, nullptr);
  app.GetCommands().UpdateAll();  // the Snap to grid button shows pressed
  if (!Shoot(frame, outDir + "/grid.png")) return false;
  app.SetGridOptions({});
  view.SetZoom(zoom);
  view.OnUpdate(nullptr, 0, nullptr);

  // Four panes on the same track, each scrolled and zoomed on its own.
  CChildFrame& child = *app.GetActiveChildFrame();
  CSplitterWnd& splitter = child.GetSplitter();
  splitter.SplitColumn(child.width() / 2);
  splitter.SplitRow(child.height() / 2);
  return Shoot(frame, outDir + "/split_view.png");
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: trasso-screenshots OUT_DIR\n", stderr);
    return 2;
  }
  // The editor's settings (its recent files) stay out of the user's own.
  QTemporaryDir scratch;
  if (!scratch.isValid()) return 1;
  qputenv("XDG_CONFIG_HOME", scratch.path().toLocal8Bit());
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  const QString outDir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  QDir().mkpath(outDir);

  // The example track is opened from a file, as a track maker would, so its
  // window carries a file name.
  const std::string track = scratch.filePath(QStringLiteral("loop.tr")).toLocal8Bit().toStdString();
  {
    CTrassoDoc example;
    BuildExampleTrack(example);
    SaveTrackFile(example, track);
  }
  CTrassoApp app;
  if (!app.InitInstance({QString::fromLocal8Bit(track.c_str())})) return 1;
  return ShootAll(app, outDir) ? 0 : 1;
}
