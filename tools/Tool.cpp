#include "tools/Tool.h"

#include "canvas/CommandIds.h"
#include "canvas/RuvlenDoc.h"
#include "tools/CursorIds.h"
#include "tools/ViewPort.h"

#include <algorithm>

int CTool::IsThick() const {
    return m_pDoc->m_nLineMode == ID_LINE_THICK ? 1 : 0;
}

int CTool::Refuse() {
    EraseFeedback();
    m_pView->ReleaseCapture();
    return REFUSED;
}

int CTool::OnLButtonDown(int x, int y) {
    if (m_nState != IDLE) return Refuse();
    m_pView->SetCapture();
    BeginAt(m_pDoc->CellFromPoint(x, y));
    m_nState = TRACKING;
    DrawFeedback();
    return HANDLED;
}

int CTool::OnMouseMove(int x, int y) {
    m_pView->SetCapture();
    if (m_nState != TRACKING) return Refuse();
    EraseFeedback();
    TrackTo(m_pDoc->CellFromPoint(x, y));
    m_pView->AutoScroll(x, y);
    DrawFeedback();
    return HANDLED;
}

void CTool::BeginAt(const CCellPoint& cell) {
    m_nStartCol = m_nEndCol = cell.x;
    m_nStartRow = m_nEndRow = cell.y;
}

void CTool::TrackTo(const CCellPoint& cell) {
    m_nEndCol = cell.x;
    m_nEndRow = cell.y;
}

int CTool::OnLButtonUp(int, int) {
    if (m_nState != TRACKING) return Refuse();
    m_nState = FINISHED;
    EraseFeedback();
    Apply();
    m_pView->ReleaseCapture();
    return GESTURE_DONE;
}

void CTool::DrawFeedback() {
    if (m_bFeedback) return;
    m_drawnFigure = GetFeedbackFigure();
    if (m_drawnFigure.kind != CFeedbackFigure::None) m_pView->InvertFeedback(m_drawnFigure);
    m_bFeedback = 1;
}

void CTool::EraseFeedback() {
    if (!m_bFeedback) return;
    if (m_drawnFigure.kind != CFeedbackFigure::None) m_pView->InvertFeedback(m_drawnFigure);
    m_bFeedback = 0;
}

void CTool::SetToolCursor() {
    m_pView->SetCursor(CURSOR_PENCIL);
}

void CTool::ClampToCanvas() {
    if (m_nEndCol >= m_pDoc->m_nColumns) {
        int shift = m_nEndCol - m_pDoc->m_nColumns + 1;
        m_nStartCol -= shift;
        m_nEndCol -= shift;
    }
    if (m_nEndRow >= m_pDoc->m_nLines) {
        int shift = m_nEndRow - m_pDoc->m_nLines + 1;
        m_nStartRow -= shift;
        m_nEndRow -= shift;
    }
    if (m_nStartCol < 0) {
        m_nEndCol -= m_nStartCol;
        m_nStartCol = 0;
    }
    if (m_nStartRow < 0) {
        m_nEndRow -= m_nStartRow;
        m_nStartRow = 0;
    }
}

void CTool::FitToCanvas() {
    const bool shown = m_bFeedback;
    EraseFeedback();
    KeepInCanvas();
    if (shown) DrawFeedback();
}

// Each cell of the gesture moves to the nearest canvas cell.
void CTool::KeepInCanvas() {
    const int lastCol = m_pDoc->m_nColumns - 1, lastRow = m_pDoc->m_nLines - 1;
    m_nStartCol = std::clamp(m_nStartCol, 0, lastCol);
    m_nEndCol = std::clamp(m_nEndCol, 0, lastCol);
    m_nStartRow = std::clamp(m_nStartRow, 0, lastRow);
    m_nEndRow = std::clamp(m_nEndRow, 0, lastRow);
}

CPixelRect CTool::CellOutline(int left, int top, int right, int bottom) const {
    const int s = m_pDoc->m_nCellSize, ox = m_pDoc->m_nOriginX, oy = m_pDoc->m_nOriginY;
    return {ox + left * s + 1, oy + top * s + 1, ox + (right + 1) * s, oy + (bottom + 1) * s};
}

CFeedbackFigure CTool::GetFeedbackFigure() const {
    CFeedbackFigure f;
    f.kind = CFeedbackFigure::DottedRect;
    f.rects.push_back(CellOutline(Left(), Top(), Right(), Bottom()));
    return f;
}
