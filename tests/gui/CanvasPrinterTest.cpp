// Printing a canvas: to a PDF file without a display, one page whatever the
// canvas size, the document's screen geometry untouched; an unwritable file
// reported as a failure; the preview and the dialogs wired to the shared printer.

#include "view/CanvasPrinter.h"
#include "canvas/RuvlenDoc.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

std::unique_ptr<CRuvlenDoc> MakeDoc(int fontSize, int columns, int lines) {
    CCanvasDefaults defaults;
    defaults.m_nDefaultTextSize = fontSize;
    defaults.m_nDefaultColumns = columns;
    defaults.m_nDefaultLines = lines;
    auto doc = std::make_unique<CRuvlenDoc>(defaults);
    doc->DrawRectangle(nullptr, 0, 0, columns - 1, lines - 1, 1);
    doc->DrawHorizontalLine(nullptr, 0, 2, columns - 1, 2, 0);
    doc->PutTextHorizontal(nullptr, 1, 1, 4, 1, "\x8A\xBF\x8E\x9A ab");
    doc->Select(nullptr, 2, 3, 5, 4);
    doc->ComputeMetrics(96);
    return doc;
}

// Page objects in a PDF file ("/Type /Page", not the "/Type /Pages" tree).
int PdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QString text = QString::fromLatin1(file.readAll());
    return int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s\\w])"))));
}

struct Geometry {
    int cell, width, height, totalWidth, totalHeight, originX, originY;
    bool operator==(const Geometry& o) const {
        return cell == o.cell && width == o.width && height == o.height &&
               totalWidth == o.totalWidth && totalHeight == o.totalHeight && originX == o.originX &&
               originY == o.originY;
    }
};
Geometry GeometryOf(const CRuvlenDoc& doc) {
    return {doc.m_nCellSize,    doc.m_nCanvasWidth, doc.m_nCanvasHeight, doc.m_nTotalWidth,
            doc.m_nTotalHeight, doc.m_nOriginX,     doc.m_nOriginY};
}

// Runs `inside` once a modal dialog's loop is going, then rejects whatever
// modal dialog is still open, so a failing check never hangs.
void WhileModal(const std::function<void(QDialog*)>& inside) {
    QTimer::singleShot(0, [inside] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog) inside(dialog);
        if (auto* still = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            still->reject();
    });
}

} // namespace

class CanvasPrinterTest : public QObject {
    Q_OBJECT

private slots:
    void pdfHasOnePage_data();
    void pdfHasOnePage();
    void unwritableFileFails();
    void previewShowsOnePage();
    void cancelledPrintDialogPrintsNothing();
    void pageSetupUsesSharedPrinter();
};

void CanvasPrinterTest::pdfHasOnePage_data() {
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("lines");
    QTest::newRow("small") << 2 << 12 << 10;
    QTest::newRow("larger than the page") << 5 << 99 << 99;
}

void CanvasPrinterTest::pdfHasOnePage() {
    QFETCH(int, fontSize);
    QFETCH(int, columns);
    QFETCH(int, lines);
    auto doc = MakeDoc(fontSize, columns, lines);
    const Geometry before = GeometryOf(*doc);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("canvas.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QVERIFY(CanvasPrinter::PrintDocument(*doc, printer));
    QCOMPARE(PdfPageCount(path), 1);
    QVERIFY(QFileInfo(path).size() > 2000); // glyphs and strokes, not an empty page
    QVERIFY(GeometryOf(*doc) == before);
}

void CanvasPrinterTest::unwritableFileFails() {
    auto doc = MakeDoc(2, 12, 10);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("no/such/folder/canvas.pdf")));
    QVERIFY(!CanvasPrinter::PrintDocument(*doc, printer));
}

// The preview asks the document for its pages through paintRequested: one page.
void CanvasPrinterTest::previewShowsOnePage() {
    auto doc = MakeDoc(2, 40, 30);
    const Geometry before = GeometryOf(*doc);
    CanvasPrinter::SharedPrinter().setOutputFormat(QPrinter::PdfFormat);
    int pages = -1;
    WhileModal([&pages](QDialog* dialog) {
        auto* preview = dialog->findChild<QPrintPreviewWidget*>();
        if (!preview) return;
        preview->updatePreview();
        pages = preview->pageCount();
    });
    CanvasPrinter::PrintPreview(*doc, nullptr);
    QCOMPARE(pages, 1);
    QVERIFY(GeometryOf(*doc) == before);
}

void CanvasPrinterTest::cancelledPrintDialogPrintsNothing() {
    auto doc = MakeDoc(2, 12, 10);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cancelled.pdf"));
    QPrinter& printer = CanvasPrinter::SharedPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    bool sawDialog = false;
    WhileModal([&sawDialog](QDialog*) { sawDialog = true; });
    QVERIFY(!CanvasPrinter::Print(*doc, nullptr));
    QVERIFY(sawDialog);
    QVERIFY(!QFile::exists(path));
}

void CanvasPrinterTest::pageSetupUsesSharedPrinter() {
    QPrinter& printer = CanvasPrinter::SharedPrinter();
    QCOMPARE(&printer, &CanvasPrinter::SharedPrinter());
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Landscape);
    bool sawDialog = false;
    WhileModal([&sawDialog](QDialog*) { sawDialog = true; });
    CanvasPrinter::PageSetup(nullptr);
    QVERIFY(sawDialog);
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape); // cancel keeps it
}

QTEST_MAIN(CanvasPrinterTest)
#include "CanvasPrinterTest.moc"
