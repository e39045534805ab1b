#include "shell/frame_layout.h"

#include <QMainWindow>
#include <QSettings>

namespace {
const QString kGeometryKey = QStringLiteral("Main Window/Geometry");
const QString kStateKey = QStringLiteral("Main Window/State");
// Raised when the bars change so that an older layout no longer fits them.
constexpr int kLayoutVersion = 1;
}  // namespace

void RestoreFrameLayout(QMainWindow& frame, const QSettings& settings) {
  frame.restoreGeometry(settings.value(kGeometryKey).toByteArray());
  frame.restoreState(settings.value(kStateKey).toByteArray(), kLayoutVersion);
}

void SaveFrameLayout(const QMainWindow& frame, QSettings& settings) {
  settings.setValue(kGeometryKey, frame.saveGeometry());
  settings.setValue(kStateKey, frame.saveState(kLayoutVersion));
}
