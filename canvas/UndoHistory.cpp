#include "canvas/UndoHistory.h"

#include <algorithm>
#include <utility>

void CUndoHistory::SetLimit(int limit) {
    m_nLimit = std::clamp(limit, MIN_LEVELS, MAX_LEVELS);
    DropBeyondLimit();
}

void CUndoHistory::DropBeyondLimit() {
    while (UndoCount() + RedoCount() > m_nLimit) {
        if (!m_undo.empty())
            m_undo.pop_front();
        else
            m_redo.erase(m_redo.begin());
    }
}

void CUndoHistory::Record(const CCell* grid, const CCellRect& rc) {
    m_redo.clear();
    CUndoStep step;
    step.m_rc = CCellRect::FromCorners(rc.left, rc.top, rc.right, rc.bottom);
    CCellRect& r = step.m_rc;
    r.left = std::max(r.left, 0);
    r.top = std::max(r.top, 0);
    r.right = std::min(r.right, m_nEdge - 1);
    r.bottom = std::min(r.bottom, m_nEdge - 1);
    if (r.left > r.right || r.top > r.bottom) return;
    step.m_cells.reserve(static_cast<std::size_t>(r.Width()) * r.Height());
    for (int y = r.top; y <= r.bottom; ++y)
        for (int x = r.left; x <= r.right; ++x)
            step.m_cells.push_back(CPackedCell::Pack(grid[x + m_nEdge * y]));
    m_undo.push_back(std::move(step));
    DropBeyondLimit();
}

void CUndoHistory::RecordCell(const CCell& old, int x, int y) {
    m_redo.clear();
    if (x < 0 || y < 0 || x >= m_nEdge || y >= m_nEdge) return;
    m_undo.push_back({{x, y, x, y}, {CPackedCell::Pack(old)}});
    DropBeyondLimit();
}

// Swaps the step's cells with the grid's cells of its rectangle.
void CUndoHistory::Exchange(CUndoStep& step, CCell* grid) const {
    const CCellRect& rc = step.m_rc;
    auto saved = step.m_cells.begin();
    for (int y = rc.top; y <= rc.bottom; ++y) {
        for (int x = rc.left; x <= rc.right; ++x, ++saved) {
            CCell& cell = grid[x + m_nEdge * y];
            const CPackedCell now = CPackedCell::Pack(cell);
            saved->UnpackTo(cell);
            *saved = now;
        }
    }
}

bool CUndoHistory::Undo(CCell* grid, CCellRect& changed) {
    if (m_undo.empty()) return false;
    m_redo.push_back(std::move(m_undo.back()));
    m_undo.pop_back();
    Exchange(m_redo.back(), grid);
    changed = m_redo.back().m_rc;
    return true;
}

bool CUndoHistory::Redo(CCell* grid, CCellRect& changed) {
    if (m_redo.empty()) return false;
    m_undo.push_back(std::move(m_redo.back()));
    m_redo.pop_back();
    Exchange(m_undo.back(), grid);
    changed = m_undo.back().m_rc;
    return true;
}

bool CUndoHistory::CopyNextUndoTo(CCell* grid) const {
    if (m_undo.empty()) return false;
    const CUndoStep& step = m_undo.back();
    auto saved = step.m_cells.begin();
    for (int y = step.m_rc.top; y <= step.m_rc.bottom; ++y)
        for (int x = step.m_rc.left; x <= step.m_rc.right; ++x, ++saved)
            saved->UnpackTo(grid[x + m_nEdge * y]);
    return true;
}

void CUndoHistory::Clear() {
    m_undo.clear();
    m_redo.clear();
}

std::size_t CUndoHistory::BytesHeld() const {
    std::size_t bytes = 0;
    for (const CUndoStep& step : m_undo)
        bytes += sizeof step + step.m_cells.capacity() * sizeof(CPackedCell);
    for (const CUndoStep& step : m_redo)
        bytes += sizeof step + step.m_cells.capacity() * sizeof(CPackedCell);
    return bytes;
}

bool CUndoHistory::GrowNewest(const CCell* grid, const CCellRect& rc) {
    if (m_undo.empty() || !m_redo.empty()) return false;
    CUndoStep& step = m_undo.back();
    const CCellRect old = step.m_rc;
    CCellRect u{std::min(old.left, rc.left), std::min(old.top, rc.top),
                std::max(old.right, rc.right), std::max(old.bottom, rc.bottom)};
    u.left = std::max(u.left, 0);
    u.top = std::max(u.top, 0);
    u.right = std::min(u.right, m_nEdge - 1);
    u.bottom = std::min(u.bottom, m_nEdge - 1);
    if (u == old) return true;
    std::vector<CPackedCell> cells;
    cells.reserve(static_cast<std::size_t>(u.Width()) * u.Height());
    for (int y = u.top; y <= u.bottom; ++y)
        for (int x = u.left; x <= u.right; ++x)
            cells.push_back(old.Contains(x, y)
                                ? step.m_cells[(y - old.top) * old.Width() + (x - old.left)]
                                : CPackedCell::Pack(grid[x + m_nEdge * y]));
    step.m_rc = u;
    step.m_cells = std::move(cells);
    return true;
}
