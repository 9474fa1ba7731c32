#pragma once

#include "canvas/TableProblem.h"

#include <string>
#include <vector>

class CCell;
class CRuvlenDoc;

// How a table is ruled. The frame and the line under a header row have the
// outer weight; the lines between columns and between rows the inner weight.
struct CTableOptions {
    int m_bThickOuter = 1;
    int m_bThickInner = 0;
    int m_bHeader = 0;  // the first row is a header, set off by an outer-weight line
    int m_bCompact = 0; // no lines between rows (except under a header)
};

// A ruled table of Shift-JIS fields (rows of equal length, LF between a
// field's lines), measured in cells.
//
// Each column is as wide as its widest field line needs with half a cell of
// blank on either side: a half-width character takes half a cell, a
// full-width one a whole cell, and a full-width character that would straddle
// two cells gets a half-width blank before it. A field that reads as a number
// (CTableLayout::IsNumber) is aligned right, every other one left. A field of
// several lines takes that many text lines in its row.
class CTableLayout {
public:
    CTableLayout(const std::vector<std::vector<std::string>>& rows, const CTableOptions& options);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    // Writes every cell of the table (all of them used) into a grid in which
    // cell (x, y) is cells[x + stride * y]. The lines are composed from their
    // arms as one structure, so every crossing gets its junction.
    void Render(CCell* cells, int stride) const;

    // Optional sign, digits in groups of three or without grouping, optional
    // decimals and percent sign; half-width or full-width (Shift-JIS bytes).
    static bool IsNumber(const std::string& field);

    // Text area of each column: its first cell and its width in cells.
    std::vector<int> m_columnLeft, m_columnWidth;
    // Text lines of each row: the first one and how many.
    std::vector<int> m_rowTop, m_rowHeight;

private:
    struct CRule {
        int at;    // the line or column the rule runs along
        int thick; // nonzero for a thick rule
    };
    void Measure();
    void RuleFlags(std::vector<int>& flags) const;
    void PlaceText(std::vector<std::string>& lines) const;

    std::vector<std::vector<std::string>> m_rows;
    CTableOptions m_options;
    std::vector<CRule> m_hRules, m_vRules;
    int m_nWidth = 0;
    int m_nHeight = 0;
};

// Puts the table into the document's paste buffer (as the clipboard text
// would go there) when it fits the canvas. A table wider or higher than the
// canvas is refused with the size it needs, and the buffer is left alone.
bool PutTableInBuffer(CRuvlenDoc& doc, const CTableLayout& table, CTableProblem& problem);
