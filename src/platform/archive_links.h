#pragma once
// Type-erased access to the reference fields the archive walks: a plain or
// owning pointer, or a list of either. One constant record per field type, so
// a field description is two pointers and the archive needs no templates.

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/object.h"
#include "platform/small_pointer_list.h"

struct CArchiveLink {
  const CRuntimeClass* (*expected)();  // the class the field holds
  std::size_t (*count)(const void* field);
  CObject* (*get)(const void* field, std::size_t index);
  void (*reserve)(void* field, std::size_t count);
  void (*put)(void* field, CObject* object);  // assigns, or appends to a list
  void (*release)(void* field);               // forgets every object without deleting it
};

template <class Field>
struct CArchiveLinkOf;

// The object put into a field has been checked to be of the field's class.
template <class T>
struct CArchiveLinkOf<T*> {
  static constexpr CArchiveLink kLink{
      &T::GetThisClass,
      [](const void*) -> std::size_t { return 1; },
      [](const void* f, std::size_t) -> CObject* { return *static_cast<T* const*>(f); },
      [](void*, std::size_t) {},
      [](void* f, CObject* o) { *static_cast<T**>(f) = static_cast<T*>(o); },
      [](void* f) { *static_cast<T**>(f) = nullptr; },
  };
};

template <class T>
struct CArchiveLinkOf<std::unique_ptr<T>> {
  using Field = std::unique_ptr<T>;
  static constexpr CArchiveLink kLink{
      &T::GetThisClass,
      [](const void*) -> std::size_t { return 1; },
      [](const void* f, std::size_t) -> CObject* { return static_cast<const Field*>(f)->get(); },
      [](void*, std::size_t) {},
      [](void* f, CObject* o) { static_cast<Field*>(f)->reset(static_cast<T*>(o)); },
      [](void* f) { (void)static_cast<Field*>(f)->release(); },
  };
};

template <class T, std::size_t N>
struct CArchiveLinkOf<SmallPointerList<T, N>> {
  using Field = SmallPointerList<T, N>;
  static constexpr CArchiveLink kLink{
      &T::GetThisClass,
      [](const void* f) { return static_cast<const Field*>(f)->size(); },
      [](const void* f, std::size_t i) -> CObject* { return (*static_cast<const Field*>(f))[i]; },
      [](void* f, std::size_t n) { static_cast<Field*>(f)->reserve(n); },
      [](void* f, CObject* o) { static_cast<Field*>(f)->push_back(static_cast<T*>(o)); },
      [](void* f) { static_cast<Field*>(f)->clear(); },
  };
};

template <class T, class Allocator>
struct CArchiveLinkOf<std::vector<std::unique_ptr<T>, Allocator>> {
  using Field = std::vector<std::unique_ptr<T>, Allocator>;
  static constexpr CArchiveLink kLink{
      &T::GetThisClass,
      [](const void* f) { return static_cast<const Field*>(f)->size(); },
      [](const void* f, std::size_t i) -> CObject* {
        return (*static_cast<const Field*>(f))[i].get();
      },
      [](void* f, std::size_t n) { static_cast<Field*>(f)->reserve(n); },
      [](void* f, CObject* o) { static_cast<Field*>(f)->emplace_back(static_cast<T*>(o)); },
      [](void* f) {
        for (auto& entry : *static_cast<Field*>(f)) (void)entry.release();
        static_cast<Field*>(f)->clear();
      },
  };
};
