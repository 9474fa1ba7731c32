#pragma once

#include "canvas/CellRect.h"
#include "canvas/ToolObject.h"
#include "tools/Feedback.h"

class CRuvlenDoc;
class CViewPort;

// Base of the mouse tools. A tool turns one gesture (press, moves, release) into
// one document operation, showing inverting feedback while the button is held.
// Points are logical coordinates of the view; columns and rows are canvas cells.
//
// Return codes of the mouse operations: 1 handled, -1 refused, 0 gesture finished.
class CTool : public CToolObject {
public:
    // m_nState: no press yet, button held, released (Apply running or done).
    enum : int { IDLE = 0, TRACKING = 1, FINISHED = 2 };
    // What the mouse operations return: the gesture goes on, it is over (the
    // caller deletes the tool), or the event was refused and the tool stays.
    enum : int { HANDLED = 1, GESTURE_DONE = 0, REFUSED = -1 };

    CTool(CRuvlenDoc* doc, CViewPort* view) : m_pDoc(doc), m_pView(view) {}

    virtual int OnLButtonDown(int x, int y);
    virtual int OnMouseMove(int x, int y);
    virtual int OnLButtonUp(int x, int y);
    virtual int Apply() { return 0; }
    void DrawFeedback();
    void EraseFeedback() override;
    virtual void DrawMarker() {}
    virtual void SetToolCursor();
    virtual void ClampToCanvas();
    // After a size change: the feedback comes off, the gesture's cells are brought
    // back onto the canvas (KeepInCanvas), and the feedback is shown again.
    void FitToCanvas() override;
    virtual void KeepInCanvas();

    // Where the gesture starts and where it has been dragged to (the cell under
    // the pointer). By default the press cell is start and end, and a move sets
    // the end.
    virtual void BeginAt(const CCellPoint& cell);
    virtual void TrackTo(const CCellPoint& cell);

    // The figure DrawFeedback and EraseFeedback invert: by default a dotted
    // rectangle around the cells from start to end.
    virtual CFeedbackFigure GetFeedbackFigure() const;

    int m_nStartCol = 0;
    int m_nStartRow = 0;
    int m_nEndCol = 0;
    int m_nEndRow = 0;
    int m_nState = IDLE;
    int m_bFeedback = 0;
    CRuvlenDoc* m_pDoc;
    CViewPort* m_pView;

protected:
    CFeedbackFigure m_drawnFigure; // what is on screen while m_bFeedback is 1

    int Left() const { return m_nStartCol < m_nEndCol ? m_nStartCol : m_nEndCol; }
    int Right() const { return m_nStartCol < m_nEndCol ? m_nEndCol : m_nStartCol; }
    int Top() const { return m_nStartRow < m_nEndRow ? m_nStartRow : m_nEndRow; }
    int Bottom() const { return m_nStartRow < m_nEndRow ? m_nEndRow : m_nStartRow; }
    int IsThick() const;
    // Refuses a mouse message that does not fit the tool's state.
    int Refuse();
    // Logical rectangle of a cell range: (right + 1, bottom + 1) exclusive, inset
    // by one pixel at the top left as the dotted outline is drawn.
    CPixelRect CellOutline(int left, int top, int right, int bottom) const;
};
