// The canvas painted into images: known pixels of every layer (bands, shadow,
// rulers, cells, selection, grid, frame) at three font sizes, ruled lines that
// join across cells and at thin/thick junctions, painting limited to the
// exposed rectangle, the glyph cache following changed cells, printing's
// cells-only output and the background on a dark desktop theme.

#include "view/CanvasPainter.h"
#include "canvas/RuvlenDoc.h"
#include "view/CellGlyphCache.h"
#include "view/CellPainter.h"
#include "view/LineCellPainter.h"

#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

const QRgb kGrey = qRgb(192, 192, 192);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kSentinel = qRgb(10, 200, 30); // never painted by the canvas
const int kDpi = 96;

const char kKanji[] = "\x8A\xBF"; // 漢

std::unique_ptr<CRuvlenDoc> MakeDoc(int fontSize, int columns = 12, int lines = 11) {
    CCanvasDefaults defaults;
    defaults.m_nDefaultTextSize = fontSize;
    defaults.m_nDefaultColumns = columns;
    defaults.m_nDefaultLines = lines;
    auto doc = std::make_unique<CRuvlenDoc>(defaults);
    doc->ComputeMetrics(kDpi);
    return doc;
}

struct Surface {
    QImage image;
    CCanvasGeometry g;
    QRgb At(int x, int y) const { return image.pixel(x, y) | 0xFF000000u; }
    // Top-left pixel of a cell.
    QPoint Cell(int c, int r) const { return {g.originX + c * g.d, g.originY + r * g.d}; }
};

struct PaintArgs {
    QRect exposed; // null: the whole surface
    QColor background = Qt::white;
    QRgb fill = kSentinel; // the image before painting
    bool erase = true;     // erase the exposed area with the background first
    bool printing = false;
    int dpi = kDpi;
};

// Paints the canvas the way the view does: the exposed area erased with the
// background, then the painter. Everything else keeps `fill`.
Surface Paint(CCanvasPainter& painter, const CRuvlenDoc& doc, const PaintArgs& a = {}) {
    Surface s;
    s.g = CCanvasGeometry::For(doc, a.dpi);
    s.image = QImage(s.g.totalWidth, s.g.totalHeight, QImage::Format_RGB32);
    s.image.fill(a.fill);
    const QRect exposed = a.exposed.isNull() ? s.image.rect() : a.exposed;
    QPainter p(&s.image);
    if (a.erase) p.fillRect(exposed, a.printing ? QColor(Qt::white) : a.background);
    CCanvasPainter::Options options;
    options.printing = a.printing;
    options.background = a.background;
    painter.Paint(p, doc, a.dpi, exposed, options);
    return s;
}

Surface Paint(const CRuvlenDoc& doc, const PaintArgs& a = {}) {
    CCanvasPainter painter;
    return Paint(painter, doc, a);
}

bool IsInk(QRgb c) {
    return qGray(c) < 160;
}

int InkCount(const QImage& image, const QRect& area, QRgb paper) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) | 0xFF000000u) != (paper | 0xFF000000u)) ++n;
    return n;
}

// The black pixels of one pixel column or row inside a cell's span.
std::vector<int> BlackRows(const Surface& s, int x, int top) {
    std::vector<int> rows;
    for (int y = top; y < top + s.g.d; ++y)
        if (s.At(x, y) == kBlack) rows.push_back(y - top);
    return rows;
}
std::vector<int> BlackColumns(const Surface& s, int y, int left) {
    std::vector<int> cols;
    for (int x = left; x < left + s.g.d; ++x)
        if (s.At(x, y) == kBlack) cols.push_back(x - left);
    return cols;
}

void SetLine(CRuvlenDoc& doc, int c, int r, int flags) {
    doc.Cell(c, r).SetLineFlags(flags);
}

} // namespace

