// The pool the model's objects come from: blocks apart and aligned, freed
// blocks used again, other sizes passed to the heap, slabs returned with the
// last block; and the slabs of pools and growing arrays.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "platform/chunked_array.h"
#include "platform/object_pool.h"
#include "platform/pooled_list_allocator.h"
#include "platform/slab_source.h"

TEST(ObjectPool, HandsOutDistinctAlignedBlocksReusesThemAndReturnsItsSlabsWithTheLast) {
  CObjectPool pool(52);  // rounded up to 56 within the slab
  std::vector<void*> blocks;
  std::set<std::uintptr_t> addresses;
  for (int i = 0; i < 5000; ++i) {  // several slabs
    blocks.push_back(pool.Allocate(52));
    const auto address = reinterpret_cast<std::uintptr_t>(blocks.back());
    EXPECT_EQ(address % CObjectPool::kAlign, 0u);
    EXPECT_TRUE(addresses.insert(address).second);
    // No block overlaps the one carved before it.
    if (i > 0 && blocks[i - 1] < blocks[i]) {
      EXPECT_GE(address - reinterpret_cast<std::uintptr_t>(blocks[i - 1]), 56u);
    }
    std::fill_n(static_cast<char*>(blocks.back()), 52, 'x');
  }
  EXPECT_GT(pool.SlabCount(), 2u);
  EXPECT_EQ(pool.LiveCount(), 5000u);

  // The last block freed is the next one handed out; a derived class's size goes to the heap.
  pool.Free(blocks[7], 52);
  EXPECT_EQ(pool.Allocate(52), blocks[7]);
  void* larger = pool.Allocate(64);
  EXPECT_EQ(pool.LiveCount(), 5000u);
  pool.Free(larger, 64);
  pool.Free(nullptr, 52);

  const std::size_t slabs = pool.SlabCount();
  for (std::size_t i = 0; i + 1 < blocks.size(); ++i) pool.Free(blocks[i], 52);
  EXPECT_EQ(std::pair(pool.LiveCount(), pool.SlabCount()), std::pair(std::size_t{1}, slabs));
  pool.Free(blocks.back(), 52);
  EXPECT_EQ(std::pair(pool.LiveCount(), pool.SlabCount()),
            std::pair(std::size_t{0}, std::size_t{0}));
  // Empty, it starts over.
  void* again = pool.Allocate(52);
  EXPECT_EQ(pool.SlabCount(), 1u);
  pool.Free(again, 52);
}

// Beyond the first slabs from the heap, slabs come from whole blocks of large
// pages, which go back to the system as a stack gives its slabs back.
TEST(SlabSource, CarvesBlocksBeyondTheHeapSlabsAndFreesThemAsTheyEmpty) {
  constexpr std::size_t kPerBlock = CSlabSource::kBlockBytes / CSlabSource::kSlabBytes;
  const std::size_t before = HugePageBytesInUse();
  CSlabSource source;
  std::vector<char*> slabs;
  for (std::size_t i = 0; i < CSlabSource::kHeapSlabs + kPerBlock + 1; ++i) {
    slabs.push_back(static_cast<char*>(source.Take()));
    std::fill_n(slabs.back(), CSlabSource::kSlabBytes, static_cast<char>(i));
  }
  EXPECT_EQ(source.TakenCount(), slabs.size());
  EXPECT_EQ(source.BlockCount(), 2u);
  EXPECT_EQ(HugePageBytesInUse() - before, 2 * CSlabSource::kBlockBytes);
  for (std::size_t i = CSlabSource::kHeapSlabs; i < slabs.size(); ++i) {
    const std::size_t inBlock = (i - CSlabSource::kHeapSlabs) % kPerBlock;
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(slabs[i]) % CSlabSource::kBlockBytes,
              inBlock * CSlabSource::kSlabBytes);
  }
  // No slab was written over by another.
  for (std::size_t i = 0; i < slabs.size(); ++i) {
    EXPECT_EQ(slabs[i][0], static_cast<char>(i));
    EXPECT_EQ(slabs[i][CSlabSource::kSlabBytes - 1], static_cast<char>(i));
  }

  source.GiveBackLast();  // the newest block's only slab
  EXPECT_EQ(source.BlockCount(), 1u);
  EXPECT_EQ(HugePageBytesInUse() - before, CSlabSource::kBlockBytes);
  // Taken again, the slab comes from a new block at the same place in it.
  slabs.back() = static_cast<char*>(source.Take());
  EXPECT_EQ(source.BlockCount(), 2u);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(slabs.back()) % CSlabSource::kBlockBytes, 0u);
  for (std::size_t i = 0; i < kPerBlock + 1; ++i) source.GiveBackLast();
  EXPECT_EQ(std::pair(source.BlockCount(), source.TakenCount()),
            std::pair(std::size_t{0}, CSlabSource::kHeapSlabs));
  EXPECT_EQ(HugePageBytesInUse(), before);
  source.GiveBackLast();
  EXPECT_EQ(source.TakenCount(), CSlabSource::kHeapSlabs - 1);
  // A freed block is kept for the next, which need not ask the system.
  void* block = AllocateHugePages(CSlabSource::kBlockBytes);
  FreeHugePages(block, CSlabSource::kBlockBytes);
  EXPECT_EQ(HugePageBytesInUse(), before);
  void* again = AllocateHugePages(1);
  EXPECT_EQ(again, block);
  FreeHugePages(again, 1);
  source.Take();
  source.ReleaseAll();
  EXPECT_EQ(std::pair(source.BlockCount(), source.TakenCount()),
            std::pair(std::size_t{0}, std::size_t{0}));
}

