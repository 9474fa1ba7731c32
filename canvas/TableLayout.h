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

// A field that takes several rows or columns of a table (a merged cell). Its
// text is the field at its top-left place; the places it covers are left out.
struct CTableMerge {
    int m_nRow = 0, m_nColumn = 0;
    int m_nRowSpan = 1, m_nColumnSpan = 1;
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
//
// A merged cell has no lines inside. Columns are as wide as their fields of a
// single column need; a merged cell whose text needs more room than the
// columns it spans (with the lines between them) widens the last of them, and
// likewise for rows. In a compact table, merged cells keep to the header row
// (CanLayMerges).
class CTableLayout {
public:
    CTableLayout(const std::vector<std::vector<std::string>>& rows, const CTableOptions& options,
                 const std::vector<CTableMerge>& merges = std::vector<CTableMerge>());

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    // Writes every cell of the table (all of them used) into a grid in which
    // cell (x, y) is cells[x + stride * y]. The lines are composed from their
    // arms as one structure, so every crossing gets its junction.
    void Render(CCell* cells, int stride) const;

    // Optional sign, digits in groups of three or without grouping, optional
    // decimals and percent sign; half-width or full-width (Shift-JIS bytes).
    static bool IsNumber(const std::string& field);

    // Whether the merged cells can be drawn: without lines between the rows of
    // a compact table, only a header row may hold merged cells.
    static bool CanLayMerges(const std::vector<CTableMerge>& merges, const CTableOptions& options);

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
    void FitMerges();
    void PlaceRules();
    int MergeAt(int row, int column) const; // index into m_merges, or -1
    bool Covered(int row, int column) const;
    void RuleFlags(std::vector<int>& flags) const;
    void PlaceText(std::vector<std::string>& lines) const;

    std::vector<std::vector<std::string>> m_rows;
    CTableOptions m_options;
    std::vector<CTableMerge> m_merges;
    std::vector<CRule> m_hRules, m_vRules;
    std::vector<int> m_hRuleAfter; // the row each horizontal rule follows, -1 for the top
    int m_nWidth = 0;
    int m_nHeight = 0;
};

// Puts the table into the document's paste buffer (as the clipboard text
// would go there) when it fits the canvas. A table wider or higher than the
// canvas is refused with the size it needs, and the buffer is left alone.
bool PutTableInBuffer(CRuvlenDoc& doc, const CTableLayout& table, CTableProblem& problem);
