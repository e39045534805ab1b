#pragma once
// Fixed-size blocks for the objects of one class, carved from slabs of 64 KiB
// (a CSlabSource: a large track's come in 2 MiB pages).
// A large track holds hundreds of thousands of nodes, walls and polygons; from
// a pool they cost no per-object heap header, lie side by side in the order
// they were made, and freeing one is a push on a list, where the general heap
// would defer the sorting of its freed blocks to the next large request.
//
// The slabs go back to the heap when the pool's last object is freed (the
// last track closed); until then a freed block waits for the next object.
// Like the rest of the model, a pool is used from one thread.
//
// Under AddressSanitizer the classes take each object from the heap instead,
// so that a use after free or an overrun is caught at the object.

#include <cstddef>

#include "platform/slab_source.h"

class CObjectPool {
 public:
  static constexpr std::size_t kAlign = alignof(void*);  // enough for pointers and integers

  // `blockSize` is the size of the class; other sizes (a derived class) are
  // passed to the heap.
  explicit CObjectPool(std::size_t blockSize)
      : m_nBlockSize((blockSize + kAlign - 1) / kAlign * kAlign), m_nRequested(blockSize) {}
  CObjectPool(const CObjectPool&) = delete;
  CObjectPool& operator=(const CObjectPool&) = delete;

  void* Allocate(std::size_t size);
  void Free(void* block, std::size_t size) noexcept;

  std::size_t LiveCount() const { return m_nLive; }
  std::size_t SlabCount() const { return m_slabs.TakenCount(); }

 private:
  struct FreeBlock {
    FreeBlock* next;
  };

  void* Carve();
  void ReleaseSlabs() noexcept;

  std::size_t m_nBlockSize;
  std::size_t m_nRequested;
  FreeBlock* m_pFree = nullptr;
  char* m_pNext = nullptr;  // the uncarved rest of the newest slab
  char* m_pEnd = nullptr;
  CSlabSource m_slabs;
  std::size_t m_nLive = 0;
};

#if defined(__SANITIZE_ADDRESS__)
#define TRASSO_POOLED_OBJECTS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TRASSO_POOLED_OBJECTS 0
#endif
#endif
#ifndef TRASSO_POOLED_OBJECTS
#define TRASSO_POOLED_OBJECTS 1
#endif

// Declares, in a class, that its objects come from its pool.
#define TRASSO_DECLARE_POOLED(Class)                          \
 public:                                                      \
  static void* operator new(std::size_t size);                \
  static void operator delete(void* block, std::size_t size); \
                                                              \
 private:                                                     \
  static CObjectPool& Pool();

#if TRASSO_POOLED_OBJECTS
#define TRASSO_IMPLEMENT_POOLED(Class)                         \
  CObjectPool& Class::Pool() {                                 \
    static_assert(alignof(Class) <= CObjectPool::kAlign);      \
    /* Never destroyed: objects may outlive static teardown. */ \
    static CObjectPool* const s_pool = new CObjectPool(sizeof(Class)); \
    return *s_pool;                                            \
  }                                                            \
  void* Class::operator new(std::size_t size) {                \
    return Pool().Allocate(size);                              \
  }                                                            \
  void Class::operator delete(void* block, std::size_t size) { \
    Pool().Free(block, size);                                  \
  }
#else
#define TRASSO_IMPLEMENT_POOLED(Class)                         \
  void* Class::operator new(std::size_t size) {                \
    return ::operator new(size);                               \
  }                                                            \
  void Class::operator delete(void* block, std::size_t) {      \
    ::operator delete(block);                                  \
  }
#endif