// A growing array keeps what it holds in place across chunks and blocks, and
// shrinking frees its blocks.
TEST(ChunkedArray, KeepsItsValuesAcrossChunksAndBlocksAsItGrowsAndShrinks) {
  ChunkedArray<std::uint64_t> values;
  const std::size_t count = (CSlabSource::kHeapSlabs + 40) * ChunkedArray<std::uint64_t>::kChunk;
  for (std::size_t i = 0; i < count; ++i) values.push_back(i * 7);
  const std::uint64_t* first = &values[0];
  for (std::size_t i = 0; i < count; i += 997) ASSERT_EQ(values[i], i * 7);
  EXPECT_EQ(values.back(), (count - 1) * 7);
  const std::size_t withBlocks = HugePageBytesInUse();
  while (values.size() > 10) values.pop_back();
  EXPECT_LT(HugePageBytesInUse(), withBlocks);
  EXPECT_EQ(&values[0], first);
  EXPECT_EQ(values.back(), 9u * 7);
  values.clear();
  EXPECT_TRUE(values.empty());
  values.push_back(5);
  EXPECT_EQ(&values[0], first);
  EXPECT_EQ(values.size(), 1u);
  // Grown to exactly two chunks, a pop leaves the last chunk in place.
  ChunkedArray<std::uint64_t> stack;
  for (std::size_t i = 0; i < 2 * ChunkedArray<std::uint64_t>::kChunk; ++i) stack.push_back(i);
  stack.pop_back();
  stack.pop_back();
  for (std::size_t i = 0; i < stack.size(); ++i) ASSERT_EQ(stack[i], i);
}

// Short lists take their buffers from a pool for their length: a freed buffer
// is the next one of that length, and another length never gets it.
TEST(PooledListAllocator, AFreedBufferIsTheNextOfItsLengthOnly) {
  if (!TRASSO_POOLED_OBJECTS) GTEST_SKIP() << "the heap serves every list under the sanitizer";
  void* kept = AllocateListBuffer(4 * sizeof(void*));  // so that the pool keeps its slab
  void* four = AllocateListBuffer(4 * sizeof(void*));
  FreeListBuffer(four, 4 * sizeof(void*));
  void* three = AllocateListBuffer(3 * sizeof(void*));
  EXPECT_NE(three, four);
  void* again = AllocateListBuffer(4 * sizeof(void*) - 4);  // rounds up to four words
  EXPECT_EQ(again, four);
  FreeListBuffer(again, 4 * sizeof(void*) - 4);
  FreeListBuffer(three, 3 * sizeof(void*));
  FreeListBuffer(kept, 4 * sizeof(void*));
}