class CanvasPainterTest : public QObject {
    Q_OBJECT

private slots:
    void fontSizes_data();
    void margins_data() { fontSizes_data(); }
    void margins();
    void gridAndFrame_data() { fontSizes_data(); }
    void gridAndFrame();
    void rulers_data() { fontSizes_data(); }
    void rulers();
    void cellsAndSelection_data() { fontSizes_data(); }
    void cellsAndSelection();
    void redBackgroundHighlightsYellow();
    void lineJunctions_data() { fontSizes_data(); }
    void lineJunctions();
    void onlyExposedIsPainted_data() { fontSizes_data(); }
    void onlyExposedIsPainted();
    void cacheFollowsChangedCells();
    void cacheOverBudgetPaintsTheSame();
    void devicePixelRatioTwo();
    void printingPaintsOnlyCells();
    void darkPaletteGivesWhite();
};

void CanvasPainterTest::fontSizes_data() {
    QTest::addColumn<int>("fontSize");
    QTest::newRow("size 0") << 0;
    QTest::newRow("size 2") << 2;
    QTest::newRow("size 5") << 5;
}

// Bands: one cell above and left, one and a half right and below; shadow half
// a cell in from the corners, g - 1 pixels thick, touching the frame.
void CanvasPainterTest::margins() {
    QFETCH(int, fontSize);
    auto doc = MakeDoc(fontSize);
    const Surface s = Paint(*doc);
    const int d = s.g.d, g = d / 2, ox = s.g.originX, oy = s.g.originY;
    const int R = ox + s.g.canvasWidth, B = oy + s.g.canvasHeight;

    QCOMPARE(s.At(ox - d, oy - d), kGrey);
    QCOMPARE(s.At(ox - d - 1, oy - d), kWhite);
    QCOMPARE(s.At(ox - d, oy - d - 1), kWhite);
    QCOMPARE(s.At(ox - 1, oy + 2), kGrey);        // left band meets the frame
    QCOMPARE(s.At(ox + 2, oy - 1), kGrey);        // top band meets the frame
    QCOMPARE(s.At(R + d + g - 2, oy - d), kGrey); // right end of the top band
    QCOMPARE(s.At(R + d + g - 1, oy - d), kWhite);
    QCOMPARE(s.At(R + d + g - 2, B + d + g - 2), kGrey);
    QCOMPARE(s.At(R + d + g - 1, B + d + g - 2), kWhite);
    QCOMPARE(s.At(R + d + g - 2, B + d + g - 1), kWhite);
    QCOMPARE(s.At(ox - d, B + d + g - 2), kGrey);
    QCOMPARE(s.At(ox - d, B + d + g - 1), kWhite);
    QCOMPARE(s.At(ox + 2, oy + 2), kWhite); // the canvas keeps the background

    QCOMPARE(s.At(R, oy + g), kBlack); // shadow on the right
    QCOMPARE(s.At(R, oy + g - 1), kGrey);
    QCOMPARE(s.At(R + g - 2, B + g - 2), kBlack);
    QCOMPARE(s.At(R + g - 1, oy + g), kGrey);
    QCOMPARE(s.At(R + g - 2, B + g - 1), kGrey);
    QCOMPARE(s.At(ox + g, B), kBlack); // shadow below
    QCOMPARE(s.At(ox + g - 1, B), kGrey);
    QCOMPARE(s.At(ox + g, B + g - 1), kGrey);
}

