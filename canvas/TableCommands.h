#pragma once

#include "canvas/CellRect.h"
#include "canvas/TableLayout.h"

#include <string>

class CDocView;
class CRuvlenDoc;
struct CDrawnTable;

// The commands on a table recognised on the canvas (canvas/TableRecognition.h):
// re-lay, sort and merge cells. Each change is one undo step, done as every
// document operation does it (undo rectangle, cells, repaint, modified flag);
// a refusal changes nothing.

struct CTableCommandResult {
    enum Status {
        DONE,
        NO_SELECTION,   // nothing is selected
        NO_TABLE,       // the selection's top-left cell is in no table
        BEYOND_CANVAS,  // re-lay: the new table does not fit the canvas
        NO_ROOM,        // re-lay: cells the new table needs are not blank
        MERGED_COMPACT, // re-lay: merged cells below the header of a compact table
        MERGED_ROWS,    // sort: a body cell is merged across rows
        NO_BOUNDARY,    // merge: the selection lies inside one cell
    };
    Status m_nStatus = DONE;
    // BEYOND_CANVAS: columns and lines past the canvas's edges. NO_ROOM:
    // columns to the right of the old table and lines below it that hold
    // non-blank cells where the new table goes.
    int m_nColumns = 0, m_nLines = 0;

    bool Done() const { return m_nStatus == DONE; }
};

// The table that holds the selection's top-left cell.
CTableCommandResult TableAtSelection(const CRuvlenDoc& doc, CDrawnTable& table);

// The options the table is drawn with now: frame and inner weights, header
// line, compact rows.
CTableOptions TableOptionsOf(const CDrawnTable& table);

// Redraws the table from its data as 表として貼り付け lays it out, merged
// cells kept, with its top-left corner where it was; cells the old table
// covered and the new one does not become blank. With check only, nothing
// changes either way.
CTableCommandResult ReLayTable(CRuvlenDoc& doc, CDocView* view, const CDrawnTable& table,
                               const CTableOptions& options, bool checkOnly = false);

// Sorts the rows below the header (all of them without one) by the grid
// column: by value when every non-empty field of it is a number, by the
// Shift-JIS text otherwise; empty fields last; stable. Each row keeps its
// lines; the junctions of the lines between rows follow the rows.
CTableCommandResult SortTable(CRuvlenDoc& doc, CDocView* view, const CDrawnTable& table, int column,
                              bool descending, bool header);

// Joins the cells the selection touches, widened to whole cells, into one:
// the lines between them go, junctions on its border lose their arms inside
// (as the line and column deletion removes them), texts stay where they are.
CTableCommandResult MergeTableCells(CRuvlenDoc& doc, CDocView* view, const CDrawnTable& table,
                                    const CCellRect& selection);

// A Japanese sentence for the user on why nothing changed.
std::string TableCommandMessage(const CTableCommandResult& result);
