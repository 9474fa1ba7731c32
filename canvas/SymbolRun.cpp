#include "canvas/SymbolRun.h"

#include <algorithm>

namespace {

// Rounds half up (the values are never negative). The result lies inside the
// box by construction; the clamp only guards against rounding error.
int Round(double v, int lo, int hi) {
    return std::clamp(static_cast<int>(v + 0.5), lo, hi);
}

} // namespace

std::vector<CCellPoint> SymbolRunCells(int x1, int y1, int x2, int y2) {
    std::vector<CCellPoint> cells;
    const int xmin = std::min(x1, x2), xmax = std::max(x1, x2);
    const int ymin = std::min(y1, y2), ymax = std::max(y1, y2);
    const double dx = x2 - x1, dy = y2 - y1;
    if (ymin == ymax) {
        for (int x = xmin; x <= xmax; ++x) cells.push_back({x, ymin});
    } else if (xmin == xmax) {
        for (int y = ymin; y <= ymax; ++y) cells.push_back({xmin, y});
    } else if (xmax - xmin >= ymax - ymin) {
        for (int x = xmin; x <= xmax; ++x)
            cells.push_back({x, Round(x * (dy / dx) + (x2 * y1 - x1 * y2) / dx, ymin, ymax)});
    } else {
        for (int y = ymin; y <= ymax; ++y)
            cells.push_back({Round(y * (dx / dy) + (x1 * y2 - x2 * y1) / dy, xmin, xmax), y});
    }
    return cells;
}
