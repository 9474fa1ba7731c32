#pragma once

#include "tools/Tool.h"

// Drags out a rectangle, then asks for text in the text input dialog (prefilled
// with the rectangle's current text) and writes the laid-out text into it:
// horizontally row by row, or vertically column by column from the right.
class CTextTool : public CTool {
public:
    CTextTool(CRuvlenDoc* doc, CViewPort* view, int vertical)
        : CTool(doc, view), m_bVertical(vertical) {}
    int Apply() override;
    void DrawMarker() override;

private:
    int m_bVertical;
};

class CHTextTool : public CTextTool {
public:
    CHTextTool(CRuvlenDoc* doc, CViewPort* view) : CTextTool(doc, view, 0) {}
};

class CVTextTool : public CTextTool {
public:
    CVTextTool(CRuvlenDoc* doc, CViewPort* view) : CTextTool(doc, view, 1) {}
};
