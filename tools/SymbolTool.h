#pragma once

#include "tools/Tool.h"

// Puts the palette's chosen symbol into every cell of a straight run from the
// press cell to the end cell; the run shows as gray blocks while dragging.
class CSymbolTool : public CTool {
public:
    CSymbolTool(CRuvlenDoc* doc, CViewPort* view, const char* symbol);
    int Apply() override;
    CFeedbackFigure GetFeedbackFigure() const override;

    char m_szSymbol[4] = {0, 0, 0, 0};
};
