#pragma once
// An array that grows by chunks of 64 KiB and never moves what it holds: no
// copy of the whole as it grows, so its peak is its size, and chunks large
// enough to leave no small holes in the heap among the objects of a track
// being loaded (a deque's small blocks slowed every later walk over the
// track by a fifth). Indexing costs one more load than a vector.

#include <cstddef>
#include <memory>
#include <vector>

template <class T>
class ChunkedArray {
 public:
  static constexpr std::size_t kChunk = (std::size_t{64} << 10) / sizeof(T);

  std::size_t size() const { return m_size; }
  bool empty() const { return m_size == 0; }
  T& operator[](std::size_t i) { return m_chunks[i / kChunk][i % kChunk]; }
  const T& operator[](std::size_t i) const { return m_chunks[i / kChunk][i % kChunk]; }
  T& back() { return (*this)[m_size - 1]; }

  void push_back(const T& value) {
    if (m_size == m_chunks.size() * kChunk) {
      m_chunks.push_back(std::make_unique_for_overwrite<T[]>(kChunk));
    }
    (*this)[m_size++] = value;
  }
  // Gives back a chunk once the one before it has emptied, keeping one spare,
  // so that a stack that shrinks frees its memory but one that swings across
  // a chunk's edge does not allocate at each swing.
  void pop_back() {
    --m_size;
    if (m_chunks.size() > m_size / kChunk + 2) m_chunks.pop_back();
  }
  void clear() { m_size = 0; }

 private:
  std::vector<std::unique_ptr<T[]>> m_chunks;
  std::size_t m_size = 0;
};
