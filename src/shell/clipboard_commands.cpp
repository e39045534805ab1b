// Cut, Copy and Paste through the system clipboard. The clipboard holds a
// track in the file layout under the MIME type of track documents, so tracks
// move between windows, documents and running editors alike. The copied
// nodes keep their own coordinates: that is where the track was copied from.
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QMimeData>
#include <span>

#include "model/track_clipboard.h"
#include "model/track_file.h"
#include "model/trasso_doc.h"
#include "platform/qt/command_table.h"
#include "platform/qt/status_bar.h"
#include "resource_ids.h"
#include "shell/trasso_app.h"
#include "view/trasso_view.h"

namespace {

const QString kTrackMimeType = QStringLiteral("application/x-trax-document");

void CopyToClipboard(const CTrassoDoc& doc) {
  const std::vector<std::uint8_t> bytes = CopySelection(doc);
  auto* data = new QMimeData;
  data->setData(kTrackMimeType, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                           static_cast<qsizetype>(bytes.size())));
  QApplication::clipboard()->setMimeData(data);
}

bool ClipboardHoldsTrack() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  return data && data->hasFormat(kTrackMimeType);
}

// The world point under the mouse pointer, when the pointer is over the view
// and no other window covers it there.
std::optional<TrackVector> PointerOver(CTrassoView& view) {
  const QWidget* under = QApplication::widgetAt(QCursor::pos());
  if (!under || (under != &view && !view.isAncestorOf(under))) return std::nullopt;
  const QPoint device = view.mapFromGlobal(QCursor::pos());
  const WorldPoint world = view.LogicalToWorld(view.GetClientDC().DPtoLP(device));
  return TrackVector{world.x, world.y};
}

void ShowMessage(CStatusBar* statusBar, const QString& text) {
  if (statusBar) statusBar->SetPaneText(statusBar->CommandToIndex(ID_SEPARATOR), text);
}

}  // namespace

void CTrassoApp::WireClipboardCommands() {
  CCommandTable& commands = *m_pCommands;
  commands.OnCommand(ID_EDIT_COPY, [this] {
    if (const CTrassoDoc* doc = GetActiveDocument()) CopyToClipboard(*doc);
  });
  commands.OnUpdate(ID_EDIT_COPY, [this](CCmdUI& ui) {
    const CTrassoDoc* doc = GetActiveDocument();
    ui.Enable(doc && CanCopySelection(*doc));
  });
  // The view cuts, so that the path it is tracing drops the deleted nodes.
  // Selected walls alone leave no whole section to copy, but are still cut.
  commands.OnCommand(ID_EDIT_CUT, [this] {
    if (CTrassoView* view = GetActiveView()) {
      if (CanCopySelection(*view->GetDocument())) CopyToClipboard(*view->GetDocument());
      view->OnCutSelection();
    }
  });
  commands.OnUpdate(ID_EDIT_CUT, [this](CCmdUI& ui) {
    const CTrassoView* view = GetActiveView();
    ui.Enable(view && view->CanCutSelection());
  });

  commands.OnCommand(ID_EDIT_PASTE, [this] {
    CTrassoView* view = GetActiveView();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!view || !data) return;
    const QByteArray bytes = data->data(kTrackMimeType);
    std::unique_ptr<CTrassoDoc> track;
    try {
      track = LoadTrackBytes(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                       static_cast<std::size_t>(bytes.size())));
    } catch (const std::exception& error) {
      ShowMessage(GetStatusBar(),
                  QStringLiteral("Cannot paste: ") + QString::fromLocal8Bit(error.what()));
      return;
    }
    const TrackVector offset = PasteOffset(*track, PointerOver(*view));
    view->GetDocument()->PasteTrack(*track, offset.x, offset.y);
  });
  commands.OnUpdate(ID_EDIT_PASTE,
                    [this](CCmdUI& ui) { ui.Enable(GetActiveView() && ClipboardHoldsTrack()); });
  // Another program may fill or empty the clipboard at any time.
  connect(QApplication::clipboard(), &QClipboard::dataChanged, m_pCommands.get(),
          &CCommandTable::RequestUpdate);
}
