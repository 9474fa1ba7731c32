#pragma once

#include "tools/CursorIds.h"

// The tool cursors: 32 x 32 pictures in the resources, black with a white
// outline, and the pixel (from the top left) that points.
struct CCursorHotSpot {
    int nId;
    const char* pszPath;
    int nHotX;
    int nHotY;
};

inline constexpr CCursorHotSpot g_cursorHotSpots[] = {
    {CURSOR_PENCIL, ":/cursors/pencil.png", 8, 28},  // the pencil tip
    {CURSOR_ERASER, ":/cursors/eraser.png", 10, 19}, // the eraser's rubbing corner
    {CURSOR_CORNER, ":/cursors/corner.png", 10, 10}, // where the two bars meet
    {CURSOR_MOVE, ":/cursors/move.png", 15, 15},     // the centre of the four arrows
};

// The entry of a cursor id, or nullptr for the system arrow (CURSOR_ARROW).
constexpr const CCursorHotSpot* FindCursorHotSpot(int nId) {
    for (const CCursorHotSpot& entry : g_cursorHotSpots)
        if (entry.nId == nId) return &entry;
    return nullptr;
}
