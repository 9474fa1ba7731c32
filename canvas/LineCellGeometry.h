#pragma once

class CCell;

// Stroke widths of ruled lines for a cell edge d, in pixels.
struct CLineStrokes {
    int thin = 1;
    int thick = 2;

    static CLineStrokes For(int d);
};

// One stroke of a ruled-line cell: a filled rectangle of whole pixels.
struct CStrokeRect {
    int x = 0, y = 0, width = 0, height = 0;

    bool operator==(const CStrokeRect& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

// The filled rectangles a box-drawing cell is made of: one per arm, at most four.
struct CLineCellRects {
    CStrokeRect rects[4];
    int count = 0;

    const CStrokeRect* begin() const { return rects; }
    const CStrokeRect* end() const { return rects + count; }
};

// The rectangles of a cell of edge d with the given line flags, relative to the
// cell's top-left corner. Each arm runs from the cell centre to the cell edge, so
// arms of neighbouring cells meet without gaps and thin arms end on thick strokes.
// The screen, printing and the exported pictures all draw these.
CLineCellRects LineCellRects(int flags, int d);

// True for a cell drawn from its line flags: one of the 32 box-drawing characters.
bool IsLineGeometryCell(const CCell& cell);
