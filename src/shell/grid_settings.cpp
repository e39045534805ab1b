#include "shell/grid_settings.h"

#include <QSettings>

namespace {
const QString kShow = QStringLiteral("Grid/Show");
const QString kSnap = QStringLiteral("Grid/Snap");
const QString kSpacing = QStringLiteral("Grid/Spacing");
}  // namespace

GridOptions LoadGridOptions(QSettings& settings) {
  GridOptions options;
  options.bShow = settings.value(kShow, false).toBool();
  options.bSnap = settings.value(kSnap, false).toBool();
  bool ok = false;
  const int spacing = settings.value(kSpacing, kDefaultGridSpacing).toInt(&ok);
  if (ok && spacing > 0) options.spacing = spacing;
  return options;
}

void SaveGridOptions(QSettings& settings, const GridOptions& options) {
  settings.setValue(kShow, options.bShow);
  settings.setValue(kSnap, options.bSnap);
  settings.setValue(kSpacing, options.spacing);
}
