#pragma once
// The panel of the selection's attributes: wall, ceiling and floor textures,
// ceiling and floor levels, node position, and the type, elevation and angle of
// the items on the selected nodes. It keeps no values: every field is a fresh
// query of the document, and every choice or keystroke of the user is applied
// to the document at once.

#include <QWidget>

#include <array>
#include "view/panel_document_link.h"
#include "view/view_services.h"

class CTrassoDoc;
class QComboBox;
class QLineEdit;

class CSelectionAttrBar : public QWidget, public CDocumentPanel {
  Q_OBJECT

 public:
  // Builds the panel with its lists filled and every field disabled, since no
  // document is attached yet.
  explicit CSelectionAttrBar(QWidget* parent = nullptr);

  // Serves `doc` (not owned) and refreshes, unless it is already served.
  void AttachDocument(CTrassoDoc* doc) override;
  // Serves no document and refreshes, if `doc` is the one served.
  void DetachDocument(CTrassoDoc* doc) override;
  // Re-reads all ten values from the served document. Never changes it.
  void UpdateFromDocument() override;

  CTrassoDoc* GetDocument() const { return m_pDocument; }

 private:
  using Operation = int (CTrassoDoc::*)(int);
  struct ListField {
    QComboBox* list;
    Operation apply;
  };
  struct EditField {
    QLineEdit* edit;
    Operation apply;
    int nMin;
    int nMax;
  };

  void BindFields();
  void FillLists();
  void OnListChosen(const ListField& field);
  void OnEditChanged(const EditField& field);

  // In the order the document is queried: wall, ceiling, floor and item type;
  // floor level, ceiling level, X, Y, Z and angle.
  std::array<ListField, 4> m_lists{};
  std::array<EditField, 6> m_edits{};
  CTrassoDoc* m_pDocument = nullptr;
  // Refreshes the panel after undo, redo and changes made elsewhere.
  CPanelDocumentLink m_link{this, ~0u, [this] { UpdateFromDocument(); }};
};
