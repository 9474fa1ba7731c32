#pragma once

#include "tools/Tool.h"

// Places the paste buffer: the paste command creates the tool; until the press
// a preview of the buffer follows the pointer; the press shows a rectangle of
// the buffer's size at the pressed cell (kept inside the canvas), dragging
// moves it, the release pastes there.
class CPasteTool : public CTool {
public:
    CPasteTool(CRuvlenDoc* doc, CViewPort* view, int width, int height)
        : CTool(doc, view), m_nWidth(width), m_nHeight(height) {}
    int OnLButtonDown(int x, int y) override;
    int OnMouseMove(int x, int y) override;
    void EraseFeedback() override;
    void BeginAt(const CCellPoint& cell) override { AnchorAt(cell); }
    void TrackTo(const CCellPoint& cell) override { AnchorAt(cell); }
    void KeepInCanvas() override;
    int Apply() override;
    void SetToolCursor() override;

    int m_nWidth;
    int m_nHeight;

protected:
    virtual bool IsTransparent() const { return false; }

private:
    void AnchorAt(const CCellPoint& cell);
    void HidePreview();
    bool m_bPreview = false;
};

// Pastes with the canvas showing through the blank cells of the content.
class CTransparentPasteTool : public CPasteTool {
public:
    using CPasteTool::CPasteTool;
    int Apply() override;

protected:
    bool IsTransparent() const override { return true; }
};
