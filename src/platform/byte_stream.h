#pragma once
// Little-endian integers over a byte buffer, independent of the host's byte
// order. The reader checks every length against the bytes left and throws
// CArchiveException instead of reading past the end.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class ByteWriter {
 public:
  explicit ByteWriter(std::vector<std::uint8_t>& out) : m_out(out) {}

  void U8(std::uint8_t value) { m_out.push_back(value); }
  void U16(std::uint16_t value);
  void U32(std::uint32_t value);
  void Bytes(std::string_view bytes);

 private:
  std::vector<std::uint8_t>& m_out;
};

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> in) : m_in(in) {}

  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  // `count` bytes as they stand.
  std::string Bytes(std::size_t count);

  std::size_t Offset() const { return m_pos; }
  std::size_t Remaining() const { return m_in.size() - m_pos; }
  // Throws unless `count` more bytes are left.
  void Need(std::size_t count) const;

 private:
  std::span<const std::uint8_t> m_in;
  std::size_t m_pos = 0;
};
