// The PNG picture of a canvas: known pixels (a ruled line's stroke, a kanji
// cell, the white or transparent background) at two sizes, the same cells as
// printing paints but without the selection, the document left alone, and a
// failed write that reports the file and leaves nothing behind.

#include "view/ImageExport.h"
#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/ExportArea.h"
#include "canvas/io/ExportSize.h"
#include "view/CanvasPainter.h"
#include "view/LineCellPainter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const char kKanji[] = "\x8A\xBF"; // 漢
const int kThickHorizontal = LF_RIGHT | LF_LEFT | LF_HTHICK;

// A 12 x 10 canvas: a thick horizontal line at (1, 1), a kanji at (3, 1),
// half-width text at (5, 1), the rest blank.
std::unique_ptr<CRuvlenDoc> MakeDoc(int fontSize) {
    CCanvasDefaults defaults;
    defaults.m_nDefaultTextSize = fontSize;
    defaults.m_nDefaultColumns = 12;
    defaults.m_nDefaultLines = 10;
    auto doc = std::make_unique<CRuvlenDoc>(defaults);
    doc->Cell(1, 1).SetLineFlags(kThickHorizontal);
    doc->Cell(3, 1).SetText(kKanji);
    doc->Cell(5, 1).SetText("ab");
    doc->ComputeMetrics(kExportDpi);
    return doc;
}

// Pixels of a cell that are not exactly the paper.
int InkCount(const QImage& image, int c, int r, int d, QRgb paper) {
    int n = 0;
    for (int y = r * d; y < (r + 1) * d; ++y)
        for (int x = c * d; x < (c + 1) * d; ++x)
            if (image.pixel(x, y) != paper) ++n;
    return n;
}

std::vector<CCell> Cells(const CRuvlenDoc& doc) {
    std::vector<CCell> cells;
    for (int y = 0; y < CRuvlenDoc::GRID; ++y)
        for (int x = 0; x < CRuvlenDoc::GRID; ++x) cells.push_back(doc.Cell(x, y));
    return cells;
}

} // namespace

class ImageExportTest : public QObject {
    Q_OBJECT

private slots:
    void sizes_data();
    void knownPixels_data() { sizes_data(); }
    void knownPixels();
    void transparentBackground_data() { sizes_data(); }
    void transparentBackground();
    void samePixelsAsPrintingWithoutSelection();
    void pngFileLeavesDocumentAlone();
    void failedExportReportsAndLeavesNoFile();
    void areaEqualsCanvasCutByHand();
};

void ImageExportTest::sizes_data() {
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<int>("d");
    QTest::newRow("size 2") << 2 << 12;
    QTest::newRow("size 5") << 5 << 25;
}

void ImageExportTest::knownPixels() {
    QFETCH(int, fontSize);
    QFETCH(int, d);
    auto doc = MakeDoc(fontSize);
    const QImage image = RenderCanvasImage(*doc, fontSize, false);
    QCOMPARE(image.size(), QSize(12 * d, 10 * d));
    QCOMPARE(image.pixel(0, 0), kWhite);
    QCOMPARE(image.pixel(12 * d - 1, 10 * d - 1), kWhite);

    // The thick stroke runs through the whole cell on the rows the window uses,
    // and nothing else of the cell is inked.
    const CLineStrokes strokes = CLineStrokes::For(d);
    const int top = d + (d - strokes.thick) / 2;
    for (int x = d; x < 2 * d; ++x) {
        for (int y = d; y < 2 * d; ++y) {
            const bool stroke = y >= top && y < top + strokes.thick;
            QCOMPARE(image.pixel(x, y), stroke ? kBlack : kWhite);
        }
    }
    // The kanji has ink, the blank cell beside it none.
    QVERIFY(InkCount(image, 3, 1, d, kWhite) > d);
    QCOMPARE(InkCount(image, 4, 1, d, kWhite), 0);
    // Two half-width characters: ink in each half.
    QVERIFY(InkCount(image, 5, 1, d, kWhite) > 0);
    int left = 0, right = 0;
    for (int y = d; y < 2 * d; ++y)
        for (int x = 5 * d; x < 6 * d; ++x)
            (x < 5 * d + d / 2 ? left : right) += image.pixel(x, y) != kWhite;
    QVERIFY(left > 0 && right > 0);
}

void ImageExportTest::transparentBackground() {
    QFETCH(int, fontSize);
    QFETCH(int, d);
    auto doc = MakeDoc(fontSize);
    const QImage image = RenderCanvasImage(*doc, fontSize, true);
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(4 * d + d / 2, d + d / 2)), 0); // a blank cell
    const CLineStrokes strokes = CLineStrokes::For(d);
    const int strokeY = d + (d - strokes.thick) / 2;
    QCOMPARE(image.pixel(d, strokeY), qRgba(0, 0, 0, 255));
    QCOMPARE(qAlpha(image.pixel(d, strokeY - 1)), 0);
    // The kanji is black ink, smoothed into alpha, on nothing.
    int strong = 0;
    for (int y = d; y < 2 * d; ++y) {
        for (int x = 3 * d; x < 4 * d; ++x) {
            const QRgb c = image.pixel(x, y);
            strong += qAlpha(c) > 128;
            QVERIFY(qAlpha(c) == 0 || qGray(c) < 128);
        }
    }
    QVERIFY(strong > 0);
}

