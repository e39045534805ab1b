#include "platform/qt/shared_printer.h"

#include <QCoreApplication>
#include <QPrinter>
#include <memory>

namespace {
std::unique_ptr<QPrinter> g_pPrinter;
}  // namespace

QPrinter& SharedPrinter() {
  if (!g_pPrinter) {
    g_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The print system must not outlive the application it belongs to.
    qAddPostRoutine([] { g_pPrinter.reset(); });
  }
  return *g_pPrinter;
}
