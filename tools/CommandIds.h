#pragma once

#include "canvas/RuvlenDoc.h" // tool and line mode identifiers

// Command identifiers of a canvas window besides the tool and line modes.
enum : int {
    ID_CANVAS_SETTINGS = 32771,
    ID_VIEW_GRID = 32790,
    ID_UPDATE_DEFAULTS = 32791,
    ID_ROTATE90 = 32799,
    ID_SELECT_ALL = 32800,
    ID_CLEAR_ALL = 32801,
    ID_ROTATE180 = 32802,
    ID_FLIP_HORIZONTAL = 32803,
    ID_FLIP_VERTICAL = 32804,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
};

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
