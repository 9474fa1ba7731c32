#include "tools/RectTool.h"

#include "canvas/RuvlenDoc.h"
#include "tools/ViewPort.h"

// A click is a one-cell rectangle, which DrawRectangle marks with a small
// square; a drag within one column or row has no inside and is a line.
int CRectTool::Apply() {
    const int l = Left(), t = Top(), r = Right(), b = Bottom();
    if (m_nStartCol == m_nEndCol && m_nStartRow == m_nEndRow)
        m_pDoc->DrawRectangle(m_pView, m_nStartCol, m_nStartRow, m_nStartCol, m_nStartRow,
                              IsThick());
    else if (m_nStartCol == m_nEndCol)
        m_pDoc->DrawVerticalLine(m_pView, m_nStartCol, t, m_nStartCol, b, IsThick());
    else if (m_nStartRow == m_nEndRow)
        m_pDoc->DrawHorizontalLine(m_pView, l, m_nStartRow, r, m_nStartRow, IsThick());
    else
        m_pDoc->DrawRectangle(m_pView, l, t, r, b, IsThick());
    return 0;
}

CFeedbackFigure CRectTool::GetFeedbackFigure() const {
    const int s = m_pDoc->m_nCellSize, ox = m_pDoc->m_nOriginX, oy = m_pDoc->m_nOriginY;
    const int h = s / 2;
    const int l = Left(), t = Top(), r = Right(), b = Bottom();
    // One cell: a small square inside it.
    if (m_nStartCol == m_nEndCol && m_nStartRow == m_nEndRow)
        return CFeedbackFigure::Rect(CFeedbackFigure::DottedRect, ox + l * s + 2, oy + t * s + 2,
                                     ox + (l + 1) * s - 1, oy + (t + 1) * s - 1);
    if (m_nStartCol == m_nEndCol)
        return CFeedbackFigure::Line(ox + l * s + h, oy + t * s, ox + l * s + h,
                                     oy + (b + 1) * s - 1);
    if (m_nStartRow == m_nEndRow)
        return CFeedbackFigure::Line(ox + l * s, oy + t * s + h, ox + (r + 1) * s - 1,
                                     oy + t * s + h);
    // Through the centres of the corner cells, where the ruled lines will run.
    return CFeedbackFigure::Rect(CFeedbackFigure::DottedRect, ox + l * s + h, oy + t * s + h,
                                 ox + r * s + h, oy + b * s + h);
}
