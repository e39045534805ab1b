#include "numbers.h"

#include <limits>

namespace mapforge {
namespace {
constexpr std::int64_t kLimit = std::int64_t{1} << 40;  // far beyond 32 bits, far below overflow

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool Negated(std::string_view& text) {
  if (text.empty() || text.front() != '-') return false;
  text.remove_prefix(1);
  return true;
}

// Digits into `value`; false when there are none or too many to matter.
bool Digits(std::string_view text, std::int64_t& value) {
  if (text.empty()) return false;
  value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return false;
    value = value * 10 + (c - '0');
    if (value > kLimit) return false;
  }
  return true;
}

bool Fit(std::int64_t value, bool negative, std::int32_t& out) {
  if (negative) value = -value;
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    return false;
  }
  out = static_cast<std::int32_t>(value);
  return true;
}
}  // namespace

bool ParseWholeNumber(std::string_view text, std::int32_t& value) {
  const bool negative = Negated(text);
  std::int64_t magnitude = 0;
  return Digits(text, magnitude) && Fit(magnitude, negative, value);
}

bool ParseThousandths(std::string_view text, std::int32_t& value) {
  const bool negative = Negated(text);
  const std::size_t point = text.find('.');
  std::int64_t whole = 0;
  if (!Digits(text.substr(0, point), whole)) return false;
  std::int64_t thousandths = 0;
  if (point != std::string_view::npos) {
    const std::string_view fraction = text.substr(point + 1);
    if (fraction.empty()) return false;
    for (std::size_t i = 0; i < fraction.size(); ++i) {
      if (!IsDigit(fraction[i])) return false;
      if (i < 3) thousandths += (fraction[i] - '0') * (i == 0 ? 100 : i == 1 ? 10 : 1);
      if (i == 3 && fraction[i] >= '5') ++thousandths;
    }
  }
  return Fit(whole * 1000 + thousandths, negative, value);
}

}  // namespace mapforge
