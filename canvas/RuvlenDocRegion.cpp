// Region operations: selection, erase, paste, rotate, mirror, move.
#include "canvas/RuvlenDoc.h"

#include <algorithm>
#include <vector>

void CRuvlenDoc::Select(CDocView* view, int left, int top, int right, int bottom) {
    Deselect(view);
    m_rcSelection = {left, top, right, bottom};
    m_bSelection = 1;
    m_bDragSelection = 0;
    InvalidateCells(view, m_rcSelection);
    m_bSquareSelection = (right - left == bottom - top) ? 1 : 0;
}

void CRuvlenDoc::Deselect(CDocView* view) {
    if (!m_bSelection) return;
    m_bSelection = 0;
    m_bSquareSelection = 0;
    m_bDragSelection = 0;
    InvalidateCells(view, m_rcSelection);
}

void CRuvlenDoc::ClipSelection() {
    if (!m_bSelection) return;
    CCellRect rc = m_rcSelection;
    if (!ClipToCanvas(rc)) {
        Deselect(nullptr);
        return;
    }
    m_rcSelection = rc;
    m_bSquareSelection = (rc.Width() == rc.Height()) ? 1 : 0;
}

bool CRuvlenDoc::SelectionOnCanvas(CCellRect& rc) const {
    rc = m_rcSelection;
    return m_bSelection && ClipToCanvas(rc);
}

int CRuvlenDoc::IsInSelection(int x, int y) {
    m_bDragSelection = 0;
    if (!m_bSelection) return 0;
    const CCellRect& rc = m_rcSelection;
    const int cell = m_nCellSize;
    if (m_nOriginX + rc.left * cell <= x && x <= m_nOriginX + (rc.right + 1) * cell - 1 &&
        m_nOriginY + rc.top * cell <= y && y <= m_nOriginY + (rc.bottom + 1) * cell - 1) {
        m_bDragSelection = 1;
        return 1;
    }
    return 0;
}

void CRuvlenDoc::EraseRect(CDocView* view, int left, int top, int right, int bottom) {
    SaveUndo(left, top, right, bottom);
    EraseRectNoUndo(left, top, right, bottom);
    InvalidateCells(view, left, top, right, bottom);
    SetModifiedFlag();
}

void CRuvlenDoc::EraseRectNoUndo(int left, int top, int right, int bottom) {
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) Cell(x, y).Erase();
}

// EraseRect takes the one snapshot of the whole canvas.
void CRuvlenDoc::ClearAll(CDocView* view) {
    Deselect(view);
    EraseRect(view, 0, 0, m_nColumns - 1, m_nLines - 1);
}

void CRuvlenDoc::DeleteSelection(CDocView* view) {
    CCellRect rc;
    const bool onCanvas = SelectionOnCanvas(rc);
    m_bSelection = 0;
    m_bSquareSelection = 0;
    if (onCanvas) EraseRect(view, rc.left, rc.top, rc.right, rc.bottom);
}

void CRuvlenDoc::ClearBuffer() {
    for (CCell& cell : m_bufferCells) cell.Reset();
    m_bBufferMergesLines = false;
}

// Content that does not fit (the canvas shrank while the paste waited) is cut
// off at the canvas's edges.
void CRuvlenDoc::PasteFromBuffer(CDocView* view, int left, int top, int right, int bottom,
                                 bool transparent) {
    CCellRect rc = {left, top, right, bottom};
    if (!ClipToCanvas(rc)) return;
    left = std::min(left, right);
    top = std::min(top, bottom);
    SaveUndo(rc.left, rc.top, rc.right, rc.bottom);
    for (int y = rc.top; y <= rc.bottom && y - top < m_nBufferLines; ++y) {
        for (int x = rc.left; x <= rc.right && x - left < m_nBufferColumns; ++x) {
            const CCell& source = BufferCell(x - left, y - top);
            if (!source.m_bUsed || (transparent && source.IsBlank())) continue;
            if (transparent && m_bBufferMergesLines)
                Cell(x, y).MergeLinesFrom(source);
            else
                Cell(x, y).CopyFrom(source);
        }
    }
    InvalidateCells(view, rc);
    SetModifiedFlag();
}

void CRuvlenDoc::Paste(CDocView* view, int left, int top, int right, int bottom) {
    PasteFromBuffer(view, left, top, right, bottom, false);
}

void CRuvlenDoc::PasteTransparent(CDocView* view, int left, int top, int right, int bottom) {
    PasteFromBuffer(view, left, top, right, bottom, true);
}

