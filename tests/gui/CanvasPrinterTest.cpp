// Printing a canvas: to a PDF file without a display, one page whatever the
// canvas size, the document's screen geometry untouched; an unwritable file
// reported as a failure; the preview and the dialogs wired to the shared printer.

#include "view/CanvasPrinter.h"
#include "canvas/RuvlenDoc.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cmath>
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

// A table of thin and thick ruled lines: a thick frame, thin column dividers,
// a thick header rule and thin row rules, at the given columns and lines.
const int kTableColumns[] = {0, 4, 9, 13, 20, 29};
const int kTableLines[] = {0, 2, 7, 11, 19};
std::unique_ptr<CRuvlenDoc> MakeTable() {
    CCanvasDefaults defaults;
    defaults.m_nDefaultTextSize = 2;
    defaults.m_nDefaultColumns = 30;
    defaults.m_nDefaultLines = 20;
    auto doc = std::make_unique<CRuvlenDoc>(defaults);
    for (int c : kTableColumns) doc->DrawVerticalLine(nullptr, c, 0, c, 19, c == 0 || c == 29);
    for (int r : kTableLines) doc->DrawHorizontalLine(nullptr, 0, r, 29, r, r != 7 && r != 11);
    doc->ComputeMetrics(96);
    return doc;
}

const int kPrinterDpi = 1200; // QPrinter::HighResolution here

// The page as the preview shows it: painted at the printer's resolution through a
// painter scaled down to the screen, on white.
QImage RenderPage(const CRuvlenDoc& doc, int dpi, double scale, bool preview) {
    const int d = CRuvlenDoc::GetCellSize(dpi, doc.m_nFontSize);
    const QRect page(0, 0, (doc.m_nColumns + 3) * d, (doc.m_nLines + 3) * d);
    QImage image(int(std::ceil(page.width() * scale)), int(std::ceil(page.height() * scale)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    CanvasPrinter::PaintPage(p, doc, dpi, page, preview);
    return image;
}

bool DarkNear(const QImage& image, int x, int y, bool alongY) {
    for (int k = -2; k <= 2; ++k) {
        const int px = alongY ? x + k : x, py = alongY ? y : y + k;
        if (image.valid(px, py) && qGray(image.pixel(px, py)) < 128) return true;
    }
    return false;
}

// The first place where a ruled line of the table has no dark pixel within two
// device pixels of its middle; empty when every line shows along its length.
QString MissingLine(const QImage& image, int d, double scale) {
    const int origin = 2 * d;
    auto device = [scale](double printerPixels) { return int(std::floor(printerPixels * scale)); };
    for (int c : kTableColumns) {
        const int x = device(origin + c * d + d / 2.0);
        for (int y = device(origin + d); y < device(origin + 19 * d); ++y)
            if (!DarkNear(image, x, y, true))
                return QStringLiteral("column %1 at device row %2").arg(c).arg(y);
    }
    for (int r : kTableLines) {
        const int y = device(origin + r * d + d / 2.0);
        for (int x = device(origin + d); x < device(origin + 29 * d); ++x)
            if (!DarkNear(image, x, y, false))
                return QStringLiteral("line %1 at device column %2").arg(r).arg(x);
    }
    return QString();
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
    void previewKeepsEveryRuledLine_data();
    void previewKeepsEveryRuledLine();
    void previewAtFullSizeIsThePrintedPage();
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

// The preview draws the printer's page scaled to its zoom (100 % is the paper's
// size on a 96 dpi screen). Strokes a few printer pixels wide come out thinner
// than a screen pixel; every line must still show, at every zoom.
void CanvasPrinterTest::previewKeepsEveryRuledLine_data() {
    QTest::addColumn<double>("zoom");
    for (double zoom : {0.388, 0.62, 0.91, 1.005}) QTest::addRow("%.1f%%", zoom * 100) << zoom;
    for (int percent = 10; percent <= 150; percent += 7)
        QTest::addRow("%d%%", percent) << percent / 100.0;
}

void CanvasPrinterTest::previewKeepsEveryRuledLine() {
    QFETCH(double, zoom);
    auto doc = MakeTable();
    const double scale = zoom * 96 / kPrinterDpi;
    const QImage image = RenderPage(*doc, kPrinterDpi, scale, true);
    QCOMPARE(MissingLine(image, CRuvlenDoc::GetCellSize(kPrinterDpi, 2), scale), QString());
}

// At the printer's own scale the extra preview lines lie inside the strokes:
// the preview shows exactly what is printed.
void CanvasPrinterTest::previewAtFullSizeIsThePrintedPage() {
    auto doc = MakeTable();
    for (int dpi : {96, 300}) {
        const QImage printed = RenderPage(*doc, dpi, 1.0, false);
        QCOMPARE(MissingLine(printed, CRuvlenDoc::GetCellSize(dpi, 2), 1.0), QString());
        QVERIFY(RenderPage(*doc, dpi, 1.0, true) == printed);
    }
}

QTEST_MAIN(CanvasPrinterTest)
#include "CanvasPrinterTest.moc"
