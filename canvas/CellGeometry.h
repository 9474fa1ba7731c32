#pragma once

#include "canvas/CellRect.h"

// The six character sizes of a canvas, by font size index.
constexpr int kFontSizeCount = 6;
constexpr int kMaxFontSize = kFontSizeCount - 1;

// The resolution exports and the command line lay a canvas out at: that of a
// normal screen, so they show the canvas as a window does there.
constexpr int kReferenceDpi = 96;

struct CFontSize {
    double points;     // of 0.3514 mm
    const char* name;  // as the status bar shows it
    const char* label; // as the size lists show it (aligned)
};

// The size at an index; an index outside 0..5 gives the second size.
const CFontSize& FontSizeAt(int index);
// The size's name, or "" for an index outside 0..5.
const char* FontSizeName(int index);

// The pixel layout of a canvas at one resolution: everything follows from the
// cell edge d. The canvas starts at (2d, 2d); its rectangle includes the
// closing grid line; the scrollable surface adds the margins.
struct CCellGeometry {
    int d = 1;
    int originX = 0, originY = 0;
    int columns = 0, lines = 0;
    int canvasWidth = 0, canvasHeight = 0;
    int totalWidth = 0, totalHeight = 0;
    int fontPixels = 0; // the cell font (and ruler label) pixel size
    int baseline = 0;   // text baseline below a cell's top edge

    // The cell edge in pixels, truncated (0 for the smallest sizes at very low
    // resolutions; For makes it at least 1).
    static int CellEdge(int fontSizeIndex, int logPixelsX);
    static CCellGeometry For(int fontSizeIndex, int logPixelsX, int columns, int lines);
    // The baseline for a cell edge: the cell font's ascent, 0.88 d.
    static int Baseline(int d);

    // The canvas in pixels (right and bottom exclusive, without the closing line).
    CCellRect CanvasRect() const {
        return {originX, originY, originX + columns * d, originY + lines * d};
    }
    // The centre of a cell in pixels.
    CCellPoint CellCenter(int column, int line) const {
        return {originX + column * d + d / 2, originY + line * d + d / 2};
    }
};
