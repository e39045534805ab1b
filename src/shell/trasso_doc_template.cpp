#include "shell/trasso_doc_template.h"

#include "model/track_file.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "resource_ids.h"
#include "shell/child_frame.h"

CTrassoDocTemplate::CTrassoDocTemplate() : CDocTemplate(IDR_TRAXTYPE) {}

std::unique_ptr<CDocument> CTrassoDocTemplate::CreateNewDocument() {
  return std::make_unique<CTrassoDoc>();
}

std::unique_ptr<CDocument> CTrassoDocTemplate::LoadDocument(const std::string& path) {
  return LoadTrackFile(path);
}

void CTrassoDocTemplate::SaveDocument(CDocument& doc, const std::string& path) {
  SaveTrackFile(static_cast<CTrassoDoc&>(doc), path);
}

std::unique_ptr<QWidget> CTrassoDocTemplate::CreateFrame(CDocument& doc) {
  auto frame = std::make_unique<CChildFrame>(static_cast<CTrassoDoc*>(&doc));
  if (!frame->IsCreated()) return nullptr;
  return frame;
}