void CanvasPainterTest::gridAndFrame() {
    QFETCH(int, fontSize);
    auto doc = MakeDoc(fontSize);
    Surface s = Paint(*doc);
    const int d = s.g.d, ox = s.g.originX, oy = s.g.originY;

    QCOMPARE(s.At(ox, oy), kBlack); // frame corners and edges
    QCOMPARE(s.At(ox + 12 * d, oy + 11 * d), kBlack);
    QCOMPARE(s.At(ox + 3 * d + 2, oy), kBlack);
    QCOMPARE(s.At(ox, oy + 7 * d + 1), kBlack);
    QCOMPARE(s.At(ox + 12 * d, oy + 4 * d + 3), kBlack);
    QCOMPARE(s.At(ox + 5 * d + 2, oy + 11 * d), kBlack);
    QCOMPARE(s.At(ox + 1, oy + 1), kWhite);

    const QPoint dot = s.Cell(1, 1); // an inner grid intersection
    QCOMPARE(s.At(dot.x(), dot.y()), kBlack);
    QCOMPARE(s.At(dot.x() + 1, dot.y()), kWhite);
    QCOMPARE(s.At(dot.x(), dot.y() + 1), kWhite);
    QCOMPARE(s.At(dot.x() - 1, dot.y() - 1), kWhite);
    const QPoint lastDot = s.Cell(11, 10);
    QCOMPARE(s.At(lastDot.x(), lastDot.y()), kBlack);

    const QPoint cross = s.Cell(5, 5); // seven grey pixels each way, over the dot
    for (int i = -3; i <= 3; ++i) {
        QCOMPARE(s.At(cross.x() + i, cross.y()), kGrey);
        QCOMPARE(s.At(cross.x(), cross.y() + i), kGrey);
    }
    QCOMPARE(s.At(cross.x() + 4, cross.y()), kWhite);
    QCOMPARE(s.At(cross.x() - 4, cross.y()), kWhite);
    QCOMPARE(s.At(cross.x(), cross.y() + 4), kWhite);
    QCOMPARE(s.At(cross.x() + 1, cross.y() + 1), kWhite);
    const QPoint cross2 = s.Cell(10, 10);
    QCOMPARE(s.At(cross2.x(), cross2.y()), kGrey);
    const QPoint noCross = s.Cell(5, 10); // only inside the canvas: 10 lines < 11
    QCOMPARE(s.At(noCross.x(), noCross.y()), kGrey);

    doc->m_bGrid = 0;
    s = Paint(*doc);
    QCOMPARE(s.At(dot.x(), dot.y()), kWhite);
    QCOMPARE(s.At(cross.x(), cross.y()), kWhite);
    QCOMPARE(s.At(ox, oy), kBlack);
}

// Every label's ink lies inside the band cell before its column or line, and
// nothing else in the bands is inked.
void CanvasPainterTest::rulers() {
    QFETCH(int, fontSize);
    auto doc = MakeDoc(fontSize);
    const Surface s = Paint(*doc);
    const int d = s.g.d, ox = s.g.originX, oy = s.g.originY;
    const QRect topLabels[] = {{ox + 4 * d, d, d, d}, {ox + 9 * d, d, d, d}};
    const QRect leftLabels[] = {{d, oy + 4 * d, d, d}, {d, oy + 9 * d, d, d}};
    const QRect topBand(ox - d, d, s.g.canvasWidth + 2 * d, d);
    const QRect leftBand(d, oy, d, s.g.canvasHeight);
    for (const QRect& band : {topBand, leftBand}) {
        for (int y = band.top(); y <= band.bottom(); ++y) {
            for (int x = band.left(); x <= band.right(); ++x) {
                if (s.At(x, y) == kGrey) continue;
                bool inLabel = false;
                for (const QRect& r : topLabels) inLabel = inLabel || r.contains(x, y);
                for (const QRect& r : leftLabels) inLabel = inLabel || r.contains(x, y);
                if (!inLabel)
                    QFAIL(qPrintable(QString("ink outside labels at %1,%2").arg(x).arg(y)));
            }
        }
    }
    for (const QRect& r : topLabels) QVERIFY(InkCount(s.image, r, kGrey) > 0);
    for (const QRect& r : leftLabels) QVERIFY(InkCount(s.image, r, kGrey) > 0);
    // "10" is two half-width digits: ink in both halves of its cell.
    QVERIFY(InkCount(s.image, QRect(ox + 9 * d, d, d / 2, d), kGrey) > 0);
    QVERIFY(InkCount(s.image, QRect(ox + 9 * d + d / 2, d, d - d / 2, d), kGrey) > 0);
}

