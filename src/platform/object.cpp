#include "platform/object.h"

#include <string>
#include <unordered_map>

namespace {
// Function-local so that records defined in other translation units can
// register during static initialisation in any order.
std::unordered_map<std::string, const CRuntimeClass*>& Registry() {
  static std::unordered_map<std::string, const CRuntimeClass*> registry;
  return registry;
}
}  // namespace

CRuntimeClass::CRuntimeClass(const char* name, int schema, CObject* (*factory)(),
                             const CRuntimeClass* base)
    : m_lpszClassName(name), m_wSchema(schema), m_pfnCreateObject(factory), m_pBaseClass(base) {
  Registry().emplace(name, this);
}

CObject* CRuntimeClass::CreateObject() const {
  return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* cls = this; cls; cls = cls->m_pBaseClass) {
    if (cls == base) return true;
  }
  return false;
}

const CRuntimeClass* CRuntimeClass::FromName(std::string_view name) {
  auto& registry = Registry();
  auto it = registry.find(std::string(name));
  return it == registry.end() ? nullptr : it->second;
}

const CRuntimeClass CObject::classCObject("CObject", 0xFFFF, nullptr, nullptr);

const CRuntimeClass* CObject::GetRuntimeClass() const {
  return &classCObject;
}

void CObject::Serialize(CArchive&) {}
