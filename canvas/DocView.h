#pragma once

#include "canvas/CellRect.h"

// What the document needs from a window that shows it: repainting cells that an
// operation changed, and a full refresh when another window changed the document.
// The Qt view implements it; tests and the command line record or ignore it.
class CDocView {
public:
    virtual ~CDocView() = default;
    // These cells changed; repaint them (inclusive cell rectangle).
    virtual void InvalidateCells(const CCellRect& rc) = 0;
    // Another view changed the document (hint 0) or its size or font changed
    // (UPDATE_HINT_METRICS).
    virtual void OnUpdate(int hint) = 0;
};

enum { UPDATE_HINT_NONE = 0, UPDATE_HINT_METRICS = 1 };