// Text cells are inked; blank ones (two spaces, the full-width space) are not
// painted at all unless selected, when they show as a solid red block.
void CanvasPainterTest::cellsAndSelection() {
    QFETCH(int, fontSize);
    auto doc = MakeDoc(fontSize);
    doc->m_bGrid = 0;
    doc->Cell(1, 1).SetText(kKanji);
    doc->Cell(2, 1).SetText("ab");
    doc->Cell(4, 1).SetText(SJIS_IDEO_SPACE);
    doc->Cell(7, 3).SetText(kKanji);
    doc->Select(nullptr, 6, 2, 8, 4);
    const Surface s = Paint(*doc);
    const int d = s.g.d;
    auto cell = [&](int c, int r) { return QRect(s.Cell(c, r), QSize(d, d)); };

    int ink = 0;
    const QRect kanji = cell(1, 1);
    for (int y = kanji.top(); y <= kanji.bottom(); ++y)
        for (int x = kanji.left(); x <= kanji.right(); ++x) ink += IsInk(s.At(x, y));
    QVERIFY2(ink >= d, qPrintable(QString::number(ink)));
    const QRect ab = cell(2, 1);
    QVERIFY(InkCount(s.image, QRect(ab.left(), ab.top(), d / 2, d), kWhite) > 0);
    QVERIFY(InkCount(s.image, QRect(ab.left() + d / 2, ab.top(), d - d / 2, d), kWhite) > 0);

    // Painted without erasing first, unselected blank cells keep what was there.
    PaintArgs over;
    over.erase = false;
    const Surface o = Paint(*doc, over);
    for (const QRect& blank : {cell(3, 1), cell(4, 1), cell(0, 5)})
        QCOMPARE(InkCount(o.image, blank.adjusted(1, 1, -1, -1), kSentinel), 0);
    QVERIFY(InkCount(o.image, kanji, kSentinel) == d * d); // a cell paints its whole square

    const QRect selectedBlank = cell(6, 2);
    for (int y = selectedBlank.top(); y <= selectedBlank.bottom(); ++y)
        for (int x = selectedBlank.left(); x <= selectedBlank.right(); ++x)
            QCOMPARE(s.At(x, y), kRed);
    const QRect selectedKanji = cell(7, 3);
    int light = 0, dark = 0; // white ink on red: nothing black
    for (int y = selectedKanji.top(); y <= selectedKanji.bottom(); ++y) {
        for (int x = selectedKanji.left(); x <= selectedKanji.right(); ++x) {
            light += qGreen(s.At(x, y)) > 128;
            dark += qRed(s.At(x, y)) < 128;
        }
    }
    QVERIFY(light > 0);
    QCOMPARE(dark, 0);
    QCOMPARE(s.At(cell(8, 4).right(), cell(8, 4).bottom()), kRed);
    QCOMPARE(s.At(cell(9, 4).left() + 1, cell(9, 4).top() + 1), kWhite);
}

void CanvasPainterTest::redBackgroundHighlightsYellow() {
    auto doc = MakeDoc(2);
    doc->Select(nullptr, 1, 1, 2, 2);
    PaintArgs args;
    args.background = QColor(255, 0, 0);
    const Surface s = Paint(*doc, args);
    const QPoint sel = s.Cell(1, 1) + QPoint(3, 3);
    QCOMPARE(s.At(sel.x(), sel.y()), qRgb(255, 255, 0));
    // An almost red background keeps the red highlight.
    args.background = QColor(254, 0, 0);
    const Surface t = Paint(*doc, args);
    QCOMPARE(t.At(sel.x(), sel.y()), kRed);
}

