#pragma once

#include "canvas/CellRect.h"

#include <string>

class CRuvlenDoc;

// Which cells an exported picture shows: the whole canvas, the selection (cut
// down to the canvas) or the used area, the smallest rectangle holding every
// non-blank cell of the canvas. The picture is that rectangle's cells with no
// margin.
enum class EExportArea { Canvas, Selection, Used };

// The cell rectangle of the area. False, with a message for the user, when the
// area holds no cells: no selection on the canvas, or a canvas with nothing
// on it (a blank picture of no size says nothing, so it is refused).
bool ExportAreaRect(const CRuvlenDoc& doc, EExportArea area, CCellRect& cells, std::string& error);

// The canvas's cells as a rectangle, at most MAX_SIZE each way; empty (width or
// height 0) for a canvas of no size.
CCellRect ExportCanvasRect(const CRuvlenDoc& doc);
