#pragma once

#include "canvas/CellRect.h"

#include <string>
#include <vector>

class CRuvlenDoc;

// A table read back from the ruled lines on the canvas.
//
// A table is a rectangle whose border is an unbroken ruled line, divided
// inside by ruled lines joined to the border or to each other into
// rectangular areas. Lines that leave the rectangle outward are ignored. A line
// cell inside an area that is joined to none of the table's lines (a ─ used as
// a dash) is part of that area's text. Where boxes are nested or joined, the
// table is the largest such rectangle around the cell.
//
// The table's vertical rules give its grid columns and its horizontal rules
// its bands; an area spanning several of either is a merged cell. The data
// rows are the bands, except in a compact table (one with at most one
// horizontal rule inside, as a table pasted with compact rows has): there
// every text line of a band below that rule (of the whole table when there is
// none) is a row of its own.

// One rule of the grid: the canvas column (vertical rules) or line
// (horizontal rules) it runs along, and whether most of it is thick.
struct CTableRule {
    int m_nAt = 0;
    int m_bThick = 0;
};

// One canvas line of an area's text. The text is Shift-JIS with leading and
// trailing half- and full-width blanks removed, and without the half-width
// blanks that only keep a full-width character on a whole cell.
struct CTableTextLine {
    std::string m_strText; // empty for a blank line
    int m_nLine = 0;       // canvas line
    // Where the text starts and how wide it is, in half cells counted from the
    // canvas's left edge (the column is m_nStartHalf / 2); for a blank line the
    // area's first half cell and 0.
    int m_nStartHalf = 0;
    int m_nHalves = 0;

    int Column() const { return m_nStartHalf / 2; }
};

// One area enclosed by the table's lines (a table cell).
struct CTableArea {
    int m_nColumn = 0, m_nBand = 0;         // first grid column and band
    int m_nColumnSpan = 1, m_nBandSpan = 1; // how many it covers
    CCellRect m_rcCells;                    // its cells inside the borders
    std::vector<CTableTextLine> m_lines;    // one for each line of m_rcCells
    // The text keeps to the right edge: every non-empty line has less blank
    // after it than before it, or as much and the text reads as a number.
    bool m_bRight = false;

    // The lines joined with LF, blank lines at the top and bottom dropped.
    std::string Text() const;
};

// One row of the data: the canvas lines it takes and the band they lie in.
struct CTableDataRow {
    int m_nTop = 0;
    int m_nHeight = 1;
    int m_nBand = 0;
};

// One field of the data, at its data row and grid column. A merged area gives
// one field spanning the rows and columns it covers; in a band split into one
// row per text line, each line of an area is a field of its own.
struct CTableField {
    int m_nRow = 0, m_nColumn = 0;
    int m_nRowSpan = 1, m_nColumnSpan = 1;
    int m_nArea = 0; // index into CDrawnTable::m_areas
    std::string m_strText;
    bool m_bRight = false;
};

struct CDrawnTable {
    CCellRect m_rcFrame;               // the table's cells, its border included
    std::vector<CTableRule> m_vRules;  // left border .. right border
    std::vector<CTableRule> m_hRules;  // top border .. bottom border
    std::vector<CTableArea> m_areas;   // by band, then by column
    std::vector<CTableDataRow> m_rows; // top to bottom
    std::vector<CTableField> m_fields; // by row, then by column
    // The first row is a header: the rule under it has another weight than
    // every rule between the other rows, or it is the only horizontal rule
    // inside the table.
    bool m_bHeader = false;
    // Some band was split into one row per text line and had several.
    bool m_bCompact = false;
    // Most of the border is thick; most of the rules inside (the one under a
    // header left out) are thick. Without rules inside, m_bThickInner is 0.
    int m_bThickFrame = 0;
    int m_bThickInner = 0;

    int Columns() const { return static_cast<int>(m_vRules.size()) - 1; }
    int Bands() const { return static_cast<int>(m_hRules.size()) - 1; }
    int Rows() const { return static_cast<int>(m_rows.size()); }
    // Whether band b is read as one row per text line (a compact table).
    bool SplitsBand(int band) const;
    // The grid column that holds canvas column x: the one it lies in, or for
    // an inner vertical rule the column to its right; -1 outside the table.
    int ColumnAt(int x) const;
    // The index into m_fields of the field covering a data row and column.
    int FieldAt(int row, int column) const;
    // The data as Rows() rows of Columns() Shift-JIS fields (LF between a
    // field's lines): a merged field's text in its top-left place, the places
    // it covers empty.
    std::vector<std::vector<std::string>> Data() const;
};

// Recognises the table that holds the cell (on its border or inside it).
// False when there is none: blank cells, a ring between two boxes, a shape not
// divided into rectangles. The document is only read.
bool RecognizeTable(const CRuvlenDoc& doc, CCellPoint cell, CDrawnTable& table);
