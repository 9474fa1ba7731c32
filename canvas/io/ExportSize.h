#pragma once

#include "canvas/CellGeometry.h"

#include <string>

class CRuvlenDoc;

// Exported pictures (SVG and PNG) are laid out at 96 dpi, the resolution of a
// normal screen, so a picture shows the canvas as the window does at that size.
constexpr int kExportDpi = kReferenceDpi;

// The pixel layout of an exported picture: only the cells, no margins or frame.
struct CExportExtent {
    int d = 0;        // cell edge
    int columns = 0;  // cells across
    int lines = 0;    // cells down
    int width = 0;    // columns x d
    int height = 0;   // lines x d
    int baseline = 0; // text baseline below a cell's top edge

    static CExportExtent For(const CRuvlenDoc& doc, int fontSizeIndex);
};

// False, with a message for the user, for a size index outside 0 to 5.
bool CheckExportSize(int fontSizeIndex, std::string& error);
