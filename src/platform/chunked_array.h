#pragma once
// An array that grows by chunks of 64 KiB and never moves what it holds: no
// copy of the whole as it grows, so its peak is its size, and chunks large
// enough to leave no small holes in the heap among the objects of a track
// being loaded (a deque's small blocks slowed every later walk over the
// track by a fifth). The chunks come from a CSlabSource, so a large array
// lies in 2 MiB pages. Indexing costs one more load than a vector. Only for
// types that need no construction or destruction.

#include <cstddef>
#include <type_traits>
#include <vector>

#include "platform/slab_source.h"

template <class T>
class ChunkedArray {
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

 public:
  static constexpr std::size_t kChunk = CSlabSource::kSlabBytes / sizeof(T);

  ChunkedArray() = default;
  ChunkedArray(const ChunkedArray&) = delete;
  ChunkedArray& operator=(const ChunkedArray&) = delete;

  std::size_t size() const { return m_size; }
  bool empty() const { return m_size == 0; }
  T& operator[](std::size_t i) { return m_chunks[i / kChunk][i % kChunk]; }
  const T& operator[](std::size_t i) const { return m_chunks[i / kChunk][i % kChunk]; }
  T& back() { return (*this)[m_size - 1]; }

  void push_back(const T& value) {
    if (m_size == m_capacity) {
      m_chunks.reserve(m_chunks.size() + 1);  // so that a failure below loses no chunk
      m_chunks.push_back(static_cast<T*>(m_source.Take()));
      m_capacity += kChunk;
    }
    (*this)[m_size++] = value;
  }
  // Gives back a chunk once the one before it has emptied, keeping one spare,
  // so that a stack that swings across a chunk's edge does not take one at
  // each swing. That can only start to hold as the size leaves a chunk.
  void pop_back() {
    --m_size;
    if (m_size % kChunk == kChunk - 1 && m_chunks.size() > m_size / kChunk + 2) {
      m_chunks.pop_back();
      m_source.GiveBackLast();
      m_capacity -= kChunk;
    }
  }
  void clear() { m_size = 0; }

 private:
  CSlabSource m_source;
  std::vector<T*> m_chunks;
  std::size_t m_size = 0;
  std::size_t m_capacity = 0;  // m_chunks.size() * kChunk
};