// A thick vertical line with a thin branch (┃ ┠ ┃ and ─ ─), a thick horizontal
// line with a thin branch (━ ┯ ━ over │) and a thick corner (┏ ━ / ┃): strokes
// have the documented widths, keep their rows and columns from cell to cell and
// run without a gap from one cell into the next and into the junction.
void CanvasPainterTest::lineJunctions() {
    QFETCH(int, fontSize);
    auto doc = MakeDoc(fontSize);
    doc->m_bGrid = 0;
    SetLine(*doc, 2, 1, 42);
    SetLine(*doc, 2, 2, 43);
    SetLine(*doc, 2, 3, 42);
    SetLine(*doc, 3, 2, 5);
    SetLine(*doc, 4, 2, 5);
    SetLine(*doc, 6, 5, 21);
    SetLine(*doc, 7, 5, 23);
    SetLine(*doc, 8, 5, 21);
    SetLine(*doc, 7, 6, 10);
    SetLine(*doc, 1, 8, 51);
    SetLine(*doc, 2, 8, 21);
    SetLine(*doc, 1, 9, 42);
    const Surface s = Paint(*doc);
    const int d = s.g.d;
    const CLineStrokes strokes = CLineStrokes::For(d);
    auto left = [&](int c) { return s.g.originX + c * d; };
    auto top = [&](int r) { return s.g.originY + r * d; };

    // ┠ and its thin arm into ─ ─.
    const std::vector<int> thinRows = BlackRows(s, left(3), top(2));
    QCOMPARE(int(thinRows.size()), strokes.thin);
    QCOMPARE(BlackRows(s, left(3) - 1, top(2)), thinRows);
    QCOMPARE(BlackRows(s, left(5) - 1, top(2)), thinRows);
    for (int x = left(2) + d / 2; x < left(5); ++x) QCOMPARE(s.At(x, top(2) + thinRows[0]), kBlack);
    const std::vector<int> thickCols = BlackColumns(s, top(2), left(2));
    QCOMPARE(int(thickCols.size()), strokes.thick);
    QCOMPARE(BlackColumns(s, top(2) - 1, left(2)), thickCols);
    QCOMPARE(BlackColumns(s, top(3), left(2)), thickCols);
    QCOMPARE(BlackColumns(s, top(4) - 1, left(2)), thickCols);
    for (int y = top(1); y < top(4); ++y) QCOMPARE(s.At(left(2) + thickCols[0], y), kBlack);

    // ━ ┯ ━ and the thin │ below the junction.
    const std::vector<int> thickRows = BlackRows(s, left(7), top(5));
    QCOMPARE(int(thickRows.size()), strokes.thick);
    QCOMPARE(BlackRows(s, left(7) - 1, top(5)), thickRows);
    QCOMPARE(BlackRows(s, left(8), top(5)), thickRows);
    QCOMPARE(BlackRows(s, left(8) - 1, top(5)), thickRows);
    const std::vector<int> thinCols = BlackColumns(s, top(6), left(7));
    QCOMPARE(int(thinCols.size()), strokes.thin);
    QCOMPARE(BlackColumns(s, top(6) - 1, left(7)), thinCols);
    QCOMPARE(BlackColumns(s, top(7) - 1, left(7)), thinCols);
    for (int y = top(5) + d / 2; y < top(7); ++y) QCOMPARE(s.At(left(7) + thinCols[0], y), kBlack);
    QVERIFY(thinRows[0] >= thickRows.front() && thinRows.back() <= thickRows.back());
    QVERIFY(thinCols[0] >= thickCols.front() && thinCols.back() <= thickCols.back());

    // ┏: square outer corner, arms continuing into ━ and ┃.
    QCOMPARE(BlackRows(s, left(2) - 1, top(8)), thickRows);
    QCOMPARE(BlackRows(s, left(2), top(8)), thickRows);
    QCOMPARE(BlackColumns(s, top(9) - 1, left(1)), thickCols);
    QCOMPARE(BlackColumns(s, top(9), left(1)), thickCols);
    QCOMPARE(s.At(left(1) + thickCols[0], top(8) + thickRows[0]), kBlack);
    QCOMPARE(s.At(left(1) + thickCols[0] - 1, top(8) + thickRows[0]), kWhite);
    QCOMPARE(s.At(left(1) + thickCols[0], top(8) + thickRows[0] - 1), kWhite);
}

