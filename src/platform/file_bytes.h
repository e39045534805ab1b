#pragma once
// The bytes of a whole file as read into memory: not zeroed before the read
// fills them, and a large file's in 2 MiB pages (see slab_source.h), so that
// reading a 15-MB track costs a few hundred page traps instead of thousands.

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

#include "platform/slab_source.h"

template <class T>
struct CFileBytesAllocator {
  using value_type = T;

  CFileBytesAllocator() = default;
  template <class U>
  CFileBytesAllocator(const CFileBytesAllocator<U>&) {}

  static bool Large(std::size_t n) { return n * sizeof(T) >= CSlabSource::kBlockBytes; }
  T* allocate(std::size_t n) {
    return static_cast<T*>(Large(n) ? AllocateHugePages(n * sizeof(T)) : ::operator new(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t n) noexcept {
    if (Large(n)) {
      FreeHugePages(p, n * sizeof(T));
    } else {
      ::operator delete(p);
    }
  }
  // Growing leaves the new elements as they are: the read writes them next.
  template <class U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
  template <class U>
  bool operator==(const CFileBytesAllocator<U>&) const {
    return true;
  }
};

using FileBytes = std::vector<std::uint8_t, CFileBytesAllocator<std::uint8_t>>;
