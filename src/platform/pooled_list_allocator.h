#pragma once
// An allocator for the short lists a track holds by the hundred thousand (a
// section's walls). A list of up to 16 pointers' worth takes its buffer from
// a pool for its length, as the objects themselves come from pools (see
// object_pool.h): no heap header, no heap bookkeeping when a large track is
// freed, and the buffers lie together in 2 MiB pages. Longer lists use the heap.

#include <cstddef>
#include <memory>
#include <vector>

void* AllocateListBuffer(std::size_t bytes);
void FreeListBuffer(void* buffer, std::size_t bytes) noexcept;

template <class T>
struct CPooledListAllocator {
  using value_type = T;

  CPooledListAllocator() = default;
  template <class U>
  CPooledListAllocator(const CPooledListAllocator<U>&) {}

  T* allocate(std::size_t n) { return static_cast<T*>(AllocateListBuffer(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) noexcept { FreeListBuffer(p, n * sizeof(T)); }
  template <class U>
  bool operator==(const CPooledListAllocator<U>&) const {
    return true;
  }
};

// A list that owns its objects, as the track's lists do.
template <class T>
using OwnedList = std::vector<std::unique_ptr<T>, CPooledListAllocator<std::unique_ptr<T>>>;
