#pragma once
// A map from objects to small indices: a flat table with linear probing. A
// track of 100,000 sections has half a million objects, and a node-based map
// spends most of its time on cache misses and allocations.

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
  static constexpr std::size_t kInitialCapacity = 1024;  // a power of 2

  std::size_t Mask() const { return m_slots.size() - 1; }
  // Objects allocated one after another land in neighbouring slots, which
  // keeps a walk in allocation order cache-friendly.
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
    for (const Slot& slot : old) {
      if (slot.key) Place(slot.key, slot.index);
    }
  }

  std::vector<Slot> m_slots;
  std::size_t m_size = 0;
};
