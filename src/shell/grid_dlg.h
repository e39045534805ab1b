#pragma once
// The Grid settings dialog: the distance between grid lines, typed as a length
// in world units with three decimals, as the panels show lengths.

#include <QDialog>

#include "model/track_length.h"

class CPrompts;
class QLineEdit;

class CGridDlg : public QDialog {
  Q_OBJECT

 public:
  // Shows `spacing`; a refused entry is explained through `prompts`.
  CGridDlg(TrackLength spacing, CPrompts& prompts, QWidget* parent = nullptr);

  // OK and Enter: keeps a spacing from 0.001 to 1000.000 and closes; anything
  // else (zero, negative, too large, no number) is explained and the dialog
  // stays open.
  void accept() override;
  // The spacing accepted last, or the one the dialog opened with.
  TrackLength GetSpacing() const { return m_spacing; }

 private:
  TrackLength m_spacing;
  CPrompts& m_prompts;
  QLineEdit* m_pSpacingEdit;
};
