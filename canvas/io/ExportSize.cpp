#include "canvas/io/ExportSize.h"

#include "canvas/io/ExportArea.h"

#include <algorithm>
#include <cmath>

CExportExtent CExportExtent::For(const CRuvlenDoc& doc, int fontSizeIndex) {
    return For(ExportCanvasRect(doc), fontSizeIndex);
}

CExportExtent CExportExtent::For(const CCellRect& cells, int fontSizeIndex) {
    CExportExtent e;
    const CCellGeometry g = CCellGeometry::For(fontSizeIndex, kExportDpi, 0, 0);
    e.d = g.d;
    e.left = cells.left;
    e.top = cells.top;
    e.columns = std::max(cells.Width(), 0);
    e.lines = std::max(cells.Height(), 0);
    e.width = e.columns * e.d;
    e.height = e.lines * e.d;
    e.baseline = g.baseline;
    return e;
}

bool CheckExportSize(int fontSizeIndex, std::string& error) {
    if (fontSizeIndex >= 0 && fontSizeIndex <= kMaxFontSize) return true;
    error = "サイズ " + std::to_string(fontSizeIndex) +
            " は使えません。0 から 5 の数を指定してください。";
    return false;
}
