#pragma once

// Cursors a tool or the idle view shows: the arrow, and the resource numbers of
// the tools' own cursors.
enum : int {
    CURSOR_ARROW = 0,
    CURSOR_PENCIL = 132,
    CURSOR_ERASER = 133,
    CURSOR_CORNER = 134,
    CURSOR_MOVE = 135,
};
