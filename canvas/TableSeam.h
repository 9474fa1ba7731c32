#pragma once

#include "canvas/Cell.h"
#include "canvas/LineFlags.h"

// The arms that meet at a seam where rows of cells were split apart (insert) or
// brought together (delete). Between two lines the cell above faces the seam with
// its down arm and the cell below with its up arm; between two columns the cell on
// the left faces it with its right arm and the cell on the right with its left arm.
// One description serves both, so the rules below are written once.
struct CSeamArms {
    int m_nBefore;   // facing arm of the cell before the seam (above or left of it)
    int m_nAfter;    // facing arm of the cell after the seam (below or right of it)
    int m_nThickBit; // thickness bit of the axis that crosses the seam

    static CSeamArms AcrossLines() { return {LF_DOWN, LF_UP, LF_VTHICK}; }
    static CSeamArms AcrossColumns() { return {LF_RIGHT, LF_LEFT, LF_HTHICK}; }
};

// Where an insert goes: `count` blank lines before line `first` (columns before
// column `first` when m_bColumns), through the columns (lines) from..to along
// the seam only. The band from 0 to the canvas's last column (line) is the
// whole-canvas insert.
struct CSeamBand {
    bool m_bColumns = false;
    int m_nFirst = 0;
    int m_nCount = 1;
    int m_nFrom = 0;
    int m_nTo = 0;
};

// True when the cell is a line cell with the given arm.
inline bool HasArm(const CCell& cell, int arm) {
    return cell.m_bLine && (cell.m_nLineFlags & arm);
}

// True when a ruled line runs through the seam: both cells face it.
inline bool CrossesSeam(const CCell& before, const CCell& after, const CSeamArms& seam) {
    return HasArm(before, seam.m_nBefore) && HasArm(after, seam.m_nAfter);
}

// Fills a cell inserted into the seam: a line that crosses it is continued
// straight, in the weight of the cell before; any other inserted cell is blank.
void FillInsertedCell(const CCell& before, const CCell& after, CCell& inserted,
                      const CSeamArms& seam);

// Joins two cells brought together at a seam. Arms facing each other stay; an arm
// facing nothing is removed (RemoveArm). `before` is null at the canvas's edge,
// where nothing faces the seam.
void JoinAtSeam(CCell* before, CCell& after, const CSeamArms& seam);

// Removes one arm of a line cell as a right click on it does (the weight rule of
// ToggleArm included). A corner or a straight line, which a right click cannot
// shorten, keeps its other arm and becomes the straight line of that arm's axis
// in its weight, since a drawn line ends in a full cell: ┐ loses its down arm as
// ─, and │ stays │. No cell is left with a single arm.
void RemoveArm(CCell& cell, int arm);
