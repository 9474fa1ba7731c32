#pragma once

class CRuvlenDoc;
class QPainter;
class QPrinter;
class QRect;
class QWidget;

// Printing a canvas: only its cells, on white, at the printer's resolution, on
// one page. The dialogs share one printer, so a printer chosen in the setup
// dialog is used by the next print.
namespace CanvasPrinter {
QPrinter& SharedPrinter();
// Paints the page: the canvas's cells at the given resolution, cut off at the
// page. For the preview every ruled line also stays at least one device pixel
// wide however far the page is scaled down; printing paints the lines as they are.
void PaintPage(QPainter& p, const CRuvlenDoc& doc, int dpi, const QRect& page, bool preview);
// Prints without a dialog onto a printer already set up (a PDF file, say);
// false when the printer could not be opened (an unwritable file, say).
bool PrintDocument(const CRuvlenDoc& doc, QPrinter& printer);
// The print dialog, then printing; false when cancelled or when printing
// failed (after telling the user).
bool Print(const CRuvlenDoc& doc, QWidget* parent);
void PrintPreview(const CRuvlenDoc& doc, QWidget* parent);
void PageSetup(QWidget* parent);
} // namespace CanvasPrinter
