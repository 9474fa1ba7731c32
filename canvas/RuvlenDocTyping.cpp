// Keystrokes on the canvas: one undo step for a whole run of them.
#include "canvas/RuvlenDoc.h"

#include <algorithm>

int CRuvlenDoc::SaveUndoRun(int left, int top, int right, int bottom, int run) {
    if (!IsUndoRunOpen(run)) {
        SaveUndo(left, top, right, bottom);
        return m_nUndoSerial;
    }
    if (m_nUndoLevels > 1) {
        m_history.GrowNewest(m_cells.data(), {left, top, right, bottom});
        SyncUndoState();
        return run;
    }
    // One level: the undo grid keeps the run's first state; cells the run reaches
    // for the first time are still as they were when it began.
    const CCellRect old = m_rcUndo;
    const CCellRect grown{std::min(old.left, left), std::min(old.top, top),
                          std::max(old.right, right), std::max(old.bottom, bottom)};
    for (int y = grown.top; y <= grown.bottom; ++y)
        for (int x = grown.left; x <= grown.right; ++x)
            if (!old.Contains(x, y)) UndoCell(x, y).CopyFrom(Cell(x, y));
    m_rcUndo = grown;
    return run;
}

void CRuvlenDoc::WriteCellInRun(int x, int y, const CCell& cell, int& run) {
    if (Cell(x, y) == cell) return;
    run = SaveUndoRun(x, y, x, y, run);
    Cell(x, y).CopyFrom(cell);
    for (CDocView* view : m_views) view->InvalidateCells({x, y, x, y});
    SetModifiedFlag();
}
