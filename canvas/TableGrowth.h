#pragma once

#include "canvas/TableEditResult.h"

class CRuvlenDoc;
struct CDrawnTable;

// A recognised table (canvas/TableRecognition.h) growing while text is typed
// into it, as part of a run of keystrokes (`run`, as for SaveUndoRun). Each
// growth is an insert through the table's own band (CRuvlenDoc::InsertInBand):
// only the table's lines (or columns) move, with what lies beyond them in the
// direction of growth, and the lines crossing the seam run on. An area that
// reaches the seam keeps its text whole and where it was: the new blank cells
// go to its far side, except that a line of text kept to the right moves
// with the right border. A growth that would push a non-blank cell off the
// canvas changes nothing and says how many columns or lines the canvas needs.

// The field (index into m_fields) of an area's canvas line: the area's one, or
// in a band read as one row per text line, that line's.
int TableFieldAt(const CDrawnTable& table, int area, int line);
// Which side that line's text keeps to: the field's.
bool TableLineKeepsRight(const CDrawnTable& table, int area, int line);

// `count` columns in at the right border of an area, through the table's lines.
CTableEditResult WidenTable(CRuvlenDoc& doc, const CDrawnTable& table, int area, int count,
                            int& run);
// `count` lines in at the bottom border of an area, through the table's columns.
CTableEditResult HeightenTable(CRuvlenDoc& doc, const CDrawnTable& table, int area, int count,
                               int& run);
// A row below the last one with its height and its lines in their weights,
// set off by a line in the weight of the line above the last row (the inner
// weight when that is the frame or the header line); in a compact table, one
// more text line.
CTableEditResult AddTableRow(CRuvlenDoc& doc, const CDrawnTable& table, int& run);
