#include "shell/help_document.h"

#include <QDir>
#include <QFileInfo>

namespace {
const char* const kHelpDocument = "../Help/EditorHelp.doc";
// The installed layout: bin/trasso and share/doc/trasso/user-guide.html.
const char* const kInstalledGuide = "../share/doc/trasso/user-guide.html";

QString Resolve(const QString& folder, const char* relative) {
  return QDir::cleanPath(QDir(folder).absoluteFilePath(QString::fromLatin1(relative)));
}
}  // namespace

QStringList FindHelpDocuments(const QString& currentFolder, const QString& programFolder) {
  QStringList found;
  for (const QString& path :
       {Resolve(currentFolder, kHelpDocument), Resolve(programFolder, kInstalledGuide)}) {
    if (QFileInfo(path).isFile()) found.append(path);
  }
  return found;
}
