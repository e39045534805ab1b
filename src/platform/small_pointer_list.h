#pragma once
// A list of pointers that keeps its first N entries inside the object and
// moves to the heap only beyond that. A node of a large track carries a few
// wall pointers; held inline they cost no allocation, and a wall unlinking
// itself touches only its node instead of a separate buffer.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

template <class T, std::size_t N>
class SmallPointerList {
 public:
  using value_type = T*;
  using size_type = std::size_t;
  using iterator = T**;
  using const_iterator = T* const*;

  SmallPointerList() = default;
  SmallPointerList(const SmallPointerList& other) { Append(other); }
  SmallPointerList(SmallPointerList&& other) noexcept { Take(other); }
  SmallPointerList& operator=(const SmallPointerList& other) {
    if (this != &other) {
      clear();
      Append(other);
    }
    return *this;
  }
  SmallPointerList& operator=(SmallPointerList&& other) noexcept {
    if (this != &other) {
      clear();
      Take(other);
    }
    return *this;
  }
  ~SmallPointerList() = default;

  iterator begin() { return Data(); }
  iterator end() { return Data() + m_size; }
  const_iterator begin() const { return Data(); }
  const_iterator end() const { return Data() + m_size; }

  size_type size() const { return m_size; }
  bool empty() const { return m_size == 0; }
  T*& operator[](size_type i) { return Data()[i]; }
  T* operator[](size_type i) const { return Data()[i]; }
  T*& front() { return Data()[0]; }
  T* front() const { return Data()[0]; }
  T*& back() { return Data()[m_size - 1]; }
  T* back() const { return Data()[m_size - 1]; }

  void reserve(size_type count) {
    if (count > m_capacity) Reallocate(count);
  }
  void push_back(T* value) {
    if (m_size == m_capacity) Reallocate(2 * m_capacity);
    Data()[m_size++] = value;
  }
  iterator insert(const_iterator pos, T* value) {
    const auto index = static_cast<size_type>(pos - begin());
    push_back(value);
    std::rotate(begin() + index, end() - 1, end());
    return begin() + index;
  }
  iterator erase(const_iterator pos) {
    const auto index = static_cast<size_type>(pos - begin());
    std::move(begin() + index + 1, end(), begin() + index);
    --m_size;
    return begin() + index;
  }
  // Takes out every entry equal to `value`, like std::erase on a vector.
  size_type remove(T* value) {
    const iterator kept = std::remove(begin(), end(), value);
    const auto removed = static_cast<size_type>(end() - kept);
    m_size -= static_cast<std::uint32_t>(removed);
    return removed;
  }
  // Keeps the capacity, as a vector does.
  void clear() { m_size = 0; }

  friend bool operator==(const SmallPointerList& a, const SmallPointerList& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
  }

 private:
  T** Data() { return m_heap ? m_heap.get() : m_inline; }
  T* const* Data() const { return m_heap ? m_heap.get() : m_inline; }

  void Reallocate(size_type capacity) {
    auto heap = std::make_unique_for_overwrite<T*[]>(capacity);
    std::copy(begin(), end(), heap.get());
    m_heap = std::move(heap);
    m_capacity = static_cast<std::uint32_t>(capacity);
  }
  void Append(const SmallPointerList& other) {
    reserve(m_size + other.m_size);
    for (T* value : other) push_back(value);
  }
  // Steals the other's heap buffer, or copies its inline entries; leaves it empty.
  void Take(SmallPointerList& other) {
    if (other.m_heap) {
      m_heap = std::move(other.m_heap);
      m_capacity = other.m_capacity;
      m_size = other.m_size;
      other.m_capacity = N;
    } else {
      Append(other);
    }
    other.m_size = 0;
  }

  T* m_inline[N];
  std::unique_ptr<T*[]> m_heap;  // null while the entries fit inline
  std::uint32_t m_size = 0;
  std::uint32_t m_capacity = N;
};
