#include "tools/ViewController.h"

#include "canvas/CommandIds.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/LayoutReader.h"
#include "canvas/io/LayoutText.h"
#include "tools/CursorIds.h"
#include "tools/PasteTool.h"
#include "tools/Tool.h"
#include "tools/ToolRegistry.h"

#include <algorithm>

const char* const kClipboardCopyFailedMessage = "クリップボードにデータを複写できませんでした。";

// The document keeps its tool as a CToolObject (canvas/ knows no tools); every
// tool it holds was made here or by CreateTool, and is a CTool.
CTool* CViewController::ActiveTool() const {
    return static_cast<CTool*>(m_pDoc->m_pTool.get());
}

void CViewController::SetIdleCursor(int x, int y) {
    const CToolRow* tool = FindToolRow(m_pDoc->m_nToolMode);
    // A mode without a row gets the plain tool, whose cursor is the pencil.
    if (!tool) {
        m_pView->SetCursor(CURSOR_PENCIL);
        return;
    }
    const bool over = tool->selectionCursor != 0 && m_pDoc->IsInSelection(x, y);
    m_pView->SetCursor(over ? tool->selectionCursor : tool->cursor);
}

void CViewController::OnLButtonDown(int x, int y) {
    if (m_pDoc->m_nToolState == CRuvlenDoc::NO_TOOL) {
        // First: in select mode its hit test sets m_bDragSelection, which decides
        // both whether the selection stays and which tool the press makes.
        SetIdleCursor(x, y);
        if (!(m_pDoc->m_nToolMode == ID_TOOL_SELECT && m_pDoc->m_bDragSelection))
            m_pDoc->Deselect(m_pView);
        if (m_pDoc->IsInCanvas(x, y)) {
            m_pDoc->m_pTool = CreateTool(m_pDoc, m_pView, m_pSymbols);
            if (m_pDoc->m_pTool) m_pDoc->m_nToolState = CRuvlenDoc::GESTURE_TOOL;
        }
        if (m_pDoc->m_nToolState == CRuvlenDoc::NO_TOOL) return;
    }
    CCellPoint cell = m_pDoc->CellFromPoint(x, y);
    m_pView->SetPositionText(cell.x, cell.y);
    ActiveTool()->OnLButtonDown(x, y);
}