// Printing paints the cells through the same cell painter; the picture is its
// cells' area, minus the selection printing highlights.
void ImageExportTest::samePixelsAsPrintingWithoutSelection() {
    for (int fontSize : {0, 3}) {
        auto doc = MakeDoc(fontSize);
        doc->Cell(7, 4).SetLineFlags(LF_ARMS | LF_VTHICK);
        doc->Cell(8, 4).SetText("\x82\xA0");
        const CCanvasGeometry g = CCanvasGeometry::For(*doc, kExportDpi);
        QImage printed(g.totalWidth, g.totalHeight, QImage::Format_RGB32);
        printed.fill(Qt::white);
        {
            QPainter p(&printed);
            CCanvasPainter::Options options;
            options.printing = true;
            CCanvasPainter().Paint(p, *doc, kExportDpi, printed.rect(), options);
        }
        doc->Select(nullptr, 0, 0, 4, 3);
        const QImage exported = RenderCanvasImage(*doc, fontSize, false);
        const QRect cells(g.originX, g.originY, g.columns * g.d, g.lines * g.d);
        QCOMPARE(exported.size(), cells.size());
        QVERIFY(exported == printed.copy(cells));
    }
}

void ImageExportTest::pngFileLeavesDocumentAlone() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string path = dir.filePath(QStringLiteral("表.png")).toStdString();
    auto doc = MakeDoc(2);
    doc->Select(nullptr, 1, 1, 3, 3);
    for (int modified : {0, 1}) {
        doc->SetModifiedFlag(modified);
        const std::vector<CCell> before = Cells(*doc);
        std::string error;
        QVERIFY2(ExportPng(*doc, path, 5, false, error), error.c_str());
        QVERIFY(Cells(*doc) == before);
        QCOMPARE(doc->IsModified(), modified);
        QCOMPARE(doc->m_nFontSize, 2);
        QCOMPARE(doc->m_bSelection, 1);
    }
    const QImage read(QString::fromStdString(path), "PNG");
    QCOMPARE(read.size(), QSize(12 * 25, 10 * 25));
    QCOMPARE(read.convertToFormat(QImage::Format_RGB32), RenderCanvasImage(*doc, 5, false));
    QCOMPARE(read.dotsPerMeterX(), 3780); // 96 dpi

    // The transparent file keeps every pixel's opacity.
    std::string error;
    QVERIFY2(ExportPng(*doc, path, 2, true, error), error.c_str());
    const QImage clear(QString::fromStdString(path), "PNG");
    QVERIFY(clear.hasAlphaChannel());
    QCOMPARE(clear.convertToFormat(QImage::Format_ARGB32_Premultiplied),
             RenderCanvasImage(*doc, 2, true));
    QCOMPARE(clear.dotsPerMeterX(), 3780);
}

void ImageExportTest::failedExportReportsAndLeavesNoFile() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    auto doc = MakeDoc(2);
    const std::string path = dir.filePath(QStringLiteral("missing/canvas.png")).toStdString();
    std::string error;
    QVERIFY(!ExportPng(*doc, path, 2, true, error));
    QVERIFY2(error.find(path) != std::string::npos, error.c_str());
    QVERIFY(QDir(dir.path()).isEmpty());

    // A size outside the six is refused before anything is written.
    const std::string other = dir.filePath(QStringLiteral("canvas.png")).toStdString();
    error.clear();
    QVERIFY(!ExportPng(*doc, other, 6, false, error));
    QVERIFY(!error.empty());
    QVERIFY(!QFile::exists(QString::fromStdString(other)));
    QCOMPARE(doc->IsModified(), 0);
}

// The picture of the used area, and of a selection over exactly it, is the
// whole picture of a canvas holding only those cells, made by hand.
void ImageExportTest::areaEqualsCanvasCutByHand() {
    for (int fontSize : {0, 2, 5}) {
        auto doc = MakeDoc(fontSize);
        doc->Cell(7, 4).SetLineFlags(LF_ARMS | LF_VTHICK);
        doc->Cell(8, 6).SetText("\x82\xA0");
        doc->Cell(50, 50).SetText("zz"); // off the canvas: not part of the used area
        CCellRect rc;
        std::string error;
        QVERIFY2(ExportAreaRect(*doc, EExportArea::Used, rc, error), error.c_str());
        QCOMPARE(rc, (CCellRect{1, 1, 8, 6}));
        auto cropped = std::make_unique<CRuvlenDoc>(CCanvasDefaults());
        cropped->m_nColumns = rc.Width();
        cropped->m_nLines = rc.Height();
        for (int y = rc.top; y <= rc.bottom; ++y)
            for (int x = rc.left; x <= rc.right; ++x)
                cropped->Cell(x - rc.left, y - rc.top) = doc->Cell(x, y);
        doc->Select(nullptr, rc.left, rc.top, rc.right, rc.bottom);
        CCellRect selected;
        QVERIFY(ExportAreaRect(*doc, EExportArea::Selection, selected, error));
        for (bool transparent : {false, true}) {
            const QImage area = RenderCanvasImage(*doc, rc, fontSize, transparent);
            QCOMPARE(area, RenderCanvasImage(*cropped, fontSize, transparent));
            const QByteArray png = CanvasPng(*doc, rc, fontSize, transparent);
            QVERIFY(!png.isEmpty());
            QCOMPARE(png, CanvasPng(*cropped, fontSize, transparent));
            QCOMPARE(CanvasPng(*doc, selected, fontSize, transparent), png);
        }
    }
}

QTEST_MAIN(ImageExportTest)
#include "ImageExportTest.moc"
