#pragma once
// The modal dialog of Scale selection: the user types a whole percentage, may
// try it on the track (Preview), and then keeps it (OK) or takes the track
// back to exactly what it was when the dialog opened (Cancel). The dialog
// holds one step of the history open from its first scaling, so OK makes one
// step and Cancel none.

#include <QDialog>

class CTrassoDoc;
class QLineEdit;

class CScaleDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CScaleDlg(CTrassoDoc* doc, QWidget* parent = nullptr);
  ~CScaleDlg() override;

  // Scales the selection to the typed percentage of its size when the dialog
  // opened; the dialog stays open. An invalid percentage does nothing.
  void OnPreview();
  // OK and Enter: applies the typed percentage and closes; an invalid one
  // leaves the dialog open and the track as it is.
  void accept() override;
  // Cancel, Escape and the close box: takes back every preview and closes.
  void reject() override;

 private:
  // The typed percentage as the unsigned number the checks expect: empty text
  // or text without a number reads 0, a negative number very large.
  unsigned ReadPercent() const;
  void ScaleTo(unsigned percent);
  void CloseStep(bool keep);

  CTrassoDoc* m_pDoc;
  bool m_bStepOpen = false;  // from the first scaling until OK or Cancel
  // How far, in percent, the selection now differs from its size when the
  // dialog opened.
  double m_dPercent = 100.0;
  QLineEdit* m_pPercentEdit;
};

// The Scale selection command: runs the dialog for `doc` modally.
void OnScaleSelection(CTrassoDoc* doc, QWidget* parent = nullptr);
