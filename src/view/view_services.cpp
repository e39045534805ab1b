#include "view/view_services.h"

namespace {
CViewServices* g_pViewServices = nullptr;
}  // namespace

CViewServices* GetViewServices() {
  return g_pViewServices;
}

void SetViewServices(CViewServices* services) {
  g_pViewServices = services;
}
