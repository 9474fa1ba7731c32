#include "tools/LineTool.h"

#include "canvas/RuvlenDoc.h"
#include "tools/ViewPort.h"

CLineTool::Shape CLineTool::GetShape() const {
    const int w = Right() - Left(), h = Bottom() - Top();
    if (w > 0 && h > 0 && w == h) {
        // Down-right or up-left falls like a backslash.
        bool sameSign = (m_nEndRow - m_nStartRow > 0) == (m_nEndCol - m_nStartCol > 0);
        return sameSign ? Shape::Backslash : Shape::Slash;
    }
    // A tie that is not diagonal is a click (both spans 0): the one place the
    // two tools differ.
    if (m_bVerticalOnTie ? w <= h : w < h) return Shape::Vertical;
    return Shape::Horizontal;
}

// A straight line stays in the press cell's column (or row), wherever the drag
// ended across it; the end only sets its length.
int CLineTool::Apply() {
    const int l = Left(), t = Top(), r = Right(), b = Bottom();
    switch (GetShape()) {
    case Shape::Backslash:
        m_pDoc->DrawBackslashLine(m_pView, l, t, r, b);
        break;
    case Shape::Slash:
        m_pDoc->DrawSlashLine(m_pView, l, t, r, b);
        break;
    case Shape::Vertical:
        m_pDoc->DrawVerticalLine(m_pView, m_nStartCol, t, m_nStartCol, b, IsThick());
        break;
    case Shape::Horizontal:
        m_pDoc->DrawHorizontalLine(m_pView, l, m_nStartRow, r, m_nStartRow, IsThick());
        break;
    }
    return 0;
}

// The shape Apply will draw: a diagonal from corner to corner of its bounding
// cells, a straight line through the middle of its cells.
CFeedbackFigure CLineTool::GetFeedbackFigure() const {
    const int s = m_pDoc->m_nCellSize, ox = m_pDoc->m_nOriginX, oy = m_pDoc->m_nOriginY;
    const int h = s / 2;
    const int l = Left(), t = Top(), r = Right(), b = Bottom();
    switch (GetShape()) {
    case Shape::Backslash:
        return CFeedbackFigure::Line(ox + l * s, oy + t * s, ox + (r + 1) * s - 1,
                                     oy + (b + 1) * s - 1);
    case Shape::Slash:
        return CFeedbackFigure::Line(ox + l * s, oy + (b + 1) * s - 1, ox + (r + 1) * s - 1,
                                     oy + t * s);
    case Shape::Vertical:
        return CFeedbackFigure::Line(ox + m_nStartCol * s + h, oy + t * s, ox + m_nStartCol * s + h,
                                     oy + (b + 1) * s - 1);
    default:
        return CFeedbackFigure::Line(ox + l * s, oy + m_nStartRow * s + h, ox + (r + 1) * s - 1,
                                     oy + m_nStartRow * s + h);
    }
}
