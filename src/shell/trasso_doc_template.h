#pragma once
// The one kind of document of the editor: tracks in .tr files, each window a
// child frame of plan views.

#include "platform/qt/doc_template.h"

class CTrassoDocTemplate : public CDocTemplate {
 public:
  CTrassoDocTemplate();

  std::unique_ptr<CDocument> CreateNewDocument() override;
  std::unique_ptr<CDocument> LoadDocument(const std::string& path) override;
  void SaveDocument(CDocument& doc, const std::string& path) override;
  std::unique_ptr<QWidget> CreateFrame(CDocument& doc) override;
};
