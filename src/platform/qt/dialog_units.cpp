#include "platform/qt/dialog_units.h"

#include <cmath>

#include <QFont>
#include <QFontMetrics>

CDialogUnits::CDialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  // The average width over the 52 letters, rounded.
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  m_nCharWidth = (letters / 26 + 1) / 2;
  m_nCharHeight = metrics.height();
}

namespace {
// Rounds half away from zero, as the template conversion always has.
int MulDiv(int value, int numerator, int denominator) {
  return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}
}  // namespace

int CDialogUnits::XToPixels(int x) const {
  return MulDiv(x, m_nCharWidth, 4);
}

int CDialogUnits::YToPixels(int y) const {
  return MulDiv(y, m_nCharHeight, 8);
}

QSize CDialogUnits::ToPixels(QSize size) const {
  return {XToPixels(size.width()), YToPixels(size.height())};
}

QRect CDialogUnits::ToPixels(const QRect& rect) const {
  return {XToPixels(rect.x()), YToPixels(rect.y()), XToPixels(rect.width()),
          YToPixels(rect.height())};
}
