#include "canvas/io/ExportArea.h"

#include "canvas/RuvlenDoc.h"

#include <algorithm>

CCellRect ExportCanvasRect(const CRuvlenDoc& doc) {
    // The grids hold no more than MAX_SIZE cells each way, whatever the fields say.
    return {0, 0, std::clamp(doc.m_nColumns, 0, CRuvlenDoc::MAX_SIZE) - 1,
            std::clamp(doc.m_nLines, 0, CRuvlenDoc::MAX_SIZE) - 1};
}

namespace {

bool SelectionRect(const CRuvlenDoc& doc, CCellRect& cells, std::string& error) {
    const CCellRect canvas = ExportCanvasRect(doc);
    const CCellRect s = CCellRect::FromCorners(doc.m_rcSelection.left, doc.m_rcSelection.top,
                                               doc.m_rcSelection.right, doc.m_rcSelection.bottom);
    cells = {std::max(s.left, canvas.left), std::max(s.top, canvas.top),
             std::min(s.right, canvas.right), std::min(s.bottom, canvas.bottom)};
    if (doc.m_bSelection && cells.left <= cells.right && cells.top <= cells.bottom) return true;
    error = "ｷｬﾝﾊﾞｽに選択範囲がないので、選択範囲を書き出せません。";
    return false;
}

bool UsedRect(const CRuvlenDoc& doc, CCellRect& cells, std::string& error) {
    const CCellRect canvas = ExportCanvasRect(doc);
    bool any = false;
    for (int y = canvas.top; y <= canvas.bottom; ++y) {
        for (int x = canvas.left; x <= canvas.right; ++x) {
            if (doc.Cell(x, y).IsBlank()) continue;
            if (!any) cells = {x, y, x, y};
            cells = {std::min(cells.left, x), std::min(cells.top, y), std::max(cells.right, x),
                     std::max(cells.bottom, y)};
            any = true;
        }
    }
    if (!any) error = "ｷｬﾝﾊﾞｽに何も書かれていないので、使っている範囲を書き出せません。";
    return any;
}

} // namespace

bool ExportAreaRect(const CRuvlenDoc& doc, EExportArea area, CCellRect& cells, std::string& error) {
    switch (area) {
    case EExportArea::Selection:
        return SelectionRect(doc, cells, error);
    case EExportArea::Used:
        return UsedRect(doc, cells, error);
    case EExportArea::Canvas:
        break;
    }
    cells = ExportCanvasRect(doc);
    return true;
}
