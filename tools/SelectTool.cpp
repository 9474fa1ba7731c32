#include "tools/SelectTool.h"

#include "canvas/RuvlenDoc.h"
#include "tools/CursorIds.h"
#include "tools/ViewPort.h"

int CSelectTool::Apply() {
    m_pDoc->Select(m_pView, Left(), Top(), Right(), Bottom());
    return 0;
}

void CSelectTool::SetToolCursor() {
    m_pView->SetCursor(CURSOR_ARROW);
}

int CEraseTool::Apply() {
    m_pDoc->EraseRect(m_pView, Left(), Top(), Right(), Bottom());
    return 0;
}

void CEraseTool::SetToolCursor() {
    m_pView->SetCursor(CURSOR_ERASER);
}
