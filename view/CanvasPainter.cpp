// Placeholder: replaced by the real painter.
#include "view/CanvasPainter.h"

#include "canvas/RuvlenDoc.h"

#include <QPainter>
#include <QPalette>

struct CCanvasPainter::Impl {};

CCanvasGeometry CCanvasGeometry::For(const CRuvlenDoc& doc, int logPixelsX) {
    CCanvasGeometry g;
    g.d = std::max(1, CRuvlenDoc::GetCellSize(logPixelsX, doc.m_nFontSize));
    g.columns = doc.m_nColumns;
    g.lines = doc.m_nLines;
    g.canvasWidth = g.columns * g.d + 1;
    g.canvasHeight = g.lines * g.d + 1;
    g.totalWidth = g.canvasWidth + 4 * g.d + g.d / 2;
    g.totalHeight = g.canvasHeight + 4 * g.d + g.d / 2;
    g.originX = g.originY = 2 * g.d;
    return g;
}

CCanvasPainter::CCanvasPainter() : m_pImpl(new Impl) {}
CCanvasPainter::~CCanvasPainter() { delete m_pImpl; }
void CCanvasPainter::Paint(QPainter&, const CRuvlenDoc&, int, const QRect&, const Options&) {}
QColor CCanvasPainter::CanvasBackground(const QPalette& palette) {
    return palette.color(QPalette::Base);
}
