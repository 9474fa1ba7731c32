#include "tools/ToolRegistry.h"

#include "canvas/CommandIds.h"
#include "canvas/RuvlenDoc.h"
#include "tools/CursorIds.h"
#include "tools/LineTool.h"
#include "tools/MoveTool.h"
#include "tools/RectTool.h"
#include "tools/SelectTool.h"
#include "tools/SymbolTool.h"
#include "tools/TextTool.h"
#include "tools/TypeTool.h"
#include "tools/ViewPort.h"

namespace {

template <class T> std::unique_ptr<CTool> Make(CRuvlenDoc* doc, CViewPort* view, CSymbolSource*) {
    return std::make_unique<T>(doc, view);
}

// A press inside the selection moves it; elsewhere a new one is dragged out.
std::unique_ptr<CTool> MakeSelect(CRuvlenDoc* doc, CViewPort* view, CSymbolSource*) {
    if (doc->m_bDragSelection) return std::make_unique<CMoveTool>(doc, view, doc->m_rcSelection);
    return std::make_unique<CSelectTool>(doc, view);
}

std::unique_ptr<CTool> MakeSymbol(CRuvlenDoc* doc, CViewPort* view, CSymbolSource* symbols) {
    char symbol[4] = {0, 0, 0, 0};
    if (symbols) symbols->GetChosenSymbol(symbol);
    return std::make_unique<CSymbolTool>(doc, view, symbol);
}

} // namespace

const std::vector<CToolRow>& ToolRows() {
    static const std::vector<CToolRow> rows = {
        {ID_TOOL_SELECT, "領域を選択\n選択", "select", CURSOR_ARROW, CURSOR_MOVE, false, "select",
         MakeSelect, "Ctrl+1"},
        {ID_TOOL_HLINE, "罫線文字を使い、横線を描画\n横罫線", "hline", CURSOR_PENCIL, 0, false,
         "hline", Make<CHLineTool>, "Ctrl+2"},
        {ID_TOOL_VLINE, "罫線文字を使い、縦線を描画\n縦罫線", "vline", CURSOR_PENCIL, 0, false,
         "vline", Make<CVLineTool>, "Ctrl+3"},
        {ID_TOOL_RECT, "罫線文字を使い、矩形を描画\n矩形", "rect", CURSOR_PENCIL, 0, false, "rect",
         Make<CRectTool>, "Ctrl+4"},
        {ID_TOOL_HTEXT, "テキストを横配置\n横テキスト", "htext", CURSOR_PENCIL, 0, false, "htext",
         Make<CHTextTool>, "Ctrl+5"},
        {ID_TOOL_VTEXT, "テキストを縦配置\n縦テキスト", "vtext", CURSOR_PENCIL, 0, false, "vtext",
         Make<CVTextTool>, "Ctrl+6"},
        {ID_TOOL_TYPE, "ｸﾘｯｸした位置から直接文字を入力、Shift+矢印ｷｰで罫線を描画\n直接入力", "type",
         CURSOR_PENCIL, 0, false, "type", Make<CTypeTool>, "Ctrl+7"},
        {ID_TOOL_SYMBOL, "領域内に記号を配置\n記号", "symbol", CURSOR_PENCIL, 0, true, "symbol",
         MakeSymbol, "Ctrl+8"},
        {ID_TOOL_ERASE, "領域内に空白を上書き\n削除", "erase", CURSOR_ERASER, 0, false, "erase",
         Make<CEraseTool>, "Ctrl+9"},
    };
    return rows;
}

const CToolRow* FindToolRow(int id) {
    for (const CToolRow& row : ToolRows())
        if (row.id == id) return &row;
    return nullptr;
}

const CToolRow* FindToolByCliName(const std::string& name) {
    for (const CToolRow& row : ToolRows())
        if (name == row.cliName) return &row;
    return nullptr;
}

std::string ToolCliNames() {
    std::string names;
    for (const CToolRow& row : ToolRows())
        names += (names.empty() ? "" : ", ") + std::string(row.cliName);
    return names;
}

std::unique_ptr<CTool> CreateTool(CRuvlenDoc* doc, CViewPort* view, CSymbolSource* symbols) {
    if (const CToolRow* row = FindToolRow(doc->m_nToolMode)) return row->create(doc, view, symbols);
    return std::make_unique<CTool>(doc, view);
}
