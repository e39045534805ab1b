#pragma once
// Run-time classes: every persistent class has one record naming it, its schema
// number, its factory and its base class. The archive finds classes by name
// through the registry and checks what it reads with IsDerivedFrom.

#include <cstdint>
#include <string_view>

class CArchive;
class CObject;

struct CRuntimeClass {
  // Registers the record under its name; records live for the whole program.
  CRuntimeClass(const char* name, int schema, CObject* (*factory)(), const CRuntimeClass* base);
  CRuntimeClass(const CRuntimeClass&) = delete;
  CRuntimeClass& operator=(const CRuntimeClass&) = delete;

  const char* m_lpszClassName;
  int m_wSchema;
  CObject* (*m_pfnCreateObject)();  // null for classes that are never created alone
  const CRuntimeClass* m_pBaseClass;

  // A new object of this class, or null when the class cannot be created.
  CObject* CreateObject() const;
  bool IsDerivedFrom(const CRuntimeClass* base) const;

  // The registered class of that exact name, or null.
  static const CRuntimeClass* FromName(std::string_view name);
};

class CObject {
 public:
  CObject() = default;
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
  virtual ~CObject() = default;

  virtual const CRuntimeClass* GetRuntimeClass() const;
  // Describes the object's stored body to the archive; the base stores nothing.
  virtual void Serialize(CArchive& ar);

  bool IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }

  // A word of scratch for one pass over objects just loaded: no store has
  // numbered them yet, and the store index means nothing until one does.
  std::uint32_t& LoadMark() const { return m_nStoreIndex; }

  static const CRuntimeClass classCObject;

 private:
  friend class CArchive;
  // The index a storing archive gave this object, valid while m_nStoreRun is
  // that archive's run. Kept in the object because the writer meets every
  // object anyway, while a side table of half a million entries costs a cache
  // miss per reference.
  mutable std::uint32_t m_nStoreRun = 0;
  mutable std::uint32_t m_nStoreIndex = 0;
};

// Declares the run-time class of a class derived from CObject.
#define TRASSO_DECLARE_DYNAMIC(Class)                     \
 public:                                                  \
  static const CRuntimeClass class##Class;                \
  static const CRuntimeClass* GetThisClass() {            \
    return &class##Class;                                 \
  }                                                       \
  const CRuntimeClass* GetRuntimeClass() const override { \
    return &class##Class;                                 \
  }

// Defines it; `factory` is a function returning a new object, or nullptr.
#define TRASSO_IMPLEMENT_RUNTIME(Class, Base, schema, factory) \
  const CRuntimeClass Class::class##Class(#Class, schema, factory, &Base::class##Base)

#define TRASSO_IMPLEMENT_DYNAMIC(Class, Base, schema) \
  static CObject* Create##Class() {                   \
    return new Class;                                 \
  }                                                   \
  TRASSO_IMPLEMENT_RUNTIME(Class, Base, schema, &Create##Class)

#define RUNTIME_CLASS(Class) (&Class::class##Class)
