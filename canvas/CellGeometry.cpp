#include "canvas/CellGeometry.h"

#include <algorithm>
#include <cmath>

namespace {
const CFontSize kSizes[kFontSizeCount] = {
    {5.4, "５ポ", "  ５ポ"},  {7.2, "７ポ", "  ７ポ"},    {9.6, "９ポ", "  ９ポ"},
    {12, "１２ポ", "１２ポ"}, {14.5, "１４ポ", "１４ポ"}, {19.3, "１９ポ", "１９ポ"},
};
} // namespace

const CFontSize& FontSizeAt(int index) {
    return index >= 0 && index < kFontSizeCount ? kSizes[index] : kSizes[1];
}

const char* FontSizeName(int index) {
    return index >= 0 && index < kFontSizeCount ? kSizes[index].name : "";
}

int CCellGeometry::CellEdge(int fontSizeIndex, int logPixelsX) {
    // Points of 0.3514 mm: pixels = dpi x size x 0.3514 / 25.4, truncated.
    return static_cast<int>(logPixelsX * FontSizeAt(fontSizeIndex).points * 0.013834645669291337);
}

CCellGeometry CCellGeometry::For(int fontSizeIndex, int logPixelsX, int columns, int lines) {
    CCellGeometry g;
    g.d = std::max(1, CellEdge(fontSizeIndex, logPixelsX));
    g.columns = columns;
    g.lines = lines;
    g.canvasWidth = columns * g.d + 1;
    g.canvasHeight = lines * g.d + 1;
    g.totalWidth = g.canvasWidth + 4 * g.d + g.d / 2;
    g.totalHeight = g.canvasHeight + 4 * g.d + g.d / 2;
    g.originX = g.originY = 2 * g.d;
    g.fontPixels = g.d;
    g.baseline = Baseline(g.d);
    return g;
}

int CCellGeometry::Baseline(int d) {
    return static_cast<int>(std::lround(0.88 * d));
}
