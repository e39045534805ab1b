#pragma once
// Where F1 finds something to show. A help document kept beside the working
// folder comes first, as track makers who keep their own help there expect;
// otherwise the user guide that is installed with the programs (an HTML page
// any desktop opens) is shown.

#include <QString>
#include <QStringList>

// The help documents that exist, as absolute paths, in the order F1 tries
// them: "../Help/EditorHelp.doc" relative to `currentFolder`, then the guide in
// share/doc/trasso beside the folder of `programFolder` (the editor's bin/).
QStringList FindHelpDocuments(const QString& currentFolder, const QString& programFolder);
