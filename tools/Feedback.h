#pragma once

#include <vector>

// A rectangle in the view's logical coordinates (pixels); right and bottom are
// exclusive, as for a filled or outlined rectangle.
struct CPixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const CPixelRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// What a tool draws as feedback, in logical coordinates. The inverting figures
// (dotted rectangle, dotted line, gray blocks) are drawn and erased by drawing
// them again; the marker is opaque and goes away when its cells are repainted.
struct CFeedbackFigure {
    enum Kind { None, DottedRect, DottedLine, GrayBlocks, Marker };
    Kind kind = None;
    std::vector<CPixelRect> rects;      // DottedRect and Marker: one; GrayBlocks: one per cell
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0; // DottedLine from (x1, y1) up to, not including, (x2, y2)

    bool operator==(const CFeedbackFigure& o) const {
        return kind == o.kind && rects == o.rects && x1 == o.x1 && y1 == o.y1 && x2 == o.x2 &&
               y2 == o.y2;
    }

    static CFeedbackFigure Rect(Kind kind, int l, int t, int r, int b) {
        CFeedbackFigure f;
        f.kind = kind;
        f.rects.push_back({l, t, r, b});
        return f;
    }
    static CFeedbackFigure Line(int x1, int y1, int x2, int y2) {
        CFeedbackFigure f;
        f.kind = DottedLine;
        f.x1 = x1, f.y1 = y1, f.x2 = x2, f.y2 = y2;
        return f;
    }
};
