#include "platform/byte_stream.h"

#include <algorithm>

#include "platform/archive_exception.h"

void ByteReader::Fill(std::size_t count) {
  if (!m_source || count > Remaining()) ThrowEnded(count);
  // The unread bytes move to the front, and the window grows for a record
  // larger than it; the source then fills it as far as the input goes.
  const std::size_t kept = m_buffered - m_pos;
  if (kept != 0) std::memmove(m_window.data(), m_data + m_pos, kept);
  if (m_window.size() < count) m_window.resize(count);
  m_base += m_pos;
  m_pos = 0;
  m_buffered = kept;
  m_data = m_window.data();
  const std::size_t goal = std::min(m_window.size(), Remaining());
  while (m_buffered < goal) {
    const std::size_t n = m_source->Read(m_window.data() + m_buffered, goal - m_buffered);
    if (n == 0)
      throw CArchiveException("the file became shorter while it was read", m_base + m_buffered);
    m_buffered += n;
  }
}

void ByteReader::ExpectSourceEnd() {
  std::uint8_t extra = 0;
  if (m_source && m_source->Read(&extra, 1) != 0) {
    throw CArchiveException("the file grew while it was read", m_size);
  }
}

void ByteReader::ThrowEnded(std::size_t count) const {
  throw CArchiveException("the file ends early: " + ByteCount(count) + " needed, " +
                              std::to_string(Remaining()) + " left",
                          Offset());
}
