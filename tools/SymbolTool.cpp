#include "tools/SymbolTool.h"

#include "canvas/RuvlenDoc.h"
#include "canvas/SymbolRun.h"
#include "tools/ViewPort.h"

#include <cstring>

CSymbolTool::CSymbolTool(CRuvlenDoc* doc, CViewPort* view, const char* symbol) : CTool(doc, view) {
    // Three bytes and a NUL at most, whatever the palette hands over.
    std::strncpy(m_szSymbol, symbol, 3);
    m_szSymbol[3] = 0;
}

int CSymbolTool::Apply() {
    m_pDoc->DrawSymbolLine(m_pView, m_szSymbol, m_nStartCol, m_nStartRow, m_nEndCol, m_nEndRow);
    return 0;
}

CFeedbackFigure CSymbolTool::GetFeedbackFigure() const {
    const int s = m_pDoc->m_nCellSize, ox = m_pDoc->m_nOriginX, oy = m_pDoc->m_nOriginY;
    CFeedbackFigure f;
    f.kind = CFeedbackFigure::GrayBlocks;
    for (const CCellPoint& c : SymbolRunCells(m_nStartCol, m_nStartRow, m_nEndCol, m_nEndRow))
        f.rects.push_back(
            {ox + c.x * s + 1, oy + c.y * s + 1, ox + c.x * s + 1 + s, oy + c.y * s + 1 + s});
    return f;
}
