#pragma once

#include <memory>

class CRuvlenDoc;
class CViewPort;
class CSymbolSource;
class CTool;

// The tool a left-button press on the canvas starts, from the document's tool
// mode (and, in select mode, whether the press hit the selection).
std::unique_ptr<CTool> CreateTool(CRuvlenDoc* doc, CViewPort* view, CSymbolSource* symbols);
