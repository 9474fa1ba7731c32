#include "tools/MoveTool.h"

#include "canvas/RuvlenDoc.h"
#include "tools/CursorIds.h"
#include "tools/ViewPort.h"

CMoveTool::CMoveTool(CRuvlenDoc* doc, CViewPort* view, const CCellRect& selection)
    : CTool(doc, view) {
    m_nStartCol = selection.left;
    m_nStartRow = selection.top;
    m_nEndCol = selection.right;
    m_nEndRow = selection.bottom;
}

void CMoveTool::BeginAt(const CCellPoint& cell) {
    m_nGrabCol = m_nCurCol = cell.x;
    m_nGrabRow = m_nCurRow = cell.y;
}

void CMoveTool::TrackTo(const CCellPoint& cell) {
    m_nCurCol = cell.x;
    m_nCurRow = cell.y;
    ClampToCanvas();
}

void CMoveTool::ClampToCanvas() {
    // All four tests use the offset as it was before any correction.
    const int dx = m_nCurCol - m_nGrabCol, dy = m_nCurRow - m_nGrabRow;
    if (m_nEndCol + dx >= m_pDoc->m_nColumns) m_nCurCol -= m_nEndCol + dx - m_pDoc->m_nColumns + 1;
    if (m_nEndRow + dy >= m_pDoc->m_nLines) m_nCurRow -= m_nEndRow + dy - m_pDoc->m_nLines + 1;
    if (m_nStartCol + dx < 0) m_nCurCol -= m_nStartCol + dx;
    if (m_nStartRow + dy < 0) m_nCurRow -= m_nStartRow + dy;
}

// After a size change the selection may have been cut down: the outline follows
// it, and the offset is clamped again so the moved rectangle stays on the canvas.
void CMoveTool::KeepInCanvas() {
    if (m_pDoc->m_bSelection) {
        const CCellRect& rc = m_pDoc->m_rcSelection;
        m_nStartCol = rc.left;
        m_nStartRow = rc.top;
        m_nEndCol = rc.right;
        m_nEndRow = rc.bottom;
    } else {
        CTool::KeepInCanvas();
    }
    ClampToCanvas();
}

int CMoveTool::Apply() {
    const int dx = m_nCurCol - m_nGrabCol, dy = m_nCurRow - m_nGrabRow;
    if (dx != 0 || dy != 0) m_pDoc->MoveSelection(m_pView, dx, dy);
    return 0;
}

void CMoveTool::SetToolCursor() {
    m_pView->SetCursor(CURSOR_MOVE);
}

CFeedbackFigure CMoveTool::GetFeedbackFigure() const {
    const int dx = m_nCurCol - m_nGrabCol, dy = m_nCurRow - m_nGrabRow;
    CFeedbackFigure f;
    f.kind = CFeedbackFigure::DottedRect;
    f.rects.push_back(
        CellOutline(m_nStartCol + dx, m_nStartRow + dy, m_nEndCol + dx, m_nEndRow + dy));
    return f;
}
