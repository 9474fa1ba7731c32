#include "tools/PasteTool.h"

#include "canvas/RuvlenDoc.h"
#include "tools/CommandIds.h"
#include "tools/ViewPort.h"

// The content's top-left corner at the cell, shifted back inside the canvas.
void CPasteTool::AnchorAt(const CCellPoint& cell) {
    m_nStartCol = cell.x;
    m_nStartRow = cell.y;
    m_nEndCol = cell.x + m_nWidth - 1;
    m_nEndRow = cell.y + m_nHeight - 1;
    ClampToCanvas();
}

int CPasteTool::OnMouseMove(int x, int y) {
    if (m_nState == 0) return 1; // nothing follows the mouse before the press
    return CTool::OnMouseMove(x, y);
}

int CPasteTool::Apply() {
    // Empty content has nothing to place.
    if (m_nWidth > 0 && m_nHeight > 0)
        m_pDoc->Paste(m_pView, m_nStartCol, m_nStartRow, m_nEndCol, m_nEndRow);
    return 0;
}

void CPasteTool::SetToolCursor() {
    m_pView->SetCursor(CURSOR_CORNER);
}

int CTransparentPasteTool::Apply() {
    if (m_nWidth > 0 && m_nHeight > 0)
        m_pDoc->PasteTransparent(m_pView, m_nStartCol, m_nStartRow, m_nEndCol, m_nEndRow);
    return 0;
}
