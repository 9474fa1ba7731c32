#pragma once

#include <memory>
#include <string>
#include <vector>

class CRuvlenDoc;
class CViewPort;
class CSymbolSource;
class CTool;

using ToolFactory = std::unique_ptr<CTool> (*)(CRuvlenDoc* doc, CViewPort* view,
                                               CSymbolSource* symbols);

// One drawing tool: its command (a tool mode), how the toolbar and the status
// bar show it, the cursor over an idle canvas, the class a press creates, and
// its name after tavik-cli's `tool`. Rows are in toolbar order.
struct CToolRow {
    int id;
    const char* prompt;    // status prompt, "\n", tool tip
    const char* pictogram; // toolbar image name under :/toolbar/
    int cursor;            // idle cursor (a CURSOR_ id; its hot spot is in view/)
    int selectionCursor;   // idle cursor over the selection, or 0 for `cursor`
    bool showsPalette;     // choosing the tool shows the symbol palette
    const char* cliName;
    ToolFactory create;
    const char* keys = nullptr; // shortcut (QKeySequence text), or null
};

const std::vector<CToolRow>& ToolRows();
const CToolRow* FindToolRow(int id);
const CToolRow* FindToolByCliName(const std::string& name);
// The tools' CLI names in toolbar order, separated by ", ".
std::string ToolCliNames();

// The tool a left-button press on the canvas starts, from the document's tool
// mode (and, in select mode, whether the press hit the selection).
std::unique_ptr<CTool> CreateTool(CRuvlenDoc* doc, CViewPort* view, CSymbolSource* symbols);
