#pragma once

#include "canvas/Cell.h"

#include <cstdint>

// A cell in four bytes, for the undo history: the two text bytes, the line flags
// and the used and line-cell flags. Everything a cell holds survives the round
// trip: the text's third and fourth bytes are always NUL, the flags are 0 or 1
// and line flags never exceed 6 bits. A CCell takes 16 bytes, so a history of
// whole-canvas steps costs a quarter of what copies of CCell would.
struct CPackedCell {
    char m_text[2] = {' ', ' '};
    std::uint8_t m_lineFlags = 0;
    std::uint8_t m_bits = 0; // bit 0 used, bit 1 line cell

    static CPackedCell Pack(const CCell& cell) {
        CPackedCell p;
        p.m_text[0] = cell.m_szText[0];
        p.m_text[1] = cell.m_szText[1];
        p.m_lineFlags = static_cast<std::uint8_t>(cell.m_nLineFlags);
        p.m_bits = static_cast<std::uint8_t>((cell.m_bUsed ? 1 : 0) | (cell.m_bLine ? 2 : 0));
        return p;
    }

    void UnpackTo(CCell& cell) const {
        cell.m_bUsed = m_bits & 1;
        cell.m_szText[0] = m_text[0];
        cell.m_szText[1] = m_text[1];
        cell.m_szText[2] = 0;
        cell.m_szText[3] = 0;
        cell.m_bLine = (m_bits >> 1) & 1;
        cell.m_nLineFlags = m_lineFlags;
    }
};

static_assert(sizeof(CPackedCell) == 4, "a packed cell is four bytes");
