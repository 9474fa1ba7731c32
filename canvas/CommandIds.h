#pragma once

// Every command identifier of the program, in one place. The document stores
// the tool and line modes, which are the identifiers of their commands.
enum : int {
    // Canvas settings and view switches.
    ID_CANVAS_SETTINGS = 32771,
    ID_VIEW_GRID = 32790,
    ID_UPDATE_DEFAULTS = 32791,
    ID_SYMBOL_TABLE = 32793,
    ID_VIEW_ZOOM_IN = 32805,
    ID_VIEW_ZOOM_OUT = 32806,
    ID_FILE_EXPORT = 32808,
    ID_UNDO_LEVELS = 32809,

    // Tool modes and line modes.
    ID_TOOL_HLINE = 32776,
    ID_TOOL_RECT = 32778,
    ID_LINE_THIN = 32779,
    ID_LINE_THICK = 32780,
    ID_TOOL_VLINE = 32781,
    ID_TOOL_SELECT = 32785,
    ID_TOOL_ERASE = 32786,
    ID_TOOL_SYMBOL = 32787,
    ID_TOOL_HTEXT = 32789,
    ID_TOOL_VTEXT = 32798,

    // Editing.
    ID_EDIT_TRANSPARENT_PASTE = 32797,
    ID_ROTATE90 = 32799,
    ID_SELECT_ALL = 32800,
    ID_CLEAR_ALL = 32801,
    ID_ROTATE180 = 32802,
    ID_FLIP_HORIZONTAL = 32803,
    ID_FLIP_VERTICAL = 32804,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,

    // Files, printing, windows, help.
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_WINDOW_NEW = 57648,
    ID_WINDOW_ARRANGE = 57649,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE_HORZ = 57651,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_INDEX = 57670,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};
