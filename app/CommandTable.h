#pragma once

#include <vector>

// Command identifiers of the main frame, beside those of a canvas window
// (tools/CommandIds.h) and the tool and line modes (canvas/RuvlenDoc.h).
enum : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
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
    ID_SYMBOL_TABLE = 32793,
    ID_FILE_EXPORT = 32808,
    ID_UNDO_LEVELS = 32809,
    ID_RECOVERY_SECONDS = 32811,
};

// One command as the menus, the toolbar and the status bar show it.
struct CCommandInfo {
    int id;
    const char* menuText; // with "\t" before the shortcut hint; null when not in a menu
    const char* prompt;   // status bar prompt, then "\n" and the tool tip
    const char* icon;     // toolbar image name under :/toolbar/, or null
    const char* keys;     // shortcuts separated by ";" (QKeySequence text), or null
    bool checkable;
};

// Every command once, in no particular order.
const std::vector<CCommandInfo>& CommandTable();
const CCommandInfo* FindCommand(int id);

// The toolbar: command ids in order, 0 for a separator.
const std::vector<int>& ToolbarLayout();

// Commands carried out by the active canvas window (as opposed to the frame).
bool IsViewCommand(int id);
