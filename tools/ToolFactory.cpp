#include "tools/ToolFactory.h"

#include "canvas/RuvlenDoc.h"
#include "tools/LineTool.h"
#include "tools/MoveTool.h"
#include "tools/RectTool.h"
#include "tools/SelectTool.h"
#include "tools/SymbolTool.h"
#include "tools/TextTool.h"
#include "tools/TypeTool.h"
#include "tools/ViewPort.h"

std::unique_ptr<CTool> CreateTool(CRuvlenDoc* doc, CViewPort* view, CSymbolSource* symbols) {
    switch (doc->m_nToolMode) {
    case ID_TOOL_HLINE:
        return std::make_unique<CHLineTool>(doc, view);
    case ID_TOOL_RECT:
        return std::make_unique<CRectTool>(doc, view);
    case ID_TOOL_VLINE:
        return std::make_unique<CVLineTool>(doc, view);
    case ID_TOOL_SELECT:
        if (doc->m_bDragSelection)
            return std::make_unique<CMoveTool>(doc, view, doc->m_rcSelection);
        return std::make_unique<CSelectTool>(doc, view);
    case ID_TOOL_ERASE:
        return std::make_unique<CEraseTool>(doc, view);
    case ID_TOOL_SYMBOL: {
        char symbol[4] = {0, 0, 0, 0};
        if (symbols) symbols->GetChosenSymbol(symbol);
        return std::make_unique<CSymbolTool>(doc, view, symbol);
    }
    case ID_TOOL_HTEXT:
        return std::make_unique<CHTextTool>(doc, view);
    case ID_TOOL_VTEXT:
        return std::make_unique<CVTextTool>(doc, view);
    case ID_TOOL_TYPE:
        return CreateTypeTool(doc, view);
    default:
        return std::make_unique<CTool>(doc, view);
    }
}
