#include "canvas/io/ExportSize.h"

#include "canvas/RuvlenDoc.h"

#include <algorithm>
#include <cmath>

CExportExtent CExportExtent::For(const CRuvlenDoc& doc, int fontSizeIndex) {
    CExportExtent e;
    e.d = std::max(1, CRuvlenDoc::GetCellSize(kExportDpi, fontSizeIndex));
    // The grids hold no more than MAX_SIZE cells each way, whatever the fields say.
    e.columns = std::clamp(doc.m_nColumns, 0, CRuvlenDoc::MAX_SIZE);
    e.lines = std::clamp(doc.m_nLines, 0, CRuvlenDoc::MAX_SIZE);
    e.width = e.columns * e.d;
    e.height = e.lines * e.d;
    // The cell font's ascent, as on the screen.
    e.baseline = static_cast<int>(std::lround(0.88 * e.d));
    return e;
}

bool CheckExportSize(int fontSizeIndex, std::string& error) {
    if (fontSizeIndex >= kExportMinSize && fontSizeIndex <= kExportMaxSize) return true;
    error = "サイズ " + std::to_string(fontSizeIndex) +
            " は使えません。0 から 5 の数を指定してください。";
    return false;
}
