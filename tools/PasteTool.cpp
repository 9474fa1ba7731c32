#include "tools/PasteTool.h"

#include "canvas/RuvlenDoc.h"
#include "tools/CommandIds.h"
#include "tools/ViewPort.h"

#include <algorithm>

// The content's top-left corner at the cell, shifted back inside the canvas.
// Content larger than the canvas (it shrank while the paste waited) is placed
// at the top left and cut off at the canvas's edges.
void CPasteTool::AnchorAt(const CCellPoint& cell) {
    const int width = std::min(m_nWidth, m_pDoc->m_nColumns);
    const int height = std::min(m_nHeight, m_pDoc->m_nLines);
    m_nStartCol = cell.x;
    m_nStartRow = cell.y;
    m_nEndCol = cell.x + width - 1;
    m_nEndRow = cell.y + height - 1;
    ClampToCanvas();
}

void CPasteTool::KeepInCanvas() {
    if (m_nState == 0) return; // not placed yet: the press places it
    CTool::KeepInCanvas();
    AnchorAt({m_nStartCol, m_nStartRow});
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
