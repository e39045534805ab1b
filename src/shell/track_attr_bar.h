#pragma once
// The panel of the track's own attributes: the file name of the background
// image and the free-text description. It keeps no copy: it shows the
// document's texts and writes every change of the user straight back.

#include <QWidget>

#include "view/panel_document_link.h"
#include "view/view_services.h"

class CTrassoDoc;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CTrackAttrBar : public QWidget, public CDocumentPanel {
  Q_OBJECT

 public:
  // Builds the panel with every field disabled, since no document is attached.
  explicit CTrackAttrBar(QWidget* parent = nullptr);

  // Serves `doc` (not owned) and refreshes, unless it is already served.
  void AttachDocument(CTrassoDoc* doc) override;
  // Serves no document and refreshes, if `doc` is the one served.
  void DetachDocument(CTrassoDoc* doc) override;
  // Shows the served document's texts, or disabled empty fields without one.
  void UpdateFromDocument() override;
  // Lets the user pick the background image with a file dialog; a chosen file
  // becomes the background with its full path. Does nothing without a document.
  void OnBrowseBackground();

  CTrassoDoc* GetDocument() const { return m_pDocument; }

 private:
  void OnBackgroundChanged();
  void OnDescriptionChanged();

  QPushButton* m_pBrowseButton;
  QLineEdit* m_pBackgroundEdit;
  QPlainTextEdit* m_pDescriptionEdit;
  CTrassoDoc* m_pDocument = nullptr;
  bool m_bFilling = false;  // set while the panel fills the description itself
  // Refreshes the panel after undo and redo.
  CPanelDocumentLink m_link{this, TrackChange::kAttributes, [this] { UpdateFromDocument(); }};
};
