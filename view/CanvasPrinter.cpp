#include "view/CanvasPrinter.h"

#include "view/CanvasPainter.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPaintEngine>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {
QPrinter* g_pPrinter = nullptr;

// The printer goes with the application object, before the print plugins do.
void DeleteSharedPrinter() {
    delete g_pPrinter;
    g_pPrinter = nullptr;
}
} // namespace

QPrinter& CanvasPrinter::SharedPrinter() {
    if (!g_pPrinter) {
        g_pPrinter = new QPrinter(QPrinter::HighResolution);
        qAddPostRoutine(DeleteSharedPrinter);
    }
    return *g_pPrinter;
}

void CanvasPrinter::PaintPage(QPainter& p, const CRuvlenDoc& doc, int dpi, const QRect& page,
                              bool preview) {
    CCanvasPainter::Options options;
    options.printing = true;
    options.background = Qt::white;
    options.linesAtLeastOnePixel = preview;
    CCanvasPainter painter;
    painter.Paint(p, doc, dpi, page, options);
}

// The painter's origin is the corner of the printable area; the canvas starts
// 2 d beyond it, at the printer's resolution, and is cut off at the page edge.
// The preview records the page as a picture (its own paint engine) to show it
// scaled; the same printer prints through the PDF engine, lines as they are.
bool CanvasPrinter::PrintDocument(const CRuvlenDoc& doc, QPrinter& printer) {
    QPainter p;
    if (!p.begin(&printer)) return false;
    const QRect page(QPoint(0, 0),
                     printer.pageLayout().paintRectPixels(printer.resolution()).size());
    const bool preview = p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Picture;
    PaintPage(p, doc, printer.logicalDpiX(), page, preview);
    return p.end();
}

bool CanvasPrinter::Print(const CRuvlenDoc& doc, QWidget* parent) {
    QPrinter& printer = SharedPrinter();
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() != QDialog::Accepted) return false;
    if (PrintDocument(doc, printer)) return true;
    QMessageBox::warning(
        parent, QStringLiteral("Tavik"),
        QStringLiteral(
            "印刷できませんでした。プリンターまたは出力先のファイルを確認してください。"));
    return false;
}

void CanvasPrinter::PrintPreview(const CRuvlenDoc& doc, QWidget* parent) {
    QPrintPreviewDialog dialog(&SharedPrinter(), parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&doc](QPrinter* printer) { PrintDocument(doc, *printer); });
    dialog.exec();
}

void CanvasPrinter::PageSetup(QWidget* parent) {
    QPageSetupDialog dialog(&SharedPrinter(), parent);
    dialog.exec();
}
