#pragma once
// Dialog layouts measure in dialog units: x × (average character width of the
// dialog font) ÷ 4 and y × (character height) ÷ 8 pixels.

#include <QRect>
#include <QSize>

class QFont;

class CDialogUnits {
 public:
  explicit CDialogUnits(const QFont& font);

  int XToPixels(int x) const;
  int YToPixels(int y) const;
  QSize ToPixels(QSize size) const;
  QRect ToPixels(const QRect& rect) const;

 private:
  int m_nCharWidth;
  int m_nCharHeight;
};
