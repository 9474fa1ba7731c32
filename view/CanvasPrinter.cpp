// Placeholder: replaced by real printing.
#include "view/CanvasPrinter.h"

#include <QPrinter>

QPrinter& CanvasPrinter::SharedPrinter() {
    static QPrinter printer;
    return printer;
}
void CanvasPrinter::PrintDocument(const CRuvlenDoc&, QPrinter&) {}
bool CanvasPrinter::Print(const CRuvlenDoc&, QWidget*) { return false; }
void CanvasPrinter::PrintPreview(const CRuvlenDoc&, QWidget*) {}
void CanvasPrinter::PageSetup(QWidget*) {}