// Painting an exposed rectangle (cutting through cells, a ruler, a cross and
// the selection) gives the full paint's pixels inside it and nothing outside.
void CanvasPainterTest::onlyExposedIsPainted() {
    QFETCH(int, fontSize);
    auto doc = MakeDoc(fontSize);
    for (int c = 0; c < 12; ++c) doc->Cell(c, 4).SetText(c % 2 ? kKanji : "xy");
    for (int r = 0; r < 11; ++r) SetLine(*doc, 5, r, 10);
    doc->Select(nullptr, 3, 3, 6, 6);
    const Surface full = Paint(*doc);
    const int d = full.g.d;
    const QRect exposed(d / 2 + 1, full.g.originY + 2 * d + 1, full.g.originX + 6 * d,
                        3 * d + d / 2);
    PaintArgs args;
    args.exposed = exposed;
    const Surface part = Paint(*doc, args);
    for (int y = 0; y < part.image.height(); ++y) {
        for (int x = 0; x < part.image.width(); ++x) {
            const QRgb expected = exposed.contains(x, y) ? full.At(x, y) : kSentinel;
            if (part.At(x, y) != expected)
                QFAIL(qPrintable(QString("pixel %1,%2 differs").arg(x).arg(y)));
        }
    }
}

// The same painter (warm cache) after cells change, or the selection moves,
// paints what a fresh painter paints.
void CanvasPainterTest::cacheFollowsChangedCells() {
    auto doc = MakeDoc(2);
    doc->Cell(1, 1).SetText("ab");
    doc->Cell(2, 1).SetText(kKanji);
    SetLine(*doc, 3, 1, 5);
    CCanvasPainter painter;
    const QImage first = Paint(painter, *doc).image;
    doc->Cell(1, 1).SetText("ac");
    doc->Cell(3, 1).SetLineFlags(21);
    doc->Select(nullptr, 2, 1, 2, 1);
    const QImage second = Paint(painter, *doc).image;
    QVERIFY(second != first);
    QCOMPARE(second, Paint(*doc).image);
    doc->m_nFontSize = 5; // a new cell size renders anew
    QCOMPARE(Paint(painter, *doc).image, Paint(*doc).image);
}

// Past its budget the cache paints cells directly, with the same pixels, and
// stays within the budget.
void CanvasPainterTest::cacheOverBudgetPaintsTheSame() {
    const int d = 12;
    std::vector<CCell> cells(40);
    for (int i = 0; i < 40; ++i) {
        const char text[3] = {char('A' + i % 26), char('a' + i / 26), 0};
        cells[i].SetText(text);
    }
    CCellGlyphCache small(5 * (d * d * 4 + 200));
    CCellGlyphCache large;
    QImage a(40 * d, 2 * d, QImage::Format_RGB32), b = a;
    for (int round = 0; round < 2; ++round) {
        QPainter pa(&a), pb(&b);
        small.BeginPaint(d, 1);
        large.BeginPaint(d, 1);
        for (int i = 0; i < 40; ++i) {
            small.Draw(pa, QPoint(i * d, round * d), cells[i], Qt::black, Qt::white);
            large.Draw(pb, QPoint(i * d, round * d), cells[i], Qt::black, Qt::white);
        }
    }
    QCOMPARE(a, b);
    QVERIFY(small.Count() <= 5);
    QCOMPARE(large.Count(), 40);
}

