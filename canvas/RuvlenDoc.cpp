#include "canvas/RuvlenDoc.h"

#include <algorithm>

CRuvlenDoc::CRuvlenDoc(const CCanvasDefaults& defaults)
    : m_cells(GRID * GRID), m_undoCells(GRID * GRID), m_bufferCells(GRID * GRID) {
    m_nFontSize = defaults.m_nDefaultTextSize;
    m_nColumns = std::clamp(defaults.m_nDefaultColumns, MIN_SIZE, MAX_SIZE);
    m_nLines = std::clamp(defaults.m_nDefaultLines, MIN_SIZE, MAX_SIZE);
    m_bGrid = defaults.m_bDefaultGrid;
    SetUndoLevels(defaults.m_nUndoLevels);
}

CRuvlenDoc::~CRuvlenDoc() {
    m_pCaret.reset(); // before the grids and views it refers to
}

void CRuvlenDoc::AddView(CDocView* view) {
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end()) m_views.push_back(view);
}

void CRuvlenDoc::RemoveView(CDocView* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CRuvlenDoc::UpdateAllViews(CDocView* sender, int hint) {
    for (CDocView* view : m_views)
        if (view != sender) view->OnUpdate(hint);
}

int CRuvlenDoc::GetCellSize(int logPixelsX, int fontSizeIndex) {
    return CCellGeometry::CellEdge(fontSizeIndex, logPixelsX);
}

CCellGeometry CRuvlenDoc::Geometry(int logPixelsX) const {
    return CCellGeometry::For(m_nFontSize, logPixelsX, m_nColumns, m_nLines);
}

void CRuvlenDoc::ComputeMetrics(int logPixelsX) {
    const CCellGeometry g = Geometry(logPixelsX);
    m_nCellSize = g.d;
    m_nCanvasWidth = g.canvasWidth;
    m_nCanvasHeight = g.canvasHeight;
    m_nTotalWidth = g.totalWidth;
    m_nTotalHeight = g.totalHeight;
    m_nOriginX = g.originX;
    m_nOriginY = g.originY;
}

void CRuvlenDoc::ApplySettings(int logPixelsX) {
    // A canvas never outgrows the grids, whoever stored the size.
    m_nColumns = std::clamp(m_nColumns, MIN_SIZE, MAX_SIZE);
    m_nLines = std::clamp(m_nLines, MIN_SIZE, MAX_SIZE);
    ComputeMetrics(logPixelsX);
    // The selection and a waiting tool keep to the canvas's new size.
    ClipSelection();
    if (m_pTool) m_pTool->FitToCanvas();
    if (m_pCaret) m_pCaret->FitToCanvas();
    UpdateAllViews(nullptr, UPDATE_HINT_METRICS);
}

int CRuvlenDoc::IsInCanvas(int x, int y) const {
    return m_nOriginX <= x && x <= m_nOriginX + m_nCanvasWidth && m_nOriginY <= y &&
           y <= m_nOriginY + m_nCanvasHeight;
}

CCellPoint CRuvlenDoc::CellFromPoint(int x, int y) const {
    int cell = std::max(1, m_nCellSize);
    int col = std::max(0, x - m_nOriginX) / cell;
    int row = std::max(0, y - m_nOriginY) / cell;
    return {std::min(col, m_nColumns - 1), std::min(row, m_nLines - 1)};
}

int CRuvlenDoc::ArmFromPoint(int x, int y) const {
    int cell = std::max(1, m_nCellSize);
    // The margins are whole cells, so the offset inside the cell is x mod cell.
    int px = ((x % cell) + cell) % cell;
    int py = ((y % cell) + cell) % cell;
    if (px < py) return (px + py < cell) ? 3 : 2;
    return (px + py < cell) ? 4 : 1;
}

bool CRuvlenDoc::ClipToCanvas(CCellRect& rc) const {
    rc = CCellRect::FromCorners(rc.left, rc.top, rc.right, rc.bottom);
    rc.left = std::max(rc.left, 0);
    rc.top = std::max(rc.top, 0);
    rc.right = std::min(rc.right, m_nColumns - 1);
    rc.bottom = std::min(rc.bottom, m_nLines - 1);
    return rc.left <= rc.right && rc.top <= rc.bottom;
}

CCellRect CRuvlenDoc::CellToLogical(const CCellRect& rc) const {
    return {m_nOriginX + rc.left * m_nCellSize, m_nOriginY + rc.top * m_nCellSize,
            m_nOriginX + (rc.right + 1) * m_nCellSize, m_nOriginY + (rc.bottom + 1) * m_nCellSize};
}

void CRuvlenDoc::InvalidateCells(CDocView* view, int left, int top, int right, int bottom) {
    if (view) view->InvalidateCells({left, top, right, bottom});
}

void CRuvlenDoc::InvalidateCells(CDocView* view, const CCellRect& rc) {
    if (view) view->InvalidateCells(rc);
}

void CRuvlenDoc::SaveUndo(int left, int top, int right, int bottom) {
    ++m_nUndoSerial;
    if (m_nUndoLevels > 1) {
        m_history.Record(m_cells.data(), {left, top, right, bottom});
        SyncUndoState();
        return;
    }
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) UndoCell(x, y).CopyFrom(Cell(x, y));
    m_bUndo = 1;
    m_rcUndo = {left, top, right, bottom};
}

