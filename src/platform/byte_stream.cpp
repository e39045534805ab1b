#include "platform/byte_stream.h"

#include "platform/archive_exception.h"

void ByteWriter::U16(std::uint16_t value) {
  m_out.push_back(static_cast<std::uint8_t>(value));
  m_out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void ByteWriter::U32(std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    m_out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void ByteWriter::Bytes(std::string_view bytes) {
  m_out.insert(m_out.end(), bytes.begin(), bytes.end());
}

void ByteReader::Need(std::size_t count) const {
  if (count > Remaining()) {
    throw CArchiveException("the file ends early: " + ByteCount(count) + " needed, " +
                                std::to_string(Remaining()) + " left",
                            m_pos);
  }
}

std::uint8_t ByteReader::U8() {
  Need(1);
  return m_in[m_pos++];
}

std::uint16_t ByteReader::U16() {
  Need(2);
  const auto value = static_cast<std::uint16_t>(m_in[m_pos] | (m_in[m_pos + 1] << 8));
  m_pos += 2;
  return value;
}

std::uint32_t ByteReader::U32() {
  Need(4);
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | m_in[m_pos + static_cast<std::size_t>(i)];
  m_pos += 4;
  return value;
}

std::string ByteReader::Bytes(std::size_t count) {
  Need(count);
  std::string bytes(reinterpret_cast<const char*>(m_in.data() + m_pos), count);
  m_pos += count;
  return bytes;
}
