#include "view/CanvasPainter.h"

#include "canvas/RuvlenDoc.h"
#include "view/CellGlyphCache.h"
#include "view/CellPainter.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPalette>
#include <QPolygon>
#include <QVector>

#include <algorithm>
#include <cmath>

namespace {

const QColor kBandGrey(192, 192, 192);
const QColor kCrossGrey(192, 192, 192);

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
int CeilDiv(int a, int b) {
    return -FloorDiv(-a, b);
}

// The columns or lines whose pixels [origin + i d, origin + (i + 1) d) meet
// [low, high], limited to [first, last]; empty when first > last.
struct IndexRange {
    int first, last;
};
IndexRange CellsMeeting(int origin, int d, int low, int high, int count) {
    return {std::max(0, FloorDiv(low - origin, d)),
            std::min(count - 1, FloorDiv(high - origin, d))};
}
// The inner grid lines origin + i d (0 < i < count) lying in [low, high].
IndexRange GridLinesIn(int origin, int d, int low, int high, int count) {
    return {std::max(1, CeilDiv(low - origin, d)), std::min(count - 1, FloorDiv(high - origin, d))};
}

// Cached images need a raster device and whole device pixels per logical one.
bool CanUseCache(QPainter& p) {
    const QPaintEngine* engine = p.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster) return false;
    const QTransform& t = p.deviceTransform();
    const qreal dpr = p.device()->devicePixelRatio();
    return t.type() <= QTransform::TxScale && t.m11() == dpr && t.m22() == dpr &&
           std::floor(dpr) == dpr && std::floor(t.dx()) == t.dx() && std::floor(t.dy()) == t.dy();
}

// Black one-pixel dots at the grid intersections of the given columns and
// lines. Points are much faster, but only on a plain pixel grid does a point
// cover exactly its pixel; elsewhere one-pixel squares do.
void PaintDots(QPainter& p, const CCanvasGeometry& g, const IndexRange& cols,
               const IndexRange& rows) {
    if (cols.first > cols.last || rows.first > rows.last) return;
    const bool plain = p.deviceTransform().type() <= QTransform::TxTranslate;
    QPolygon points;
    QVector<QRect> squares;
    for (int r = rows.first; r <= rows.last; ++r) {
        for (int c = cols.first; c <= cols.last; ++c) {
            const QPoint at(g.originX + c * g.d, g.originY + r * g.d);
            if (plain)
                points.append(at);
            else
                squares.append(QRect(at, QSize(1, 1)));
        }
    }
    p.setPen(plain ? QPen(Qt::black, 1) : QPen(Qt::NoPen));
    p.setBrush(Qt::black);
    if (plain)
        p.drawPoints(points);
    else
        p.drawRects(squares);
}

// Sends every cell either through the glyph cache (raster devices) or straight
// to the device (printers, print preview, odd scales), which keeps vector output.
class CellSink {
public:
    CellSink(QPainter& p, CCellGlyphCache& cache, int d, bool linesAtLeastOnePixel)
        : m_p(p), m_cache(cache), m_d(d), m_bCached(CanUseCache(p) && !linesAtLeastOnePixel),
          m_bHairlines(linesAtLeastOnePixel) {
        if (m_bCached)
            m_cache.BeginPaint(d, static_cast<int>(p.device()->devicePixelRatio()));
        else
            m_p.setFont(CellFont(d));
    }
    void Draw(int x, int y, const CCell& cell, const QColor& ink, const QColor& paper) {
        if (m_bCached)
            m_cache.Draw(m_p, QPoint(x, y), cell, ink, paper);
        else
            PaintCell(m_p, QRect(x, y, m_d, m_d), cell, ink, paper, m_bHairlines);
    }

private:
    QPainter& m_p;
    CCellGlyphCache& m_cache;
    int m_d;
    bool m_bCached;
    bool m_bHairlines;
};

} // namespace

struct CCanvasPainter::Impl {
    CCellGlyphCache cache;

    static void PaintMargins(QPainter& p, const CCanvasGeometry& g);
    static void PaintRulers(CellSink& sink, const CCanvasGeometry& g, const QRect& exposed);
    static void PaintCells(CellSink& sink, const CRuvlenDoc& doc, const CCanvasGeometry& g,
                           const QRect& exposed, const QColor& background);
    static void PaintGrid(QPainter& p, const CCanvasGeometry& g, const QRect& exposed);
    static void PaintFrame(QPainter& p, const CCanvasGeometry& g);
};

CCanvasGeometry CCanvasGeometry::For(const CRuvlenDoc& doc, int logPixelsX) {
    CCanvasGeometry g;
    static_cast<CCellGeometry&>(g) = doc.Geometry(logPixelsX);
    return g;
}

CCanvasPainter::CCanvasPainter() : m_pImpl(new Impl) {}
CCanvasPainter::~CCanvasPainter() {
    delete m_pImpl;
}

void CCanvasPainter::Paint(QPainter& p, const CRuvlenDoc& doc, int logPixelsX, const QRect& exposed,
                           const Options& options) {
    const CCanvasGeometry g = CCanvasGeometry::For(doc, logPixelsX);
    p.save();
    p.setClipRect(exposed, Qt::IntersectClip);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setBackgroundMode(Qt::TransparentMode);
    CellSink sink(p, m_pImpl->cache, g.d, options.linesAtLeastOnePixel);
    if (!options.printing) {
        Impl::PaintMargins(p, g);
        Impl::PaintRulers(sink, g, exposed);
    }
    Impl::PaintCells(sink, doc, g, exposed,
                     options.printing ? QColor(Qt::white) : options.background);
    if (!options.printing) {
        if (doc.m_bGrid) Impl::PaintGrid(p, g, exposed);
        Impl::PaintFrame(p, g);
    }
    p.restore();
}

