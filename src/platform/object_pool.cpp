#include "platform/object_pool.h"

#include <new>

void* CObjectPool::Allocate(std::size_t size) {
  if (size != m_nRequested) return ::operator new(size);
  void* block;
  if (m_pFree) {
    block = m_pFree;
    m_pFree = m_pFree->next;
  } else {
    block = Carve();
  }
  ++m_nLive;
  return block;
}

void CObjectPool::Free(void* block, std::size_t size) noexcept {
  if (!block) return;
  if (size != m_nRequested) return ::operator delete(block);
  m_pFree = new (block) FreeBlock{m_pFree};
  if (--m_nLive == 0) ReleaseSlabs();
}

void* CObjectPool::Carve() {
  if (static_cast<std::size_t>(m_pEnd - m_pNext) < m_nBlockSize) {
    char* memory = static_cast<char*>(::operator new(kSlabBytes));
    m_pSlabs = new (memory) Slab{m_pSlabs};
    ++m_nSlabs;
    m_pNext = memory + kSlabHeader;
    m_pEnd = memory + kSlabBytes;
  }
  void* block = m_pNext;
  m_pNext += m_nBlockSize;
  return block;
}

void CObjectPool::ReleaseSlabs() noexcept {
  while (m_pSlabs) {
    Slab* slab = m_pSlabs;
    m_pSlabs = slab->next;
    ::operator delete(slab);
  }
  m_pFree = nullptr;
  m_pNext = m_pEnd = nullptr;
  m_nSlabs = 0;
}
