#pragma once

#include "canvas/CommandIds.h"

#include <vector>

class CViewController;

// Who carries a command out: the main frame, or the active canvas window
// (its controller, or the window itself for dialogs, printing and zoom).
enum class CommandOwner { Frame, View };

// When a command is enabled. The canvas window's controller decides the view
// rules, CommandEnabledInFrame the frame's; neither needs widgets.
enum class EnableRule {
    Unset, // not a finished row
    Always,
    Never,     // a placeholder (the recent-file entry)
    HasCanvas, // a canvas window is open
    Selection,
    SelectionNoPaste, // a selection and no paste waiting
    NoToolAtWork,     // no tool at work, the window not minimized
    SquareSelection,
    Undo,
    Redo,
    Paste, // no tool at work, the window not minimized, text on the clipboard
    ZoomIn,
    ZoomOut,
};

// When a checkable command shows as pressed.
enum class CheckRule { None, ToolMode, LineMode, Grid, ToolBar, StatusBar, Palette };

// Commands of which only one shows as pressed.
enum class ActionGroup { None, Tool, Line };

enum class MenuId { None, File, Settings, Edit, View, Window, Help };

// A command's slot in a menu, the toolbar or the context menu. The hundreds of
// the position are the group (groups are set apart by separators); the rest
// orders the group. Zero: not there.
struct CMenuPlace {
    MenuId menu = MenuId::None;
    int pos = 0;
    const char* text = nullptr; // a different text in this menu bar, or null
};

using CanvasHandler = void (CViewController::*)(int id);

// One command: how menus, toolbar and status bar show it, where it appears,
// who runs it, when it is enabled and checked, and its tavik-cli word.
struct CCommandRow {
    int id = 0;
    CommandOwner owner = CommandOwner::Frame;
    const char* menuText = nullptr; // "\t" before the shortcut hint
    const char* prompt = nullptr;   // status prompt, "\n", tool tip
    const char* icon = nullptr;     // toolbar image name under :/toolbar/
    const char* keys = nullptr;     // shortcuts separated by ";" (QKeySequence text)
    EnableRule enable = EnableRule::Unset;
    CheckRule check = CheckRule::None;
    ActionGroup group = ActionGroup::None;
    CMenuPlace noCanvasMenu; // the menu bar while no canvas is open
    CMenuPlace canvasMenu;   // the menu bar while a canvas window exists
    int toolbar = 0;
    int contextMenu = 0;
    const char* contextText = nullptr;
    const char* cliWord = nullptr; // a tavik-cli command without arguments (one or two words)
    CanvasHandler run = nullptr;   // view commands the controller carries out

    bool Checkable() const { return check != CheckRule::None; }

    CCommandRow& Icon(const char* name) {
        icon = name;
        return *this;
    }
    CCommandRow& Keys(const char* k) {
        keys = k;
        return *this;
    }
    CCommandRow& Enable(EnableRule rule) {
        enable = rule;
        return *this;
    }
    CCommandRow& Check(CheckRule rule) {
        check = rule;
        return *this;
    }
    CCommandRow& Group(ActionGroup g) {
        group = g;
        return *this;
    }
    CCommandRow& NoCanvasMenu(MenuId m, int pos, const char* text = nullptr) {
        noCanvasMenu = {m, pos, text};
        return *this;
    }
    CCommandRow& CanvasMenu(MenuId m, int pos, const char* text = nullptr) {
        canvasMenu = {m, pos, text};
        return *this;
    }
    CCommandRow& BothMenus(MenuId m, int noCanvasPos, int canvasPos) {
        return NoCanvasMenu(m, noCanvasPos).CanvasMenu(m, canvasPos);
    }
    CCommandRow& Toolbar(int pos) {
        toolbar = pos;
        return *this;
    }
    CCommandRow& Context(int pos, const char* text) {
        contextMenu = pos;
        contextText = text;
        return *this;
    }
    CCommandRow& Cli(const char* word) {
        cliWord = word;
        return *this;
    }
    CCommandRow& Run(CanvasHandler handler) {
        run = handler;
        return *this;
    }
};

// Every command once, the tools' included (made from their rows), built on
// first use.
const std::vector<CCommandRow>& CommandRegistry();
const CCommandRow* FindCommand(int id);
const CCommandRow* FindCommandByCliWord(const char* word);

// The menus of each menu bar, in order, and their titles.
const std::vector<MenuId>& MenuBar(bool canvas);
const char* MenuTitle(MenuId menu);

// A command id, or 0 for a separator.
std::vector<int> MenuLayout(bool canvas, MenuId menu);
std::vector<int> ToolbarLayout();
std::vector<int> ContextMenuLayout();

// The frame's own enabling rules.
bool CommandEnabledInFrame(EnableRule rule, bool hasCanvas);
