#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "platform/qt/shared_printer.h"
#include "platform/qt/view.h"

// One page, with the same preparation as the screen: the page shows what the
// window shows from its top-left corner on, at the view's physical scale.
bool CView::PrintPage(QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  CDC dc(printer, &painter);
  OnPrepareDC(dc);
  OnDraw(dc);
  return painter.end();
}

void CView::OnFilePrint() {
  QPrinter& printer = SharedPrinter();
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) PrintPage(printer);
}

void CView::OnFilePrintDirect() {
  PrintPage(SharedPrinter());
}

void CView::OnFilePrintPreview() {
  QPrintPreviewDialog dialog(&SharedPrinter(), this);
  connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
          [this](QPrinter* printer) { PrintPage(*printer); });
  dialog.exec();
}
