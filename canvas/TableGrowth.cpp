#include "canvas/TableGrowth.h"

#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/TableRecognition.h"
#include "canvas/TableSeam.h"

#include <algorithm>
#include <vector>

namespace {

// The band of the table that a growth at `seam` goes through.
CSeamBand TableBand(const CDrawnTable& t, bool columns, int seam, int count) {
    const CCellRect& f = t.m_rcFrame;
    return {columns, seam, count, columns ? f.top : f.left, columns ? f.bottom : f.right};
}

// After `count` rows came in at `seam`, puts the cells of every area that
// reached the row before the seam back together: the area's own cells in
// order, the blank ones at its far side, or at its near side for a line kept
// to the right. The cells lie inside the insert's band, which the insert has
// already saved for undo and repainted.
void KeepAreasWhole(CRuvlenDoc& doc, const CDrawnTable& t, bool columns, int seam, int count) {
    auto at = [&](int along, int across) -> CCell& {
        return columns ? doc.Cell(along, across) : doc.Cell(across, along);
    };
    CCell blank;
    blank.Erase();
    for (size_t i = 0; i < t.m_areas.size(); ++i) {
        const CCellRect& rc = t.m_areas[i].m_rcCells;
        const int lo = columns ? rc.left : rc.top, hi = columns ? rc.right : rc.bottom;
        if (seam - 1 < lo || seam - 1 > hi) continue;
        for (int j = columns ? rc.top : rc.left; j <= (columns ? rc.bottom : rc.right); ++j) {
            const bool right = columns && TableLineKeepsRight(t, int(i), j);
            if (hi == seam - 1 && !right) continue; // the blanks are at its far side already
            std::vector<CCell> cells;
            for (int k = lo; k <= hi; ++k) cells.push_back(at(k < seam ? k : k + count, j));
            for (int k = lo; k <= hi + count; ++k) {
                const int from = k - lo - (right ? count : 0);
                at(k, j) = from >= 0 && from < int(cells.size()) ? cells[size_t(from)] : blank;
            }
        }
    }
}

// The cells left of a column seam that KeepAreasWhole moves: those of the
// areas reaching the seam with text kept to the right, on the table's lines.
// Empty (left past right) when there are none.
CCellRect LeftOfSeam(const CDrawnTable& t, int seam) {
    int lo = seam;
    for (size_t i = 0; i < t.m_areas.size(); ++i) {
        const CCellRect& rc = t.m_areas[i].m_rcCells;
        if (rc.left > seam - 1 || rc.right < seam - 1) continue;
        for (int y = rc.top; y <= rc.bottom; ++y)
            if (TableLineKeepsRight(t, int(i), y)) lo = std::min(lo, rc.left);
    }
    return {lo, t.m_rcFrame.top, seam - 1, t.m_rcFrame.bottom};
}

CTableEditResult Grow(CRuvlenDoc& doc, const CDrawnTable& t, bool columns, int seam, int count,
                      int& run) {
    const CTableEditResult result =
        doc.InsertInBand(nullptr, TableBand(t, columns, seam, count), &run);
    if (!result.Done()) return result;
    // Text kept to the right moves with the border, from left of the seam too.
    const CCellRect left = columns ? LeftOfSeam(t, seam) : CCellRect{0, 0, -1, -1};
    if (left.left <= left.right)
        run = doc.SaveUndoRun(left.left, left.top, left.right, left.bottom, run);
    KeepAreasWhole(doc, t, columns, seam, count);
    if (left.left <= left.right)
        for (CDocView* view : doc.Views()) view->InvalidateCells(left);
    return result;
}

} // namespace

int TableFieldAt(const CDrawnTable& t, int area, int line) {
    int found = -1;
    for (size_t i = 0; i < t.m_fields.size(); ++i) {
        if (t.m_fields[i].m_nArea != area) continue;
        const CTableDataRow& row = t.m_rows[size_t(t.m_fields[i].m_nRow)];
        if (found < 0 || (t.SplitsBand(row.m_nBand) && row.m_nTop == line)) found = int(i);
    }
    return found;
}

bool TableLineKeepsRight(const CDrawnTable& t, int area, int line) {
    return t.m_fields[size_t(TableFieldAt(t, area, line))].m_bRight;
}

CTableEditResult WidenTable(CRuvlenDoc& doc, const CDrawnTable& t, int area, int count, int& run) {
    return Grow(doc, t, true, t.m_areas[size_t(area)].m_rcCells.right + 1, count, run);
}

CTableEditResult HeightenTable(CRuvlenDoc& doc, const CDrawnTable& t, int area, int count,
                               int& run) {
    return Grow(doc, t, false, t.m_areas[size_t(area)].m_rcCells.bottom + 1, count, run);
}

CTableEditResult AddTableRow(CRuvlenDoc& doc, const CDrawnTable& t, int& run) {
    const CTableDataRow& last = t.m_rows.back();
    const bool compact = t.SplitsBand(last.m_nBand);
    const int seam = t.m_rcFrame.bottom;
    const CTableEditResult result = doc.InsertInBand(
        nullptr, TableBand(t, false, seam, compact ? 1 : 1 + last.m_nHeight), &run);
    if (!result.Done() || compact) return result;
    // The line above the new row: across the table, joined to the vertical lines.
    const int above = t.Bands() - 1;
    const bool innerAbove = above >= 1 && !(t.m_bHeader && above == 1);
    const int thick = innerAbove ? t.m_hRules[size_t(above)].m_bThick : t.m_bThickInner;
    for (int x = t.m_rcFrame.left; x <= t.m_rcFrame.right; ++x) {
        const CCell& upper = doc.Cell(x, seam - 1);
        const bool vertical = upper.m_bLine && (upper.m_nLineFlags & LF_DOWN);
        int flags = (x > t.m_rcFrame.left ? LF_LEFT : 0) | (x < t.m_rcFrame.right ? LF_RIGHT : 0) |
                    (thick ? LF_HTHICK : 0);
        if (vertical) flags |= LF_UP | LF_DOWN | (upper.m_nLineFlags & LF_VTHICK);
        doc.Cell(x, seam).SetLineFlags(flags);
    }
    return result;
}
