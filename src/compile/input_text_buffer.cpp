#include "compile/input_text_buffer.h"

#include <algorithm>
#include <charconv>

CInputTextBuffer& CInputTextBuffer::Text(std::string_view text) {
  m_nNewlines += static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  m_text.append(text);
  FlushIfFull();
  return *this;
}

CInputTextBuffer& CInputTextBuffer::Int(int value) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  m_text.append(digits, result.ptr);
  return *this;
}

CInputTextBuffer& CInputTextBuffer::Thousandths(long long value) {
  // Below this size the product with 0.001 is off the exact quotient by less
  // than half a millionth, so rounded to six decimals it is the quotient: the
  // integer's digits, three decimals, three zeros. No track value comes near.
  constexpr long long kExactBelow = 1'000'000'000'000;
  if (value > -kExactBelow && value < kExactBelow) {
    char digits[32];
    char* end = digits;
    if (value < 0) *end++ = '-';
    const unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                                   : static_cast<unsigned long long>(value);
    end = std::to_chars(end, digits + sizeof digits, magnitude / 1000).ptr;
    const auto fraction = static_cast<unsigned>(magnitude % 1000);
    end[0] = '.';
    end[1] = static_cast<char>('0' + fraction / 100);
    end[2] = static_cast<char>('0' + fraction / 10 % 10);
    end[3] = static_cast<char>('0' + fraction % 10);
    end[4] = end[5] = end[6] = '0';
    m_text.append(digits, end + 7);
    return *this;
  }
  // A product with 0.001, not a quotient by 1000: the two can differ in the
  // last bit, which can show after rounding to six decimals.
  const double scaled = static_cast<double>(value) * 0.001;
  char digits[64];
  const auto result =
      std::to_chars(digits, digits + sizeof digits, scaled, std::chars_format::fixed, 6);
  m_text.append(digits, result.ptr);
  return *this;
}

void CInputTextBuffer::FlushIfFull() {
  if (m_text.size() >= kChunk) Flush();
}

bool CInputTextBuffer::Flush() {
  if (!m_text.empty() && m_out)
    m_out.write(m_text.data(), static_cast<std::streamsize>(m_text.size()));
  m_text.clear();
  return static_cast<bool>(m_out.flush());
}
