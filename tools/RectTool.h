#pragma once

#include "tools/Tool.h"

// The rectangle tool: a drag draws a ruled rectangle with the press and end cells
// as opposite corners; a drag within one row or column draws a line instead.
class CRectTool : public CTool {
public:
    using CTool::CTool;
    int Apply() override;
    CFeedbackFigure GetFeedbackFigure() const override;
};
