#include "canvas/TableSeam.h"

namespace {

// The ToggleArm direction (1 right, 2 down, 3 left, 4 up) of an arm bit.
int DirectionOf(int arm) {
    switch (arm) {
    case LF_RIGHT:
        return ARM_RIGHT;
    case LF_DOWN:
        return ARM_DOWN;
    case LF_LEFT:
        return ARM_LEFT;
    default:
        return ARM_UP;
    }
}

} // namespace

void FillInsertedCell(const CCell& before, const CCell& after, CCell& inserted,
                      const CSeamArms& seam) {
    if (CrossesSeam(before, after, seam))
        inserted.SetLineFlags(seam.m_nBefore | seam.m_nAfter |
                              (before.m_nLineFlags & seam.m_nThickBit));
    else
        inserted.Erase();
}

void JoinAtSeam(CCell* before, CCell& after, const CSeamArms& seam) {
    const bool fromBefore = before && HasArm(*before, seam.m_nBefore);
    const bool fromAfter = HasArm(after, seam.m_nAfter);
    if (fromBefore == fromAfter) return;
    if (fromBefore)
        RemoveArm(*before, seam.m_nBefore);
    else
        RemoveArm(after, seam.m_nAfter);
}

void RemoveArm(CCell& cell, int arm) {
    if (!HasArm(cell, arm) || cell.ToggleArm(DirectionOf(arm))) return;
    const int flags = cell.m_nLineFlags;
    const int rest = flags & LF_ARMS & ~arm;
    if (rest == LF_RIGHT || rest == LF_LEFT)
        cell.SetLineFlags(LF_RIGHT | LF_LEFT | (flags & LF_HTHICK));
    else
        cell.SetLineFlags(LF_DOWN | LF_UP | (flags & LF_VTHICK));
}
