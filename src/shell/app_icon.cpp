#include "shell/app_icon.h"

#include <QDir>

// One picture per size, each in a folder named after it ("16x16"), so that
// every size is drawn for its own pixels rather than scaled from another.
QIcon AppIcon() {
  QIcon icon;
  for (const QString& size : QDir(QStringLiteral(":/icons")).entryList())
    icon.addFile(QStringLiteral(":/icons/%1/trasso.png").arg(size));
  return icon;
}