// Grey bands one cell wide above and left of the canvas, one and a half cells
// right of and below it, and a black shadow half a cell in from the corners.
void CCanvasPainter::Impl::PaintMargins(QPainter& p, const CCanvasGeometry& g) {
    const int d = g.d, gap = g.d / 2, ox = g.originX, oy = g.originY;
    const int right = ox + g.canvasWidth, bottom = oy + g.canvasHeight;
    const int outerRight = right + d + gap - 1, outerBottom = bottom + d + gap - 1;
    p.fillRect(QRect(QPoint(ox - d, oy - d), QPoint(outerRight - 1, oy - 1)), kBandGrey);
    p.fillRect(QRect(QPoint(ox - d, oy - d), QPoint(ox - 1, bottom + d - 2)), kBandGrey);
    p.fillRect(QRect(QPoint(right, oy - d), QPoint(outerRight - 1, outerBottom - 1)), kBandGrey);
    p.fillRect(QRect(QPoint(ox - d, bottom), QPoint(outerRight - 1, outerBottom - 1)), kBandGrey);
    p.fillRect(QRect(QPoint(right, oy + gap), QPoint(right + gap - 2, bottom + gap - 2)),
               Qt::black);
    p.fillRect(QRect(QPoint(ox + gap, bottom), QPoint(right + gap - 2, bottom + gap - 2)),
               Qt::black);
}

// Every fifth column and line numbered in the band before it: "５", then "%2d".
void CCanvasPainter::Impl::PaintRulers(CellSink& sink, const CCanvasGeometry& g,
                                       const QRect& exposed) {
    const int d = g.d;
    auto label = [&](int n, int x, int y) {
        if (!exposed.intersects(QRect(x, y, d, d))) return;
        CCell cell;
        cell.SetText(n == 5 ? "\x82\x54" : QByteArray::number(n).rightJustified(2).constData());
        sink.Draw(x, y, cell, Qt::black, kBandGrey);
    };
    for (int n = 5; n <= g.columns; n += 5) label(n, g.originX + (n - 1) * d, d);
    for (int n = 5; n <= g.lines; n += 5) label(n, d, g.originY + (n - 1) * d);
}

// Selected cells white on red (on yellow when the background itself is red),
// blank ones included; other cells black on the background, blank ones skipped.
void CCanvasPainter::Impl::PaintCells(CellSink& sink, const CRuvlenDoc& doc,
                                      const CCanvasGeometry& g, const QRect& exposed,
                                      const QColor& background) {
    const QColor highlight =
        background.rgb() == qRgb(255, 0, 0) ? QColor(255, 255, 0) : QColor(255, 0, 0);
    const IndexRange cols =
        CellsMeeting(g.originX, g.d, exposed.left(), exposed.right(), g.columns);
    const IndexRange rows = CellsMeeting(g.originY, g.d, exposed.top(), exposed.bottom(), g.lines);
    for (int r = rows.first; r <= rows.last; ++r) {
        const int y = g.originY + r * g.d;
        for (int c = cols.first; c <= cols.last; ++c) {
            const CCell& cell = doc.Cell(c, r);
            if (doc.m_bSelection && doc.m_rcSelection.Contains(c, r))
                sink.Draw(g.originX + c * g.d, y, cell, Qt::white, highlight);
            else if (!cell.IsBlank())
                sink.Draw(g.originX + c * g.d, y, cell, Qt::black, background);
        }
    }
}

// A black dot at every inner grid intersection, then a grey cross every five cells.
void CCanvasPainter::Impl::PaintGrid(QPainter& p, const CCanvasGeometry& g, const QRect& exposed) {
    const IndexRange cols = GridLinesIn(g.originX, g.d, exposed.left(), exposed.right(), g.columns);
    const IndexRange rows = GridLinesIn(g.originY, g.d, exposed.top(), exposed.bottom(), g.lines);
    PaintDots(p, g, cols, rows);
    for (int r = 5; r < g.lines; r += 5) {
        for (int c = 5; c < g.columns; c += 5) {
            const int x = g.originX + c * g.d, y = g.originY + r * g.d;
            if (!exposed.intersects(QRect(x - 3, y - 3, 7, 7))) continue;
            p.fillRect(x - 3, y, 7, 1, kCrossGrey);
            p.fillRect(x, y - 3, 1, 7, kCrossGrey);
        }
    }
}

// A one-pixel black outline on the canvas's outermost grid lines.
void CCanvasPainter::Impl::PaintFrame(QPainter& p, const CCanvasGeometry& g) {
    const int w = g.columns * g.d, h = g.lines * g.d;
    p.fillRect(g.originX, g.originY, w + 1, 1, Qt::black);
    p.fillRect(g.originX, g.originY + h, w + 1, 1, Qt::black);
    p.fillRect(g.originX, g.originY, 1, h + 1, Qt::black);
    p.fillRect(g.originX + w, g.originY, 1, h + 1, Qt::black);
}

QColor CCanvasPainter::CanvasBackground(const QPalette& palette) {
    const QColor window = palette.color(QPalette::Active, QPalette::Base);
    return window.lightness() < 128 ? QColor(Qt::white) : window;
}
