#include "tools/LineTool.h"

#include "canvas/RuvlenDoc.h"
#include "tools/ViewPort.h"

CLineTool::Shape CLineTool::GetShape() const {
    const int w = Right() - Left(), h = Bottom() - Top();
    if (w > 0 && h > 0 && w == h) {
        bool sameSign = (m_nEndRow - m_nStartRow > 0) == (m_nEndCol - m_nStartCol > 0);
        return sameSign ? Shape::Backslash : Shape::Slash;
    }
    if (m_bVerticalOnTie ? w <= h : w < h) return Shape::Vertical;
    return Shape::Horizontal;
}

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
