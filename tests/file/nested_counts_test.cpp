// A hostile file of lists nested in lists, each count claiming half of the
// bytes after it: each claim alone is possible, all together are not. Loading
// must refuse it without reserving memory for every claim.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string_view>
#include <vector>

#include "model/track_file.h"
#include "platform/archive_exception.h"

namespace {
std::atomic<std::size_t> g_allocated{0};
}  // namespace

// Counts what the program asks for; freeing is left to malloc's bookkeeping.
void* operator new(std::size_t size) {
  g_allocated += size;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace {
using namespace std::string_view_literals;

class NestedLists {
 public:
  // `units` times: a wall with a new node whose wall list holds a wall with a
  // new polygon whose wall list holds the next unit; the file then ends.
  explicit NestedLists(int units) {
    Count();
    Text("\xFF\xFF\x01\x00\x06\x00TSNode"sv);
    Zeros(10);  // x, y, no item
    Count();
    Text("\xFF\xFF\x01\x00\x0C\x00TSAnchorWall"sv);
    Zeros(4);
    Text("\x02\x00"sv);  // the node above
    Text("\xFF\xFF\x01\x00\x09\x00TSPolygon"sv);
    Zeros(20);
    Count();
    for (int i = 0; i < units; ++i) {
      Text("\x03\x80"sv);  // a new wall
      Zeros(4);
      Text("\x01\x80"sv);  // a new node
      Zeros(10);
      Count();
      Text("\x03\x80"sv);
      Zeros(4);
      Text("\x02\x00"sv);
      Text("\x05\x80"sv);  // a new polygon
      Zeros(20);
      Count();
    }
    for (std::size_t at : m_counts) {
      const auto claim = static_cast<std::uint32_t>((m_bytes.size() - at - 4) / 2);
      for (int k = 0; k < 4; ++k) m_bytes[at + k] = static_cast<std::uint8_t>(claim >> (8 * k));
    }
  }
  const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

 private:
  void Text(std::string_view text) { m_bytes.insert(m_bytes.end(), text.begin(), text.end()); }
  void Zeros(std::size_t count) { m_bytes.resize(m_bytes.size() + count, 0); }
  void Count() {
    m_counts.push_back(m_bytes.size());
    Zeros(4);
  }
  std::vector<std::uint8_t> m_bytes;
  std::vector<std::size_t> m_counts;
};
}  // namespace

TEST(NestedCounts, AreRefusedWithinASmallMultipleOfTheFileSize) {
  const NestedLists file(4000);
  const std::size_t before = g_allocated;
  try {
    LoadTrackBytes(file.Bytes());
    ADD_FAILURE() << "loaded";
  } catch (const CArchiveException& e) {
    EXPECT_NE(std::string(e.what()).find("ends early"), std::string::npos) << e.what();
  }
  // The objects and the reader's own stacks take some 30 times the file; one
  // reserve for each claim would take thousands of times.
  EXPECT_LT(g_allocated - before, 64 * file.Bytes().size());
}