void CViewController::OnMouseMove(int x, int y) {
    if (m_pDoc->m_nToolState == CRuvlenDoc::NO_TOOL) {
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
    if (m_pDoc->m_nToolState == CRuvlenDoc::NO_TOOL) {
        SetIdleCursor(x, y);
        return;
    }
    CTool* tool = ActiveTool();
    tool->SetToolCursor();
    if (tool->OnLButtonUp(x, y) == CTool::GESTURE_DONE) FinishTool();
}

void CViewController::FinishTool() {
    m_pDoc->m_pTool.reset();
    if (m_pDoc->m_nToolState == CRuvlenDoc::PASTE_TOOL)
        m_pDoc->m_nToolMode = m_pDoc->m_nPrevToolMode;
    m_pDoc->m_nToolState = CRuvlenDoc::NO_TOOL;
    m_pDoc->m_bDragSelection = 0;
    m_pDoc->UpdateAllViews(m_pView, UPDATE_HINT_NONE);
}

void CViewController::OnDrawDone() {
    if (m_pDoc->m_nToolState != CRuvlenDoc::NO_TOOL && ActiveTool()) ActiveTool()->DrawMarker();
}

// The right button edits a line cell outside the selection (with the symbol
// tool it blanks the cell, otherwise it toggles the arm under the pointer);
// anywhere else it opens the context menu. Nothing while a tool is at work.
void CViewController::OnRButtonDown(int x, int y) {
    if (m_pDoc->m_nToolState != CRuvlenDoc::NO_TOOL) return;
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

// EndTool comes first: it gives back the mode from before a waiting paste, so
// that m_nPrevToolMode never holds a paste command.
void CViewController::SetToolMode(int id) {
    m_pDoc->EndTool();
    m_pDoc->Deselect(m_pView);
    m_pDoc->UpdateAllViews(m_pView, UPDATE_HINT_NONE);
    m_pDoc->m_nPrevToolMode = m_pDoc->m_nToolMode;
    m_pDoc->m_nToolMode = id;
}

bool CViewController::CancelGesture() {
    if (m_pDoc->m_nToolState == CRuvlenDoc::NO_TOOL) return false;
    const int mode = m_pDoc->m_nToolState == CRuvlenDoc::PASTE_TOOL ? m_pDoc->m_nPrevToolMode
                                                                    : m_pDoc->m_nToolMode;
    SetToolMode(mode);
    return true;
}

bool CViewController::IsClipboardTextAvailable() {
    return m_pClipboard && m_pClipboard->HasText();
}

CContextMenuState CViewController::GetContextMenuState() {
    CContextMenuState s;
    for (int id : ContextMenuLayout()) s.items.push_back({id, id != 0 && IsCommandEnabled(id)});
    return s;
}

bool CViewController::IsCommandEnabled(int id) {
    const CCommandRow* row = FindCommand(id);
    if (!row || row->owner != CommandOwner::View) return false;
    const CRuvlenDoc& doc = *m_pDoc;
    switch (row->enable) {
    case EnableRule::Always:
    case EnableRule::HasCanvas:
        return true;
    case EnableRule::Selection:
        return doc.m_bSelection;
    case EnableRule::SelectionNoPaste:
        return IsTableEditEnabled();
    case EnableRule::NoToolAtWork:
        return CanPasteTable();
    case EnableRule::SquareSelection:
        return doc.m_bSquareSelection;
    case EnableRule::Undo:
        return doc.CanUndo();
    case EnableRule::Redo:
        return doc.CanRedo();
    case EnableRule::Paste:
        return doc.m_nToolState == CRuvlenDoc::NO_TOOL && !m_pView->IsFrameMinimized() &&
               IsClipboardTextAvailable();
    case EnableRule::ZoomIn:
        return doc.m_nFontSize < kMaxFontSize;
    case EnableRule::ZoomOut:
        return doc.m_nFontSize > 0;
    case EnableRule::Unset:
    case EnableRule::Never:
        break;
    }
    return false;
}

bool CViewController::IsTableEditEnabled() const {
    return m_pDoc->m_bSelection && m_pDoc->m_nToolState != CRuvlenDoc::PASTE_TOOL;
}

bool CViewController::IsCommandChecked(int id) const {
    const CCommandRow* row = FindCommand(id);
    if (!row) return false;
    switch (row->check) {
    case CheckRule::ToolMode:
        return m_pDoc->m_nToolMode == id;
    case CheckRule::LineMode:
        return m_pDoc->m_nLineMode == id;
    case CheckRule::Grid:
        return m_pDoc->m_bGrid;
    default:
        return false;
    }
}

// Reads the clipboard into the paste buffer; a diagram another program drew
// for Western fonts is re-laid as when such a file opens. Text larger than the
// canvas is never wrapped (that would scramble a diagram): the window is asked
// whether to grow the canvas, within its limits, or to cut the text at the
// edges, and what is cut is reported. False when nothing is to be pasted.
bool CViewController::ImportClipboard() {
    std::string utf8, bytes;
    if (!m_pClipboard) return false;
    if (m_pClipboard->GetUnicodeText(utf8))
        bytes = ClipboardCellBytes(utf8);
    else if (!m_pClipboard->GetText(bytes))
        return false;
    const CCellPoint size = CRuvlenDoc::MeasureText(bytes.c_str());
    if (size.x <= m_pDoc->m_nColumns && size.y <= m_pDoc->m_nLines)
        return m_pDoc->ImportText(bytes.c_str()) != 0;
    const CViewPort::EPasteFit fit = m_pView->AskPasteFit(size.x, size.y);
    if (fit == CViewPort::PASTE_CANCEL) return false;
    // Grown as far as the limits allow; what still does not fit is cut below.
    if (fit == CViewPort::PASTE_ENLARGE) {
        const int columns = std::min(CRuvlenDoc::MAX_SIZE, std::max(m_pDoc->m_nColumns, size.x));
        const int lines = std::min(CRuvlenDoc::MAX_SIZE, std::max(m_pDoc->m_nLines, size.y));
        ApplyCanvasSettings(m_pDoc->m_nFontSize, columns, lines, m_pDoc->m_bGrid,
                            m_pView->LogPixelsX());
    }
    if (const int cut = m_pDoc->ImportTextCut(bytes.c_str()))
        m_pView->ReportPasteCut(cut, m_pDoc->m_nColumns, m_pDoc->m_nLines);
    return true;
}

void CViewController::OnPaste(int id) {
    if (!ImportClipboard()) return;
    StartPaste(id);
}

// SetToolMode ends any tool at work and keeps the mode to return to after the
// paste; only then does the paste tool take its place.
void CViewController::StartPaste(int id) {
    SetToolMode(id);
    m_pDoc->m_nToolState = CRuvlenDoc::PASTE_TOOL;
    const int w = m_pDoc->m_nBufferColumns, h = m_pDoc->m_nBufferLines;
    if (id == ID_EDIT_PASTE)
        m_pDoc->m_pTool = std::make_unique<CPasteTool>(m_pDoc, m_pView, w, h);
    else
        m_pDoc->m_pTool = std::make_unique<CTransparentPasteTool>(m_pDoc, m_pView, w, h);
}

void CViewController::Copy(bool cut) {
    FinishCopy(m_pDoc->CopyToClipboard(), cut);
}

void CViewController::FinishCopy(const std::string& bytes, bool cut) {
    if (!m_pClipboard || !m_pClipboard->SetText(bytes)) {
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
    m_pDoc->BreakUndoRun(); // a run of keystrokes ends at any other command
    // Enabled means the row exists and is a view row; without a handler it is
    // the window's to carry out.
    const CCommandRow* row = FindCommand(id);
    if (!row->run) return false;
    (this->*row->run)(id);
    return true;
}

void CViewController::UpdateOthers() {
    m_pDoc->UpdateAllViews(m_pView, UPDATE_HINT_NONE);
}

void CViewController::OnToolMode(int id) {
    SetToolMode(id);
    const CToolRow* tool = FindToolRow(id);
    if (tool && tool->showsPalette && m_pSymbols) m_pSymbols->ShowPalette();
}

void CViewController::OnLineMode(int id) {
    m_pDoc->m_nLineMode = id;
}

// Only this window repaints; the canvas's other windows show the grid as it
// now is at their next repaint.
void CViewController::OnGrid(int) {
    m_pDoc->m_bGrid = !m_pDoc->m_bGrid;
    m_pView->OnUpdate(UPDATE_HINT_NONE);
}

void CViewController::OnCopy(int) {
    Copy(false);
}

void CViewController::OnCopyInLayout(int id) {
    const BoxLayout layout = id == ID_EDIT_COPY_ASCII ? BoxLayout::Ascii : BoxLayout::Narrow;
    FinishCopy(CopySelectionInLayout(*m_pDoc, layout), false);
}

void CViewController::OnCut(int) {
    Copy(true);
}

void CViewController::OnUndo(int) {
    m_pDoc->Undo(m_pView);
    UpdateOthers();
}

void CViewController::OnRedo(int) {
    m_pDoc->Redo(m_pView);
    UpdateOthers();
}

void CViewController::OnRotate90(int) {
    m_pDoc->RotateSelection90(m_pView);
    UpdateOthers();
}

void CViewController::OnRotate180(int) {
    m_pDoc->RotateSelection180(m_pView);
    UpdateOthers();
}

void CViewController::OnFlipHorizontal(int) {
    m_pDoc->FlipSelectionHorizontal(m_pView);
    UpdateOthers();
}

void CViewController::OnFlipVertical(int) {
    m_pDoc->FlipSelectionVertical(m_pView);
    UpdateOthers();
}

void CViewController::OnSelectAll(int) {
    m_pDoc->Select(m_pView, 0, 0, m_pDoc->m_nColumns - 1, m_pDoc->m_nLines - 1);
    UpdateOthers();
}

void CViewController::OnClearAll(int) {
    m_pDoc->ClearAll(m_pView);
    UpdateOthers();
}

// Delete: the selected cells become blank, one undo step, as cutting without
// the clipboard.
void CViewController::OnEraseSelection(int) {
    m_pDoc->DeleteSelection(m_pView);
    UpdateOthers();
}

void CViewController::ApplyCanvasSettings(int fontSize, int columns, int lines, int grid,
                                          int logPixelsX) {
    // A new size changes what a save writes. Compared before the fields change.
    if (columns != m_pDoc->m_nColumns || lines != m_pDoc->m_nLines) m_pDoc->SetModifiedFlag();
    m_pDoc->m_nFontSize = fontSize;
    m_pDoc->m_nColumns = columns;
    m_pDoc->m_nLines = lines;
    m_pDoc->m_bGrid = grid;
    m_pDoc->ApplySettings(logPixelsX);
}
