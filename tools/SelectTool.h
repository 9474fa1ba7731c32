#pragma once

#include "tools/Tool.h"

// Drags out a new selection rectangle; a click selects one cell.
class CSelectTool : public CTool {
public:
    using CTool::CTool;
    int Apply() override;
    void SetToolCursor() override;
};

// Blanks the dragged rectangle.
class CEraseTool : public CTool {
public:
    using CTool::CTool;
    int Apply() override;
    void SetToolCursor() override;
};
