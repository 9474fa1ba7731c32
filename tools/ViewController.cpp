#include "tools/ViewController.h"

#include "canvas/RuvlenDoc.h"
#include "tools/CommandIds.h"
#include "tools/PasteTool.h"
#include "tools/Tool.h"
#include "tools/ToolFactory.h"

const char* const kClipboardCopyFailedMessage = "クリップボードにデータを複写できませんでした。";

namespace {

bool IsToolModeCommand(int id) {
    switch (id) {
    case ID_TOOL_SELECT:
    case ID_TOOL_HLINE:
    case ID_TOOL_VLINE:
    case ID_TOOL_RECT:
    case ID_TOOL_ERASE:
    case ID_TOOL_SYMBOL:
    case ID_TOOL_HTEXT:
    case ID_TOOL_VTEXT:
    case ID_TOOL_TYPE:
        return true;
    default:
        return false;
    }
}

} // namespace

CTool* CViewController::ActiveTool() const {
    return static_cast<CTool*>(m_pDoc->m_pTool.get());
}

void CViewController::SetIdleCursor(int x, int y) {
    if (m_pDoc->m_nToolMode == ID_TOOL_SELECT)
        m_pView->SetCursor(m_pDoc->IsInSelection(x, y) ? CURSOR_MOVE : CURSOR_ARROW);
    else if (m_pDoc->m_nToolMode == ID_TOOL_ERASE)
        m_pView->SetCursor(CURSOR_ERASER);
    else
        m_pView->SetCursor(CURSOR_PENCIL);
}

void CViewController::OnLButtonDown(int x, int y) {
    if (m_pDoc->m_nToolState == 0) {
        SetIdleCursor(x, y);
        if (!(m_pDoc->m_nToolMode == ID_TOOL_SELECT && m_pDoc->m_bDragSelection))
            m_pDoc->Deselect(m_pView);
        if (m_pDoc->IsInCanvas(x, y)) {
            m_pDoc->m_pTool = CreateTool(m_pDoc, m_pView, m_pSymbols);
            if (m_pDoc->m_pTool) m_pDoc->m_nToolState = 1;
        }
        if (m_pDoc->m_nToolState == 0) return;
    }
    CCellPoint cell = m_pDoc->CellFromPoint(x, y);
    m_pView->SetPositionText(cell.x, cell.y);
    ActiveTool()->OnLButtonDown(x, y);
}

void CViewController::OnMouseMove(int x, int y) {
    if (m_pDoc->m_nToolState == 0) {
        SetIdleCursor(x, y);
        // The status bar follows the pointer over the canvas, button or not.
        if (m_pDoc->IsInCanvas(x, y)) {
            const CCellPoint cell = m_pDoc->CellFromPoint(x, y);
            m_pView->SetPositionText(cell.x, cell.y);
        }
        return;
    }
    CTool* tool = ActiveTool();
    tool->SetToolCursor();
    CCellPoint cell = m_pDoc->CellFromPoint(x, y);
    m_pView->SetPositionText(cell.x, cell.y);
    tool->OnMouseMove(x, y);
}

void CViewController::OnLButtonUp(int x, int y) {
    if (m_pDoc->m_nToolState == 0) {
        SetIdleCursor(x, y);
        return;
    }
    CTool* tool = ActiveTool();
    tool->SetToolCursor();
    if (tool->OnLButtonUp(x, y) == 0) FinishTool();
}

void CViewController::FinishTool() {
    m_pDoc->m_pTool.reset();
    if (m_pDoc->m_nToolState == 2) m_pDoc->m_nToolMode = m_pDoc->m_nPrevToolMode;
    m_pDoc->m_nToolState = 0;
    m_pDoc->m_bDragSelection = 0;
    m_pDoc->UpdateAllViews(m_pView, UPDATE_HINT_NONE);
}

void CViewController::OnDrawDone() {
    if (m_pDoc->m_nToolState != 0 && ActiveTool()) ActiveTool()->DrawMarker();
}

void CViewController::OnRButtonDown(int x, int y) {
    if (m_pDoc->m_nToolState != 0) return;
    CCellPoint cell = m_pDoc->CellFromPoint(x, y);
    if (!m_pDoc->IsInSelection(x, y) && m_pDoc->Cell(cell.x, cell.y).m_bLine) {
        if (m_pDoc->m_nToolMode == ID_TOOL_SYMBOL)
            m_pDoc->EraseCellAt(m_pView, x, y);
        else
            m_pDoc->ToggleArmAt(m_pView, x, y);
    } else {
        m_pView->ShowContextMenu(x, y, GetContextMenuState());
    }
    m_pDoc->UpdateAllViews(m_pView, UPDATE_HINT_NONE);
}

void CViewController::SetToolMode(int id) {
    m_pDoc->EndTool();
    m_pDoc->Deselect(m_pView);
    m_pDoc->UpdateAllViews(m_pView, UPDATE_HINT_NONE);
    m_pDoc->m_nPrevToolMode = m_pDoc->m_nToolMode;
    m_pDoc->m_nToolMode = id;
}

bool CViewController::CancelGesture() {
    if (m_pDoc->m_nToolState == 0) return false;
    const int mode = m_pDoc->m_nToolState == 2 ? m_pDoc->m_nPrevToolMode : m_pDoc->m_nToolMode;
    SetToolMode(mode);
    return true;
}

bool CViewController::IsClipboardTextAvailable() {
    return m_pClipboard && m_pClipboard->HasText();
}

