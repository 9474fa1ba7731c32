#pragma once

#include "canvas/CommandIds.h"

// Cursors a tool or the idle view shows.
enum : int {
    CURSOR_ARROW = 0,
    CURSOR_PENCIL = 132,
    CURSOR_ERASER = 133,
    CURSOR_CORNER = 134,
    CURSOR_MOVE = 135,
};

// Results of a modal dialog.
enum : int { IDOK = 1, IDCANCEL = 2 };
