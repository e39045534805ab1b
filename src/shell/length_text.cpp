#include "shell/length_text.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>

#include "model/trasso_doc.h"

namespace {
// QApplication adopts the user's locale, which may want a decimal comma; the
// fields always use a decimal point.
locale_t ClassicLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
  return locale;
}
}  // namespace

std::string FormatLength(int value) {
  if (value == SEL_VALUE_NONE || value == SEL_VALUE_MIXED) return {};
  char buffer[32];
  const auto result = std::to_chars(std::begin(buffer), std::end(buffer), value * 0.001,
                                    std::chars_format::fixed, 3);
  return std::string(buffer, result.ptr);
}

int ParseLength(const std::string& text, int nMin, int nMax) {
  char* end = nullptr;
  const double number = strtod_l(text.c_str(), &end, ClassicLocale());
  if (end == text.c_str() || std::isnan(number)) return SEL_VALUE_MIXED;
  // Compared in double before any conversion, so that a number beyond every
  // bound, infinity included, never reaches an integer conversion.
  const double scaled = number * 1000.0;
  if (scaled <= nMin) return nMin;
  if (scaled >= nMax) return nMax;
  return static_cast<int>(scaled);
}
