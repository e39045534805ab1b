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
