// Replaces the global operator new and delete of the benchmark program. The
// size of a block is asked of malloc itself, so that a sized and an unsized
// delete count alike, and the figures include malloc's rounding. The blocks
// of large pages the model maps beside the heap count too; they change as
// heap blocks are taken, so the peak is seen at the next allocation.

#include "heap_counter.h"

#include "platform/slab_source.h"

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> g_counting{false};
std::atomic<std::int64_t> g_live{0};
std::atomic<std::int64_t> g_peak{0};
std::atomic<std::int64_t> g_hugeAtStart{0};

std::int64_t HugeSinceStart() {
  return static_cast<std::int64_t>(HugePageBytesInUse()) - g_hugeAtStart.load();
}

void Add(void* block) {
  if (!g_counting.load(std::memory_order_relaxed)) return;
  const auto size = static_cast<std::int64_t>(malloc_usable_size(block));
  const std::int64_t live =
      g_live.fetch_add(size, std::memory_order_relaxed) + size + HugeSinceStart();
  std::int64_t peak = g_peak.load(std::memory_order_relaxed);
  while (live > peak && !g_peak.compare_exchange_weak(peak, live, std::memory_order_relaxed)) {
  }
}

void Remove(void* block) {
  if (!block || !g_counting.load(std::memory_order_relaxed)) return;
  g_live.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(block)), std::memory_order_relaxed);
}

void* Allocate(std::size_t size, std::size_t alignment) {
  void* block = alignment <= alignof(std::max_align_t)
                    ? std::malloc(size ? size : 1)
                    : std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
  if (block) Add(block);
  return block;
}

void* AllocateOrThrow(std::size_t size, std::size_t alignment) {
  void* block = Allocate(size, alignment);
  if (!block) throw std::bad_alloc();
  return block;
}

void Release(void* block) noexcept {
  Remove(block);
  std::free(block);
}
}  // namespace

namespace heap_counter {
void Start() {
  g_live = 0;
  g_peak = 0;
  g_hugeAtStart = static_cast<std::int64_t>(HugePageBytesInUse());
  g_counting = true;
}
void Stop() {
  g_counting = false;
  g_live += HugeSinceStart();
  g_peak = std::max(g_peak.load(), g_live.load());
}
std::int64_t Live() {
  return g_live;
}
std::int64_t Peak() {
  return g_peak;
}
}  // namespace heap_counter

void* operator new(std::size_t size) {
  return AllocateOrThrow(size, 0);
}
void* operator new[](std::size_t size) {
  return AllocateOrThrow(size, 0);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return AllocateOrThrow(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return AllocateOrThrow(size, static_cast<std::size_t>(alignment));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size, 0);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size, 0);
}
void operator delete(void* block) noexcept {
  Release(block);
}
void operator delete[](void* block) noexcept {
  Release(block);
}
void operator delete(void* block, std::size_t) noexcept {
  Release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  Release(block);
}
void operator delete(void* block, std::align_val_t) noexcept {
  Release(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
  Release(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
  Release(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
  Release(block);
}
