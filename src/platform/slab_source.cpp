#include "platform/slab_source.h"

#include <sys/mman.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <new>
#include <vector>

namespace {
std::atomic<std::size_t> g_hugePageBytes{0};

// Single blocks freed, kept for the next track: taking fresh pages from the
// system costs a trap and the zeroing of each, which made loading a track
// after closing one half as slow again. The system may take the pages of a
// kept block back whenever it runs short (MADV_FREE), so keeping them costs
// nothing that is needed elsewhere.
constexpr std::size_t kMostKeptBlocks = 128;  // 256 MiB
struct KeptBlocks {
  // Room for all of them at once, so that keeping one never allocates: it
  // happens in a free, which must not fail. Made by the first allocation.
  KeptBlocks() { blocks.reserve(kMostKeptBlocks); }
  std::mutex mutex;
  std::vector<void*> blocks;
};
KeptBlocks& Kept() {
  static KeptBlocks* const kept = new KeptBlocks;  // outlives static teardown, as the pools do
  return *kept;
}

void* TakeKeptBlock() {
  KeptBlocks& kept = Kept();
  const std::lock_guard lock(kept.mutex);
  if (kept.blocks.empty()) return nullptr;
  void* block = kept.blocks.back();
  kept.blocks.pop_back();
  return block;
}

bool KeepBlock(void* block) noexcept {
  KeptBlocks& kept = Kept();
  const std::lock_guard lock(kept.mutex);
  if (kept.blocks.size() == kMostKeptBlocks) return false;
  madvise(block, CSlabSource::kBlockBytes, MADV_FREE);
  kept.blocks.push_back(block);
  return true;
}

std::size_t WholeBlocks(std::size_t bytes) {
  return (bytes + CSlabSource::kBlockBytes - 1) / CSlabSource::kBlockBytes *
         CSlabSource::kBlockBytes;
}
}  // namespace

std::size_t HugePageBytesInUse() {
  return g_hugePageBytes.load(std::memory_order_relaxed);
}

void* AllocateHugePages(std::size_t bytes) {
  const std::size_t size = WholeBlocks(bytes);
  if (size == CSlabSource::kBlockBytes) {
    if (void* block = TakeKeptBlock()) {
      g_hugePageBytes.fetch_add(size, std::memory_order_relaxed);
      return block;
    }
  }
  // Over-allocate by a block so that an aligned run of `size` lies inside, and
  // give back the ends: the kernel only maps a large page at an aligned address.
  const std::size_t mapped = size + CSlabSource::kBlockBytes;
  void* raw = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(raw);
  const std::uintptr_t aligned = WholeBlocks(start);
  if (aligned > start) munmap(raw, aligned - start);
  const std::uintptr_t end = start + mapped;
  if (end > aligned + size) munmap(reinterpret_cast<void*>(aligned + size), end - aligned - size);
  madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
  g_hugePageBytes.fetch_add(size, std::memory_order_relaxed);
  return reinterpret_cast<void*>(aligned);
}

void FreeHugePages(void* block, std::size_t bytes) noexcept {
  const std::size_t size = WholeBlocks(bytes);
  g_hugePageBytes.fetch_sub(size, std::memory_order_relaxed);
  if (size == CSlabSource::kBlockBytes && KeepBlock(block)) return;
  munmap(block, size);
}

void* CSlabSource::Take() {
  void* slab = m_heapSlabs.size() < kHeapSlabs ? TakeFromHeap() : Carve();
  ++m_nTaken;
  return slab;
}

void* CSlabSource::TakeFromHeap() {
  m_heapSlabs.reserve(kHeapSlabs);
  void* slab = ::operator new(kSlabBytes);
  m_heapSlabs.push_back(slab);
  return slab;
}

void* CSlabSource::Carve() {
  if (m_pNext == m_pEnd) {
    m_blocks.reserve(m_blocks.size() + 1);  // so that a failure below leaks nothing
    m_pNext = static_cast<char*>(AllocateHugePages(kBlockBytes));
    m_pEnd = m_pNext + kBlockBytes;
    m_blocks.push_back(m_pNext);
  }
  void* slab = m_pNext;
  m_pNext += kSlabBytes;
  return slab;
}

void CSlabSource::GiveBackLast() noexcept {
  --m_nTaken;
  if (m_blocks.empty()) {
    ::operator delete(m_heapSlabs.back());
    m_heapSlabs.pop_back();
    return;
  }
  m_pNext -= kSlabBytes;
  if (m_pNext != m_blocks.back()) return;
  // The block is empty: it goes, and the one before it, full, is the newest.
  FreeHugePages(m_blocks.back(), kBlockBytes);
  m_blocks.pop_back();
  m_pNext = m_pEnd = m_blocks.empty() ? nullptr : m_blocks.back() + kBlockBytes;
}

void CSlabSource::ReleaseAll() noexcept {
  for (void* slab : m_heapSlabs) ::operator delete(slab);
  for (char* block : m_blocks) FreeHugePages(block, kBlockBytes);
  m_heapSlabs.clear();
  m_blocks.clear();
  m_pNext = m_pEnd = nullptr;
  m_nTaken = 0;
}
