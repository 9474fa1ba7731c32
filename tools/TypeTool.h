#pragma once

#include "tools/Tool.h"

// The typing tool ("直接入力"): a click puts the canvas's typing caret on the
// cell under the pointer (a drag takes it along), and keys and the input
// method then type at the caret (CTypingCaret). It draws no feedback.
class CTypeTool : public CTool {
public:
    CTypeTool(CRuvlenDoc* doc, CViewPort* view) : CTool(doc, view) {}
    void BeginAt(const CCellPoint& cell) override;
    void TrackTo(const CCellPoint& cell) override;
    CFeedbackFigure GetFeedbackFigure() const override { return {}; }
};
