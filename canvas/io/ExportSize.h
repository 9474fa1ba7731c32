#pragma once

#include "canvas/CellGeometry.h"
#include "canvas/CellRect.h"

#include <string>

class CRuvlenDoc;

// Exported pictures (SVG and PNG) are laid out at 96 dpi, the resolution of a
// normal screen, so a picture shows the canvas as the window does at that size.
constexpr int kExportDpi = kReferenceDpi;

// The pixel layout of an exported picture: only the cells, no margins or frame.
struct CExportExtent {
    int d = 0;        // cell edge
    int left = 0;     // the canvas column drawn at the picture's left edge
    int top = 0;      // the canvas line drawn at the picture's top edge
    int columns = 0;  // cells across
    int lines = 0;    // cells down
    int width = 0;    // columns x d
    int height = 0;   // lines x d
    int baseline = 0; // text baseline below a cell's top edge

    // The whole canvas, or a rectangle of its cells (canvas/io/ExportArea.h).
    static CExportExtent For(const CRuvlenDoc& doc, int fontSizeIndex);
    static CExportExtent For(const CCellRect& cells, int fontSizeIndex);
};

// False, with a message for the user, for a size index outside 0 to 5.
bool CheckExportSize(int fontSizeIndex, std::string& error);
