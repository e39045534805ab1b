#pragma once
// Builds the compiler input in memory and hands it to the stream in large
// pieces: formatting each number with to_chars is several times faster than a
// formatted stream, and the whole track can run to tens of megabytes.

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

class CInputTextBuffer {
 public:
  explicit CInputTextBuffer(std::ostream& out) : m_out(out) { m_text.reserve(kChunk + 256); }

  CInputTextBuffer& Text(std::string_view text);
  CInputTextBuffer& Int(int value);
  // value × 0.001, printed in fixed notation with six decimals, like "%f".
  CInputTextBuffer& Thousandths(long long value);

  // Writes out what is buffered; returns whether the stream took everything so far.
  bool Flush();
  // The line, from 1, that the next text starts on.
  std::size_t Line() const { return m_nNewlines + 1; }

 private:
  static constexpr std::size_t kChunk = 1 << 16;
  void FlushIfFull();

  std::ostream& m_out;
  std::string m_text;
  std::size_t m_nNewlines = 0;  // only Text can hold line breaks
};