CContextMenuState CViewController::GetContextMenuState() {
    CContextMenuState s;
    s.undo = m_pDoc->m_bUndo;
    s.cut = s.copy = s.rotate180 = s.flipHorizontal = s.flipVertical = m_pDoc->m_bSelection;
    s.paste = s.transparentPaste = IsClipboardTextAvailable();
    s.rotate90 = m_pDoc->m_bSquareSelection;
    return s;
}

bool CViewController::IsCommandEnabled(int id) {
    switch (id) {
    case ID_EDIT_COPY:
    case ID_EDIT_CUT:
    case ID_ROTATE180:
    case ID_FLIP_HORIZONTAL:
    case ID_FLIP_VERTICAL:
        return m_pDoc->m_bSelection;
    case ID_ROTATE90:
        return m_pDoc->m_bSquareSelection;
    case ID_EDIT_UNDO:
        return m_pDoc->CanUndo();
    case ID_EDIT_REDO:
        return m_pDoc->CanRedo();
    case ID_EDIT_PASTE:
    case ID_EDIT_TRANSPARENT_PASTE:
        return m_pDoc->m_nToolState == 0 && !m_pView->IsFrameMinimized() &&
               IsClipboardTextAvailable();
    default:
        return true;
    }
}

bool CViewController::IsTableEditEnabled() const {
    return m_pDoc->m_bSelection && m_pDoc->m_nToolState != 2;
}

bool CViewController::IsCommandChecked(int id) const {
    if (IsToolModeCommand(id) || id == ID_EDIT_PASTE || id == ID_EDIT_TRANSPARENT_PASTE)
        return m_pDoc->m_nToolMode == id;
    if (id == ID_LINE_THIN || id == ID_LINE_THICK) return m_pDoc->m_nLineMode == id;
    if (id == ID_VIEW_GRID) return m_pDoc->m_bGrid;
    return false;
}

int CViewController::ImportClipboard() {
    std::string bytes;
    if (!m_pClipboard || !m_pClipboard->GetText(bytes)) return 0;
    return m_pDoc->ImportText(bytes.c_str());
}

void CViewController::Paste(int id) {
    if (!ImportClipboard()) return;
    StartPaste(id);
}

void CViewController::StartPaste(int id) {
    SetToolMode(id);
    m_pDoc->m_nToolState = 2;
    const int w = m_pDoc->m_nBufferColumns, h = m_pDoc->m_nBufferLines;
    if (id == ID_EDIT_PASTE)
        m_pDoc->m_pTool = std::make_unique<CPasteTool>(m_pDoc, m_pView, w, h);
    else
        m_pDoc->m_pTool = std::make_unique<CTransparentPasteTool>(m_pDoc, m_pView, w, h);
}

void CViewController::Copy(bool cut) {
    if (!m_pClipboard || !m_pClipboard->SetText(m_pDoc->CopyToClipboard())) {
        m_pView->ShowMessage(kClipboardCopyFailedMessage);
        return;
    }
    if (cut)
        m_pDoc->DeleteSelection(m_pView);
    else
        m_pDoc->Deselect(m_pView);
    m_pDoc->UpdateAllViews(m_pView, UPDATE_HINT_NONE);
}

bool CViewController::OnCommand(int id) {
    if (!IsCommandEnabled(id)) return false;
    CRuvlenDoc& doc = *m_pDoc;
    doc.BreakUndoRun(); // a run of keystrokes ends at any other command
    if (IsToolModeCommand(id)) {
        SetToolMode(id);
        if (id == ID_TOOL_SYMBOL && m_pSymbols) m_pSymbols->ShowPalette();
        return true;
    }
    switch (id) {
    case ID_LINE_THIN:
    case ID_LINE_THICK:
        doc.m_nLineMode = id;
        return true;
    case ID_VIEW_GRID:
        doc.m_bGrid = !doc.m_bGrid;
        m_pView->OnUpdate(UPDATE_HINT_NONE);
        return true;
    case ID_EDIT_COPY:
        Copy(false);
        return true;
    case ID_EDIT_CUT:
        Copy(true);
        return true;
    case ID_EDIT_PASTE:
    case ID_EDIT_TRANSPARENT_PASTE:
        Paste(id);
        return true;
    case ID_EDIT_UNDO:
        doc.Undo(m_pView);
        break;
    case ID_EDIT_REDO:
        doc.Redo(m_pView);
        break;
    case ID_ROTATE90:
        doc.RotateSelection90(m_pView);
        break;
    case ID_ROTATE180:
        doc.RotateSelection180(m_pView);
        break;
    case ID_FLIP_HORIZONTAL:
        doc.FlipSelectionHorizontal(m_pView);
        break;
    case ID_FLIP_VERTICAL:
        doc.FlipSelectionVertical(m_pView);
        break;
    case ID_SELECT_ALL:
        doc.Select(m_pView, 0, 0, doc.m_nColumns - 1, doc.m_nLines - 1);
        break;
    case ID_CLEAR_ALL:
        doc.ClearAll(m_pView);
        break;
    default:
        return false;
    }
    // Other windows on the same canvas repaint completely.
    doc.UpdateAllViews(m_pView, UPDATE_HINT_NONE);
    return true;
}

void CViewController::ApplyCanvasSettings(int fontSize, int columns, int lines, int grid,
                                          int logPixelsX) {
    // A new size changes what a save writes.
    if (columns != m_pDoc->m_nColumns || lines != m_pDoc->m_nLines) m_pDoc->SetModifiedFlag();
    m_pDoc->m_nFontSize = fontSize;
    m_pDoc->m_nColumns = columns;
    m_pDoc->m_nLines = lines;
    m_pDoc->m_bGrid = grid;
    m_pDoc->ApplySettings(logPixelsX);
}
