#include "canvas/io/ExportSize.h"

#include "canvas/RuvlenDoc.h"

#include <algorithm>
#include <cmath>

CExportExtent CExportExtent::For(const CRuvlenDoc& doc, int fontSizeIndex) {
    CExportExtent e;
    const CCellGeometry g = CCellGeometry::For(fontSizeIndex, kExportDpi, 0, 0);
    e.d = g.d;
    // The grids hold no more than MAX_SIZE cells each way, whatever the fields say.
    e.columns = std::clamp(doc.m_nColumns, 0, CRuvlenDoc::MAX_SIZE);
    e.lines = std::clamp(doc.m_nLines, 0, CRuvlenDoc::MAX_SIZE);
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