// Copies every selected cell to its mapped place in a scratch grid the size of
// the selection, turns line cells by the given quarter turns or mirrors them,
// then copies the selection back. The paste buffer is never used as scratch: a
// paste waiting for its click keeps what was on the clipboard.
template <class MapFn>
void CRuvlenDoc::TransformSelection(CDocView* view, MapFn map, int turns, int flip) {
    CCellRect rc;
    if (!SelectionOnCanvas(rc) || rc != m_rcSelection) return;
    SaveUndo(rc.left, rc.top, rc.right, rc.bottom);
    const int width = rc.Width();
    std::vector<CCell> scratch(static_cast<size_t>(width) * rc.Height());
    auto at = [&](int x, int y) -> CCell& {
        return scratch[static_cast<size_t>(x - rc.left) +
                       static_cast<size_t>(width) * (y - rc.top)];
    };
    for (int y = rc.top; y <= rc.bottom; ++y) {
        for (int x = rc.left; x <= rc.right; ++x) {
            CCellPoint to = map(x, y);
            CCell& target = at(to.x, to.y);
            target.CopyFrom(Cell(x, y));
            if (!target.m_bLine) continue;
            for (int t = 0; t < turns; ++t) target.RotateRight();
            if (flip == 1) target.FlipHorizontal();
            if (flip == 2) target.FlipVertical();
        }
    }
    for (int y = rc.top; y <= rc.bottom; ++y)
        for (int x = rc.left; x <= rc.right; ++x) Cell(x, y).CopyFrom(at(x, y));
    InvalidateCells(view, rc);
    SetModifiedFlag();
}

void CRuvlenDoc::RotateSelection90(CDocView* view) {
    // A square selection turns a quarter clockwise; a non-square one would map
    // cells outside itself, so it is left alone.
    const CCellRect rc = m_rcSelection;
    if (rc.Width() != rc.Height()) return;
    TransformSelection(
        view,
        [rc](int x, int y) {
            return CCellPoint{rc.right - (y - rc.top), rc.top + (x - rc.left)};
        },
        1, 0);
}

void CRuvlenDoc::RotateSelection180(CDocView* view) {
    const CCellRect rc = m_rcSelection;
    TransformSelection(
        view,
        [rc](int x, int y) {
            return CCellPoint{rc.left + rc.right - x, rc.top + rc.bottom - y};
        },
        2, 0);
}

void CRuvlenDoc::FlipSelectionHorizontal(CDocView* view) {
    const CCellRect rc = m_rcSelection;
    TransformSelection(
        view,
        [rc](int x, int y) {
            return CCellPoint{rc.left + rc.right - x, y};
        },
        0, 1);
}

void CRuvlenDoc::FlipSelectionVertical(CDocView* view) {
    const CCellRect rc = m_rcSelection;
    TransformSelection(
        view,
        [rc](int x, int y) {
            return CCellPoint{x, rc.top + rc.bottom - y};
        },
        0, 2);
}

void CRuvlenDoc::CopyRectToBuffer(int left, int top, int right, int bottom) {
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) BufferCell(x - left, y - top).CopyFrom(Cell(x, y));
}

void CRuvlenDoc::CopyBufferToRect(int left, int top, int right, int bottom) {
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) Cell(x, y).CopyFrom(BufferCell(x - left, y - top));
}

void CRuvlenDoc::MoveSelection(CDocView* view, int dx, int dy) {
    CCellRect rc;
    if (!SelectionOnCanvas(rc)) return;
    // The destination stays on the canvas whatever offset is asked for.
    dx = std::clamp(dx, -rc.left, m_nColumns - 1 - rc.right);
    dy = std::clamp(dy, -rc.top, m_nLines - 1 - rc.bottom);
    const CCellRect all = {std::min(rc.left, rc.left + dx), std::min(rc.top, rc.top + dy),
                           std::max(rc.right, rc.right + dx), std::max(rc.bottom, rc.bottom + dy)};
    SaveUndo(all.left, all.top, all.right, all.bottom);
    // Moved through a copy of its own, not the paste buffer (see TransformSelection).
    std::vector<CCell> moved;
    moved.reserve(static_cast<size_t>(rc.Width()) * rc.Height());
    for (int y = rc.top; y <= rc.bottom; ++y)
        for (int x = rc.left; x <= rc.right; ++x) moved.push_back(Cell(x, y));
    EraseRectNoUndo(rc.left, rc.top, rc.right, rc.bottom);
    auto from = moved.begin();
    for (int y = rc.top + dy; y <= rc.bottom + dy; ++y)
        for (int x = rc.left + dx; x <= rc.right + dx; ++x) Cell(x, y).CopyFrom(*from++);
    m_bSelection = 0;
    m_bSquareSelection = 0;
    InvalidateCells(view, all);
    SetModifiedFlag();
}

int CRuvlenDoc::CountCellsOutside(int columns, int lines) const {
    int count = 0;
    for (int y = 0; y < m_nLines; ++y)
        for (int x = 0; x < m_nColumns; ++x)
            if ((x >= columns || y >= lines) && !Cell(x, y).IsBlank()) ++count;
    return count;
}
