#include "platform/pooled_list_allocator.h"

#include <array>
#include <new>

#include "platform/object_pool.h"

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

std::size_t Words(std::size_t bytes) {
  return (bytes + kWord - 1) / kWord;
}
}  // namespace

void* AllocateListBuffer(std::size_t bytes) {
  const std::size_t words = Words(bytes);
  if (!TRASSO_POOLED_OBJECTS || words == 0 || words > kPooledWords) return ::operator new(bytes);
  return PoolFor(words).Allocate(words * kWord);
}

void FreeListBuffer(void* buffer, std::size_t bytes) noexcept {
  const std::size_t words = Words(bytes);
  if (!TRASSO_POOLED_OBJECTS || words == 0 || words > kPooledWords) return ::operator delete(buffer);
  PoolFor(words).Free(buffer, words * kWord);
}
