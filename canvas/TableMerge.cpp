// Merging cells of a recognised table.
#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/TableCommands.h"
#include "canvas/TableRecognition.h"
#include "canvas/TableSeam.h"

#include <algorithm>

namespace {

bool Meets(const CCellRect& a, const CCellRect& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

// A rectangle of the grid: columns [c0, c1), bands [r0, r1).
struct CGridRect {
    int c0, r0, c1, r1;
    bool Meets(const CTableArea& a) const {
        return a.m_nColumn < c1 && a.m_nColumn + a.m_nColumnSpan > c0 && a.m_nBand < r1 &&
               a.m_nBand + a.m_nBandSpan > r0;
    }
    void Take(const CTableArea& a) {
        c0 = std::min(c0, a.m_nColumn);
        r0 = std::min(r0, a.m_nBand);
        c1 = std::max(c1, a.m_nColumn + a.m_nColumnSpan);
        r1 = std::max(r1, a.m_nBand + a.m_nBandSpan);
    }
};

// The areas the selection touches (an area with the rules around it), grown
// until the grid rectangle they make cuts no area. Returns how many it holds.
int SelectedGrid(const CDrawnTable& table, const CCellRect& selection, CGridRect& grid) {
    grid = {table.Columns(), table.Bands(), 0, 0};
    for (const CTableArea& a : table.m_areas) {
        const CCellRect& b = a.m_rcCells;
        if (Meets(selection, {b.left - 1, b.top - 1, b.right + 1, b.bottom + 1})) grid.Take(a);
    }
    for (bool grew = true; grew;) {
        grew = false;
        for (const CTableArea& a : table.m_areas) {
            const CGridRect before = grid;
            if (!grid.Meets(a)) continue;
            grid.Take(a);
            grew = grew || before.c0 != grid.c0 || before.r0 != grid.r0 || before.c1 != grid.c1 ||
                   before.r1 != grid.r1;
        }
    }
    return int(std::count_if(table.m_areas.begin(), table.m_areas.end(),
                             [&grid](const CTableArea& a) { return grid.Meets(a); }));
}

} // namespace

CTableCommandResult MergeTableCells(CRuvlenDoc& doc, CDocView* view, const CDrawnTable& table,
                                    const CCellRect& selection) {
    CGridRect grid;
    if (SelectedGrid(table, selection, grid) < 2) return {CTableCommandResult::NO_BOUNDARY};
    const CCellRect box = {table.m_vRules[grid.c0].m_nAt, table.m_hRules[grid.r0].m_nAt,
                           table.m_vRules[grid.c1].m_nAt, table.m_hRules[grid.r1].m_nAt};
    doc.SaveUndo(box.left, box.top, box.right, box.bottom);
    // Inside the box, every cell that no area holds is one of the lines between.
    std::vector<char> text(static_cast<size_t>(box.Width()) * box.Height(), 0);
    for (const CTableArea& a : table.m_areas) {
        if (!grid.Meets(a)) continue;
        for (int y = a.m_rcCells.top; y <= a.m_rcCells.bottom; ++y)
            for (int x = a.m_rcCells.left; x <= a.m_rcCells.right; ++x)
                text[(x - box.left) + size_t(box.Width()) * (y - box.top)] = 1;
    }
    for (int y = box.top + 1; y < box.bottom; ++y)
        for (int x = box.left + 1; x < box.right; ++x)
            if (!text[(x - box.left) + size_t(box.Width()) * (y - box.top)]) doc.Cell(x, y).Erase();
    // The border's junctions lose their arms towards the inside.
    for (int x = box.left + 1; x < box.right; ++x) {
        RemoveArm(doc.Cell(x, box.top), LF_DOWN);
        RemoveArm(doc.Cell(x, box.bottom), LF_UP);
    }
    for (int y = box.top + 1; y < box.bottom; ++y) {
        RemoveArm(doc.Cell(box.left, y), LF_RIGHT);
        RemoveArm(doc.Cell(box.right, y), LF_LEFT);
    }
    doc.InvalidateCells(view, box);
    doc.SetModifiedFlag();
    return {};
}
