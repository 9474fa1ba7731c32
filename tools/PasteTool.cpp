#include "tools/PasteTool.h"

#include "canvas/RuvlenDoc.h"
#include "tools/CursorIds.h"
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
    if (m_nState == IDLE) return; // not placed yet: the press places it
    CTool::KeepInCanvas();
    AnchorAt({m_nStartCol, m_nStartRow});
}

int CPasteTool::OnLButtonDown(int x, int y) {
    HidePreview();
    return CTool::OnLButtonDown(x, y);
}

// Before the press the preview follows the pointer over the canvas, placed as
// the press would place it.
int CPasteTool::OnMouseMove(int x, int y) {
    if (m_nState != IDLE) return CTool::OnMouseMove(x, y);
    if (!m_pDoc->IsInCanvas(x, y) || m_nWidth <= 0 || m_nHeight <= 0) {
        HidePreview();
        return HANDLED;
    }
    AnchorAt(m_pDoc->CellFromPoint(x, y));
    m_bPreview = true;
    m_pView->SetPastePreview(true, {Left(), Top(), Right(), Bottom()}, IsTransparent());
    return HANDLED;
}

void CPasteTool::EraseFeedback() {
    HidePreview();
    CTool::EraseFeedback();
}

void CPasteTool::HidePreview() {
    if (!m_bPreview) return;
    m_bPreview = false;
    m_pView->SetPastePreview(false, {}, IsTransparent());
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
