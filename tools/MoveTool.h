#pragma once

#include "canvas/CellRect.h"
#include "tools/Tool.h"

// Drags the selection to another place. The base start and end fields hold the
// selection rectangle and never change; the grab and current cells give the offset.
class CMoveTool : public CTool {
public:
    CMoveTool(CRuvlenDoc* doc, CViewPort* view, const CCellRect& selection);
    void BeginAt(const CCellPoint& cell) override;
    void TrackTo(const CCellPoint& cell) override;
    int Apply() override;
    void SetToolCursor() override;
    void ClampToCanvas() override;
    void KeepInCanvas() override;
    CFeedbackFigure GetFeedbackFigure() const override;

    int m_nGrabCol = 0;
    int m_nGrabRow = 0;
    int m_nCurCol = 0;
    int m_nCurRow = 0;
};