// On a device with two pixels per logical pixel everything doubles: the
// selection covers 2d x 2d pixels, a grid dot 2 x 2, and lines still join.
void CanvasPainterTest::devicePixelRatioTwo() {
    auto doc = MakeDoc(2);
    doc->Select(nullptr, 1, 1, 1, 1);
    SetLine(*doc, 3, 3, 21);
    SetLine(*doc, 4, 3, 23);
    SetLine(*doc, 4, 4, 10);
    const CCanvasGeometry g = CCanvasGeometry::For(*doc, kDpi);
    QImage image(2 * g.totalWidth, 2 * g.totalHeight, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    CCanvasPainter painter;
    QPainter p(&image);
    painter.Paint(p, *doc, kDpi, QRect(0, 0, g.totalWidth, g.totalHeight), {});
    p.end();
    const int d = g.d;
    const QPoint sel(2 * (g.originX + d), 2 * (g.originY + d));
    QCOMPARE(image.pixel(sel + QPoint(2, 2)), kRed); // beside the grid dot
    QCOMPARE(image.pixel(sel + QPoint(2 * d - 1, 2 * d - 1)), kRed);
    QCOMPARE(image.pixel(sel + QPoint(2 * d + 2, 2)), kWhite);
    const QPoint dot(2 * (g.originX + 7 * d), 2 * (g.originY + 8 * d));
    for (const QPoint& offset : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
        QCOMPARE(image.pixel(dot + offset), kBlack);
    for (const QPoint& offset : {QPoint(-1, 0), QPoint(2, 0), QPoint(0, -1), QPoint(0, 2)})
        QCOMPARE(image.pixel(dot + offset), kWhite);
    const int x3 = 2 * (g.originX + 4 * d), y3 = 2 * (g.originY + 3 * d);
    int rows = 0, cols = 0;
    for (int y = y3 + 2; y < y3 + 2 * d; ++y) { // below the grid dot
        rows += image.pixel(x3 - 1, y) == kBlack;
        QCOMPARE(image.pixel(x3 - 1, y), image.pixel(x3, y));
    }
    QCOMPARE(rows, 2 * CLineStrokes::For(d).thick);
    const int yBelow = y3 + 2 * d;
    for (int x = x3 + 2; x < x3 + 2 * d; ++x) {
        cols += image.pixel(x, yBelow) == kBlack;
        QCOMPARE(image.pixel(x, yBelow - 1), image.pixel(x, yBelow));
    }
    QCOMPARE(cols, 2 * CLineStrokes::For(d).thin);
}

// On paper: no bands, rulers, grid or frame; cells at the printer's cell size,
// on white, the selection still white on red.
void CanvasPainterTest::printingPaintsOnlyCells() {
    auto doc = MakeDoc(2);
    doc->Cell(0, 0).SetText(kKanji);
    doc->Select(nullptr, 2, 2, 3, 3);
    PaintArgs args;
    args.fill = kWhite;
    args.printing = true;
    args.dpi = 300;
    const Surface s = Paint(*doc, args);
    const int d = s.g.d;
    QCOMPARE(d, 39);
    QCOMPARE(s.g.originX, 78);
    for (int y = 0; y < s.image.height(); y += 3) {
        for (int x = 0; x < s.image.width(); x += 3) {
            const bool inKanji = QRect(s.Cell(0, 0), QSize(d, d)).contains(x, y);
            const bool inSelection = QRect(s.Cell(2, 2), QSize(2 * d, 2 * d)).contains(x, y);
            if (!inKanji && !inSelection && s.At(x, y) != kWhite)
                QFAIL(qPrintable(QString("pixel %1,%2 painted").arg(x).arg(y)));
        }
    }
    QVERIFY(InkCount(s.image, QRect(s.Cell(0, 0), QSize(d, d)), kWhite) > d);
    QCOMPARE(s.At(s.Cell(2, 2).x(), s.Cell(2, 2).y()), kRed); // no grid dot over it
    QCOMPARE(s.At(s.Cell(4, 4).x() - 1, s.Cell(4, 4).y() - 1), kRed);
    QCOMPARE(doc->m_nCellSize, 12); // the document keeps the screen geometry
}

void CanvasPainterTest::darkPaletteGivesWhite() {
    QPalette light;
    light.setColor(QPalette::Base, QColor(250, 248, 240));
    light.setColor(QPalette::Window, QColor(230, 230, 230));
    QCOMPARE(CCanvasPainter::CanvasBackground(light), QColor(250, 248, 240));
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(30, 30, 35));
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    QCOMPARE(CCanvasPainter::CanvasBackground(dark), QColor(Qt::white));
    QPalette red;
    red.setColor(QPalette::Base, QColor(255, 0, 0));
    QCOMPARE(CCanvasPainter::CanvasBackground(red), QColor(255, 0, 0));
}

QTEST_MAIN(CanvasPainterTest)
#include "CanvasPainterTest.moc"
