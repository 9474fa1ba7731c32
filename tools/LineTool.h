#pragma once

#include "tools/Tool.h"

// The ruled-line tools: a drag draws a horizontal, vertical or exactly diagonal
// line. They differ only in what a click draws: a one-cell horizontal line
// (CHLineTool) or a one-cell vertical line (CVLineTool).
class CLineTool : public CTool {
public:
    CLineTool(CRuvlenDoc* doc, CViewPort* view, bool verticalOnTie)
        : CTool(doc, view), m_bVerticalOnTie(verticalOnTie) {}
    int Apply() override;
    CFeedbackFigure GetFeedbackFigure() const override;

protected:
    enum class Shape { Backslash, Slash, Vertical, Horizontal };
    Shape GetShape() const;

private:
    bool m_bVerticalOnTie;
};

class CHLineTool : public CLineTool {
public:
    CHLineTool(CRuvlenDoc* doc, CViewPort* view) : CLineTool(doc, view, false) {}
};

class CVLineTool : public CLineTool {
public:
    CVLineTool(CRuvlenDoc* doc, CViewPort* view) : CLineTool(doc, view, true) {}
};
