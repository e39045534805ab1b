#pragma once
// The indices the archive assigns to objects while storing. A flat table with
// linear probing: a track of 100,000 sections has half a million objects, and
// a node-based map spends most of the save time on cache misses and
// allocations.

#include <cstddef>
#include <cstdint>
#include <vector>

class PointerIndexMap {
 public:
  PointerIndexMap() : m_slots(kInitialCapacity) {}

  // The index stored for `key`, or 0 (which no object carries) when none is.
  std::uint32_t Find(const void* key) const {
    for (std::size_t i = Home(key);; i = (i + 1) & Mask()) {
      if (m_slots[i].key == key) return m_slots[i].index;
      if (!m_slots[i].key) return 0;
    }
  }

  // `key` must be non-null and not yet present; `index` must be non-zero.
  void Insert(const void* key, std::uint32_t index) {
    if (2 * (m_size + 1) > m_slots.size()) Grow();
    Place(key, index);
    ++m_size;
  }

 private:
  struct Slot {
    const void* key = nullptr;
    std::uint32_t index = 0;
  };
  static constexpr std::size_t kInitialCapacity = 1024;  // 2 to the power 64 - m_shift

  std::size_t Mask() const { return m_slots.size() - 1; }
  // Fibonacci hashing: the top bits of the product mix every bit of the address.
  std::size_t Home(const void* key) const {
    const auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(key));
    return static_cast<std::size_t>(bits >> 4) & Mask();
  }
  void Place(const void* key, std::uint32_t index) {
    std::size_t i = Home(key);
    while (m_slots[i].key) i = (i + 1) & Mask();
    m_slots[i] = {key, index};
  }
  void Grow() {
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    --m_shift;
    for (const Slot& slot : old) {
      if (slot.key) Place(slot.key, slot.index);
    }
  }

  std::vector<Slot> m_slots;
  std::size_t m_size = 0;
  int m_shift = 64 - 10;  // 64 - log2 of the capacity
};
