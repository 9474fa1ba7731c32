#pragma once

// The part of an editing tool the document needs: the document owns the active
// tool and, when it ends the tool, must take its rubber-band feedback off screen;
// when the canvas changes size, the tool must keep its cells on the canvas; when
// undo or redo puts other cells back, the tool must fit what it stands on.
class CToolObject {
public:
    virtual ~CToolObject() = default;
    virtual void EraseFeedback() = 0;
    virtual void FitToCanvas() {}
    virtual void CellsRestored() {}
};
