#include "platform/byte_stream.h"

#include "platform/archive_exception.h"

void ByteReader::ThrowEnded(std::size_t count) const {
  throw CArchiveException("the file ends early: " + ByteCount(count) + " needed, " +
                              std::to_string(Remaining()) + " left",
                          m_pos);
}
