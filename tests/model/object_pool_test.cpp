// The pool the model's objects come from: blocks apart and aligned, freed
// blocks used again, other sizes passed to the heap, slabs returned with the
// last block.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "platform/object_pool.h"

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
