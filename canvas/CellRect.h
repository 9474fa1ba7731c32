#pragma once

// A cell: column x, line y.
struct CCellPoint {
    int x = 0;
    int y = 0;
    bool operator==(const CCellPoint& o) const { return x == o.x && y == o.y; }
};

// An inclusive rectangle of cells: columns left..right, lines top..bottom.
struct CCellRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
    bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    bool operator==(const CCellRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const CCellRect& o) const { return !(*this == o); }

    // The rectangle spanned by two corner cells given in any order.
    static CCellRect FromCorners(int x1, int y1, int x2, int y2) {
        return {x1 < x2 ? x1 : x2, y1 < y2 ? y1 : y2, x1 < x2 ? x2 : x1, y1 < y2 ? y2 : y1};
    }
};
