#pragma once
// Little-endian integers over a byte buffer, independent of the host's byte
// order. The reader checks every length against the bytes left and throws
// CArchiveException instead of reading past the end. Both are inline: the
// archive reads and writes a few million integers per large track.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The little-endian u32 at `at`, and its store.
inline std::uint32_t LoadU32(const std::uint8_t* at) {
  return std::uint32_t{at[0]} | std::uint32_t{at[1]} << 8 | std::uint32_t{at[2]} << 16 |
         std::uint32_t{at[3]} << 24;
}
inline void StoreU32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

class ByteWriter {
 public:
  explicit ByteWriter(std::vector<std::uint8_t>& out) : m_out(out) {}

  void U8(std::uint8_t value) { m_out.push_back(value); }
  void U16(std::uint16_t value) {
    std::uint8_t* at = Grow(2);
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
  }
  void U32(std::uint32_t value) {
    StoreU32(Grow(4), value);
  }
  void Bytes(std::string_view bytes) {
    if (!bytes.empty()) std::memcpy(Grow(bytes.size()), bytes.data(), bytes.size());
  }
  // Room for `count` bytes at the end, for a caller that fills a record at once.
  std::uint8_t* Grow(std::size_t count) {
    const std::size_t at = m_out.size();
    m_out.resize(at + count);
    return m_out.data() + at;
  }

 private:
  std::vector<std::uint8_t>& m_out;
};

// Where a reader gets the bytes of an input it does not hold whole.
class ByteSource {
 public:
  // Up to `most` of the next bytes into `to`; 0 only at the end. Throws when
  // the bytes cannot be read.
  virtual std::size_t Read(std::uint8_t* to, std::size_t most) = 0;

 protected:
  ~ByteSource() = default;
};

class ByteReader {
 public:
  // A window of this many bytes stays in the processor's cache while it is
  // parsed, and a large file needs no buffer of its own size.
  static constexpr std::size_t kWindowBytes = std::size_t{256} << 10;

  explicit ByteReader(std::span<const std::uint8_t> in)
      : m_data(in.data()), m_buffered(in.size()), m_size(in.size()) {}
  // The `size` bytes of `source`, read a window at a time as they are needed;
  // a small input takes no more than its size.
  ByteReader(ByteSource& source, std::size_t size, std::size_t window)
      : m_size(size), m_source(&source), m_window(std::min(window, size)) {}

  std::uint8_t U8() {
    Need(1);
    return m_data[m_pos++];
  }
  std::uint16_t U16() {
    Need(2);
    const auto value = static_cast<std::uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
    m_pos += 2;
    return value;
  }
  std::uint32_t U32() {
    return LoadU32(Take(4));
  }
  // The next `count` bytes, checked once, for a caller that reads a record at
  // once. Valid until the next read.
  const std::uint8_t* Take(std::size_t count) {
    Need(count);
    const std::uint8_t* at = m_data + m_pos;
    m_pos += count;
    return at;
  }
  // `count` bytes as they stand.
  std::string Bytes(std::size_t count) {
    const std::uint8_t* at = Take(count);
    return std::string(reinterpret_cast<const char*>(at), count);
  }

  std::size_t Offset() const { return m_base + m_pos; }
  std::size_t Remaining() const { return m_size - Offset(); }
  // Throws unless `count` more bytes are left; they are then at hand.
  void Need(std::size_t count) {
    if (count > m_buffered - m_pos) [[unlikely]]
      Fill(count);
  }
  // Throws if the source holds more than the size it was given: a file that
  // grew while it was read.
  void ExpectSourceEnd();

 private:
  // Brings `count` bytes into the window, or throws.
  void Fill(std::size_t count);
  [[noreturn]] void ThrowEnded(std::size_t count) const;

  const std::uint8_t* m_data = nullptr;  // the bytes at hand; m_data[0] is byte m_base
  std::size_t m_buffered = 0;
  std::size_t m_pos = 0;
  std::size_t m_base = 0;
  std::size_t m_size;
  ByteSource* m_source = nullptr;
  std::vector<std::uint8_t> m_window;
};
