#pragma once
// Slabs of 64 KiB for one owner (an object pool, a growing array). The first
// half MiB of them comes from the heap, so that a small track costs what it
// always did; beyond that they are carved from blocks of 2 MiB pages. Each
// 4 KiB page a process touches for the first time costs a trap into the
// kernel, some microseconds on a virtual machine: loading a 15-MB track in a
// fresh process took 18,000 of them, where a 2 MiB page needs one trap for
// 512 small ones. The larger pages also make every later walk over the track
// miss the address cache less.
//
// Slabs go back to the system one by one in the reverse order of taking
// (GiveBackLast, for a stack), or all together (ReleaseAll, and the
// source's end). Like the rest of the model, a source is used from one
// thread.

#include <cstddef>
#include <vector>

class CSlabSource {
 public:
  static constexpr std::size_t kSlabBytes = std::size_t{64} << 10;
  static constexpr std::size_t kBlockBytes = std::size_t{2} << 20;
  // How many slabs come from the heap before the first block.
  static constexpr std::size_t kHeapSlabs = 8;

  CSlabSource() = default;
  CSlabSource(const CSlabSource&) = delete;
  CSlabSource& operator=(const CSlabSource&) = delete;
  ~CSlabSource() { ReleaseAll(); }

  // kSlabBytes, aligned for any object; throws std::bad_alloc.
  void* Take();
  // Frees the slab taken last of those still taken.
  void GiveBackLast() noexcept;
  // Frees every slab.
  void ReleaseAll() noexcept;

  std::size_t TakenCount() const { return m_nTaken; }
  std::size_t BlockCount() const { return m_blocks.size(); }

 private:
  void* TakeFromHeap();
  void* Carve();

  std::vector<void*> m_heapSlabs;
  std::vector<char*> m_blocks;
  char* m_pNext = nullptr;     // the uncarved rest of the newest block
  char* m_pEnd = nullptr;
  std::size_t m_nTaken = 0;
};

// `bytes` rounded up to whole blocks of 2 MiB pages, aligned to one, of any
// contents; throws std::bad_alloc. The kernel is asked for large pages; where
// it has none the block works all the same with small ones. Single blocks
// freed are kept for reuse, up to 256 MiB of them. Safe from any thread.
void* AllocateHugePages(std::size_t bytes);
void FreeHugePages(void* block, std::size_t bytes) noexcept;
// What the blocks handed out and not freed take now, for measuring memory.
std::size_t HugePageBytesInUse();
