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
    m_pNext = static_cast<char*>(m_slabs.Take());
    m_pEnd = m_pNext + CSlabSource::kSlabBytes;
  }
  void* block = m_pNext;
  m_pNext += m_nBlockSize;
  return block;
}

void CObjectPool::ReleaseSlabs() noexcept {
  m_slabs.ReleaseAll();
  m_pFree = nullptr;
  m_pNext = m_pEnd = nullptr;
}
