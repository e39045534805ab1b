#pragma once
// What the document manager needs to know about one kind of document: its
// names and file type (the seven fields of its document string), how to make,
// read and write one, and how to open a window on it.

#include <QStringList>
#include <memory>
#include <string>

class CDocument;
class QWidget;

class CDocTemplate {
 public:
  // The fields of the document string, in its order.
  enum DocStringIndex {
    windowTitle,
    docName,  // base of the titles of untitled documents
    fileNewName,
    filterName,  // file dialog filter
    filterExt,   // default extension, with the dot
    regFileTypeId,
    regFileTypeName,
  };

  // `nIdResource` names the document string in the string table.
  explicit CDocTemplate(int nIdResource);
  virtual ~CDocTemplate() = default;

  QString GetDocString(DocStringIndex index) const;

  virtual std::unique_ptr<CDocument> CreateNewDocument() = 0;
  // Reads a document. Throws std::exception whose message says what is wrong.
  virtual std::unique_ptr<CDocument> LoadDocument(const std::string& path) = 0;
  // Writes the document and marks it unmodified. Throws std::exception on
  // failure, leaving the old file as it was.
  virtual void SaveDocument(CDocument& doc, const std::string& path) = 0;
  // A new window on `doc` (not owned by the window) showing its first view,
  // or null when the window cannot be created. The caller owns the window.
  virtual std::unique_ptr<QWidget> CreateFrame(CDocument& doc) = 0;

 private:
  QStringList m_fields;
};