void CRuvlenDoc::SaveUndoCell(const CCell& old, int x, int y) {
    ++m_nUndoSerial;
    if (m_nUndoLevels > 1) {
        m_history.RecordCell(old, x, y);
        SyncUndoState();
        return;
    }
    UndoCell(x, y).CopyFrom(old);
    m_bUndo = 1;
    m_rcUndo = {x, y, x, y};
}

void CRuvlenDoc::EndTool() {
    if (m_pCaret) {
        m_pCaret->EraseFeedback();
        m_pCaret.reset();
    }
    if (m_nToolState == NO_TOOL) return;
    if (m_pTool) m_pTool->EraseFeedback();
    if (m_nToolState == PASTE_TOOL) m_nToolMode = m_nPrevToolMode;
    m_pTool.reset();
    m_nToolState = NO_TOOL;
    m_bDragSelection = 0;
}

void CRuvlenDoc::Undo(CDocView* view) {
    if (!m_bUndo) return;
    ++m_nUndoSerial;
    if (m_nUndoLevels > 1) {
        CCellRect changed;
        if (!m_history.Undo(m_cells.data(), changed)) return;
        SyncUndoState();
        InvalidateCells(view, changed);
        SetModifiedFlag();
        if (m_pCaret) m_pCaret->CellsRestored();
        return;
    }
    const CCellRect& rc = m_rcUndo;
    for (int y = rc.top; y <= rc.bottom; ++y)
        for (int x = rc.left; x <= rc.right; ++x) std::swap(Cell(x, y), UndoCell(x, y));
    InvalidateCells(view, rc);
    // The cells now differ from what was last saved or read, at one level too.
    SetModifiedFlag();
    if (m_pCaret) m_pCaret->CellsRestored();
}

void CRuvlenDoc::Redo(CDocView* view) {
    CCellRect changed;
    if (!CanRedo() || !m_history.Redo(m_cells.data(), changed)) return;
    ++m_nUndoSerial;
    SyncUndoState();
    InvalidateCells(view, changed);
    SetModifiedFlag();
    if (m_pCaret) m_pCaret->CellsRestored();
}

// With several levels, m_bUndo and m_rcUndo describe the next step to undo.
void CRuvlenDoc::SyncUndoState() {
    m_bUndo = m_history.CanUndo() ? 1 : 0;
    if (m_bUndo) m_rcUndo = m_history.NextUndoRect();
}

// Switching between one level and several carries the next undo across: the
// snapshot of the undo grid becomes the newest step, or the newest step fills
// the undo grid. Redo steps do not survive the switch to one level.
void CRuvlenDoc::SetUndoLevels(int levels) {
    levels = std::clamp(levels, CUndoHistory::MIN_LEVELS, CUndoHistory::MAX_LEVELS);
    if (levels == m_nUndoLevels) return;
    ++m_nUndoSerial;
    if (levels == 1) {
        m_bUndo = m_history.CopyNextUndoTo(m_undoCells.data()) ? 1 : 0;
        if (m_bUndo) m_rcUndo = m_history.NextUndoRect();
        m_history.Clear();
    } else {
        if (m_nUndoLevels == 1) {
            m_history.Clear();
            if (m_bUndo) m_history.Record(m_undoCells.data(), m_rcUndo);
        }
        m_history.SetLimit(levels);
        SyncUndoState();
    }
    m_nUndoLevels = levels;
}
