#include "platform/pooled_list_allocator.h"

#include <array>
#include <new>

#include "platform/object_pool.h"
#include "platform/slab_source.h"

namespace {
constexpr std::size_t kWord = CObjectPool::kAlign;
constexpr std::size_t kPooledWords = 16;

// The pool for buffers of `words` words; never destroyed, since buffers may
// outlive static teardown.
CObjectPool& PoolFor(std::size_t words) {
  static const std::array<CObjectPool*, kPooledWords> pools = [] {
    std::array<CObjectPool*, kPooledWords> made{};
    for (std::size_t i = 0; i < kPooledWords; ++i) made[i] = new CObjectPool((i + 1) * kWord);
    return made;
  }();
  return *pools[words - 1];
}

// A track's node and polygon lists, beyond this, take blocks of 2 MiB pages:
// from the heap they were mapped afresh at every load, a page trap per 4 KiB.
constexpr std::size_t kBlockListBytes = std::size_t{512} << 10;

std::size_t Words(std::size_t bytes) {
  return (bytes + kWord - 1) / kWord;
}
}  // namespace

void* AllocateListBuffer(std::size_t bytes) {
  const std::size_t words = Words(bytes);
  if (!TRASSO_POOLED_OBJECTS || words == 0) return ::operator new(bytes);
  if (words <= kPooledWords) return PoolFor(words).Allocate(words * kWord);
  return bytes >= kBlockListBytes ? AllocateHugePages(bytes) : ::operator new(bytes);
}

void FreeListBuffer(void* buffer, std::size_t bytes) noexcept {
  const std::size_t words = Words(bytes);
  if (!TRASSO_POOLED_OBJECTS || words == 0) return ::operator delete(buffer);
  if (words <= kPooledWords) return PoolFor(words).Free(buffer, words * kWord);
  if (bytes >= kBlockListBytes) return FreeHugePages(buffer, bytes);
  ::operator delete(buffer);
}
