#pragma once

#include "canvas/CellRect.h"
#include "canvas/PackedCell.h"

#include <cstddef>
#include <deque>
#include <vector>

// One step of the history: the cells of one rectangle, row by row, as they were
// before an operation (on the undo side) or after it (on the redo side).
struct CUndoStep {
    CCellRect m_rc;
    std::vector<CPackedCell> m_cells;
};

// Several levels of undo with redo over a square grid of cells (row-major, its
// edge given at construction). Each operation records only the rectangle it is
// about to change. Undo exchanges the newest step with the grid, so the step then
// holds the cells it overwrote and moves to the redo side; redo does the reverse.
// A new operation clears the redo side. Undo and redo steps together never number
// more than the limit: a new step beyond it drops the oldest one.
class CUndoHistory {
public:
    static constexpr int MIN_LEVELS = 1;
    static constexpr int MAX_LEVELS = 100;

    explicit CUndoHistory(int gridEdge, int limit = MAX_LEVELS) : m_nEdge(gridEdge) {
        SetLimit(limit);
    }

    // Clamps to 1..100 and drops steps beyond the new limit: the oldest undo
    // steps first, then the redo steps farthest from the present.
    void SetLimit(int limit);

    // A new operation is about to change rc (cut down to the grid): clears the
    // redo side and keeps the rectangle's cells as they are now.
    void Record(const CCell* grid, const CCellRect& rc);
    // The same for an operation that already changed one cell: `old` is the cell
    // as it was.
    void RecordCell(const CCell& old, int x, int y);

    // Grows the newest undo step to the smallest rectangle holding both its own
    // and rc, taking the added cells from the grid as they are now. Only while
    // nothing was undone since that step; false (nothing changed) otherwise.
    bool GrowNewest(const CCell* grid, const CCellRect& rc);

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    int UndoCount() const { return static_cast<int>(m_undo.size()); }
    int RedoCount() const { return static_cast<int>(m_redo.size()); }
    // The rectangle the next undo restores; only while CanUndo.
    const CCellRect& NextUndoRect() const { return m_undo.back().m_rc; }

    // Each changes the grid inside one step's rectangle, returned in `changed`;
    // false (and nothing changed) when there is no step on that side.
    bool Undo(CCell* grid, CCellRect& changed);
    bool Redo(CCell* grid, CCellRect& changed);

    // Writes the newest undo step's cells into a grid without taking it.
    bool CopyNextUndoTo(CCell* grid) const;

    void Clear();
    // Bytes the steps hold: their cell storage and the step records themselves.
    std::size_t BytesHeld() const;

private:
    void DropBeyondLimit();
    void Exchange(CUndoStep& step, CCell* grid) const;

    std::deque<CUndoStep> m_undo;  // oldest first
    std::vector<CUndoStep> m_redo; // the next step to redo last
    int m_nEdge;
    int m_nLimit = MAX_LEVELS;
};
