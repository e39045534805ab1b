// Nested lists each claiming half the bytes after them must be refused without reserving every
// claim.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string_view>

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
// The no-throw form too, since its memory comes back through the ones below.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  g_allocated += size;
  return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

TEST(NestedCounts, AreRefusedWithinASmallMultipleOfTheFileSize) {
  using namespace std::string_view_literals;
  std::vector<std::uint8_t> bytes;
  std::vector<std::size_t> counts;
  auto put = [&](std::string_view text, int zeros) {
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.resize(bytes.size() + zeros);
  };
  auto count = [&] { counts.push_back(bytes.size()), put({}, 4); };
  // A node, its wall and polygon; then many walls on new nodes listing walls of new polygons.
  count(), put("\xFF\xFF\x01\x00\x06\x00TSNode"sv, 10), count();
  put("\xFF\xFF\x01\x00\x0C\x00TSAnchorWall"sv, 4), put("\x02\x00"sv, 0);
  put("\xFF\xFF\x01\x00\x09\x00TSPolygon"sv, 20), count();
  for (int i = 0; i < 4000; ++i) {
    put("\x03\x80"sv, 4), put("\x01\x80"sv, 10), count();
    put("\x03\x80"sv, 4), put("\x02\x00\x05\x80"sv, 20), count();
  }
  for (std::size_t at : counts) {
    const auto claim = static_cast<std::uint32_t>((bytes.size() - at - 4) / 2);
    for (int k = 0; k < 4; ++k) bytes[at + k] = static_cast<std::uint8_t>(claim >> (8 * k));
  }
  const std::size_t before = g_allocated;
  EXPECT_THROW(LoadTrackBytes(bytes), CArchiveException);
  // Objects and stacks take some 30 times the file; reserving every claim, thousands of times.
  EXPECT_LT(g_allocated - before, 64 * bytes.size());
}
