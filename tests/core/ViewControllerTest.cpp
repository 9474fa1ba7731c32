// The canvas window's logic without widgets: what a press does to the selection,
// the command table with its enabling and check rules, the edit commands and the
// right button.

#include "FakeViewPort.h"

#include "tools/CursorIds.h"
#include "tools/MoveTool.h"
#include "tools/SelectTool.h"
#include "tools/ToolRegistry.h"

#include <gtest/gtest.h>

#include <utility>

using namespace tool_test;

namespace {

const int kGuardedCommands[] = {ID_EDIT_COPY, ID_EDIT_CUT,        ID_ROTATE90,
                                ID_ROTATE180, ID_FLIP_HORIZONTAL, ID_FLIP_VERTICAL,
                                ID_EDIT_UNDO, ID_EDIT_PASTE,      ID_EDIT_TRANSPARENT_PASTE};
const int kAlwaysEnabled[] = {ID_SELECT_ALL,  ID_CLEAR_ALL,       ID_VIEW_GRID,
                              ID_LINE_THIN,   ID_LINE_THICK,      ID_CANVAS_SETTINGS,
                              ID_TOOL_SELECT, ID_UPDATE_DEFAULTS, ID_TOOL_SYMBOL};
// Every tool mode, from the tool rows.
std::vector<int> ToolModes() {
    std::vector<int> modes;
    for (const CToolRow& row : ToolRows()) modes.push_back(row.id);
    return modes;
}

std::vector<int> EnabledCommands(Canvas& cv) {
    std::vector<int> ids;
    for (int id : kGuardedCommands)
        if (cv.ctl.IsCommandEnabled(id)) ids.push_back(id);
    return ids;
}

std::vector<int> EnabledItems(const CContextMenuState& s) {
    std::vector<int> ids;
    for (int id : {ID_EDIT_COPY, ID_EDIT_CUT, ID_ROTATE90, ID_ROTATE180, ID_FLIP_HORIZONTAL,
                   ID_FLIP_VERTICAL, ID_EDIT_UNDO, ID_EDIT_PASTE, ID_EDIT_TRANSPARENT_PASTE})
        if (s.IsEnabled(id)) ids.push_back(id);
    return ids;
}

const std::vector<int> kSelectionCommands = {ID_EDIT_COPY, ID_EDIT_CUT,        ID_ROTATE90,
                                             ID_ROTATE180, ID_FLIP_HORIZONTAL, ID_FLIP_VERTICAL};

// ---------------------------------------------------------------------------
// The selection on a press

TEST(ViewControllerPress, PressInsideTheSelectionInSelectModeKeepsIt) {
    Canvas cv;
    cv.Command(ID_TOOL_SELECT);
    cv.doc->Select(&cv.view, 3, 3, 6, 6);
    cv.Press(4, 4);
    EXPECT_EQ(cv.doc->m_bSelection, 1);
    EXPECT_EQ(TypeOf(cv.ctl.ActiveTool()), typeid(CMoveTool));
    cv.Release(4, 4);
    EXPECT_EQ(cv.doc->m_bSelection, 1);
    EXPECT_EQ(cv.doc->m_rcSelection, (CCellRect{3, 3, 6, 6}));
}

TEST(ViewControllerPress, PressOutsideTheSelectionDropsItAndAClickSelectsThatCell) {
    Canvas cv;
    cv.Command(ID_TOOL_SELECT);
    cv.doc->Select(&cv.view, 3, 3, 6, 6);
    cv.Press(10, 10);
    EXPECT_EQ(cv.doc->m_bSelection, 0);
    EXPECT_EQ(TypeOf(cv.ctl.ActiveTool()), typeid(CSelectTool));
    cv.Release(10, 10);
    EXPECT_EQ(cv.doc->m_bSelection, 1);
    EXPECT_EQ(cv.doc->m_rcSelection, (CCellRect{10, 10, 10, 10}));
}

TEST(ViewControllerPress, PressInAnotherModeDropsTheSelectionEvenInsideIt) {
    for (int mode : ToolModes()) {
        if (mode == ID_TOOL_SELECT) continue;
        SCOPED_TRACE(mode);
        Canvas cv;
        cv.Command(mode);
        cv.doc->Select(&cv.view, 3, 3, 6, 6);
        cv.RightAt(4, 4, 1, 1); // the menu's hit test found the point inside the selection
        cv.view.invalidated.clear();
        cv.Press(4, 4);
        EXPECT_EQ(cv.doc->m_bSelection, 0);
        EXPECT_EQ(cv.view.invalidated.front(), (CCellRect{3, 3, 6, 6}));
        cv.Release(4, 4);
    }
}

TEST(ViewControllerPress, PressOutsideTheCanvasCreatesNoToolButDropsTheSelection) {
    for (int mode : {ID_TOOL_SELECT, ID_TOOL_RECT}) {
        Canvas cv;
        cv.Command(mode);
        cv.doc->Select(&cv.view, 0, 0, 39, 29);
        cv.ctl.OnLButtonDown(cv.doc->m_nOriginX - 1, cv.Y(3));
        EXPECT_EQ(cv.doc->m_bSelection, 0);
        EXPECT_EQ(cv.ctl.ActiveTool(), nullptr);
        EXPECT_EQ(cv.doc->m_nToolState, 0);
        EXPECT_FALSE(cv.view.captured);
        EXPECT_TRUE(cv.view.positions.empty());
        cv.ctl.OnLButtonUp(cv.doc->m_nOriginX - 1, cv.Y(3));
        EXPECT_EQ(cv.doc->m_bUndo, 0);
    }
}

TEST(ViewControllerPress, TheCanvasFrameLineStillStartsATool) {
    Canvas cv;
    const int right = cv.doc->m_nOriginX + cv.doc->m_nCanvasWidth;
    cv.ctl.OnLButtonDown(right + 1, cv.Y(3));
    EXPECT_EQ(cv.ctl.ActiveTool(), nullptr);
    cv.ctl.OnLButtonDown(right, cv.Y(3));
    ASSERT_NE(cv.ctl.ActiveTool(), nullptr);
    EXPECT_EQ(cv.view.positions.back(), (CCellPoint{39, 3}));
}

TEST(ViewControllerPress, IdleMovesSetTheModesCursorAndShowTheCell) {
    struct Case {
        int mode, col, cursor;
    } cases[] = {{ID_TOOL_SELECT, 4, CURSOR_MOVE},
                 {ID_TOOL_SELECT, 9, CURSOR_ARROW},
                 {ID_TOOL_ERASE, 4, CURSOR_ERASER},
                 {ID_TOOL_RECT, 4, CURSOR_PENCIL},
                 {ID_TOOL_HTEXT, 4, CURSOR_PENCIL}};
    for (const Case& c : cases) {
        Canvas cv;
        cv.Command(c.mode);
        cv.doc->Select(&cv.view, 3, 3, 6, 6);
        cv.MoveTo(c.col, 4);
        cv.Release(c.col, 4);
        EXPECT_EQ(cv.view.cursors, (std::vector<int>{c.cursor, c.cursor}));
        ASSERT_EQ(cv.view.positions.size(), 1u); // the move, not the idle release
        EXPECT_EQ(cv.view.positions[0].x, c.col);
        EXPECT_EQ(cv.view.positions[0].y, 4);
    }
    Canvas outside;
    outside.ctl.OnMouseMove(-50, -50); // over the rulers: no cell to show
    EXPECT_TRUE(outside.view.positions.empty());
}

// ---------------------------------------------------------------------------
// Enabling and checks

struct EnableCase {
    const char* name;
    void (*setup)(Canvas&);
    std::vector<int> enabled;
};

const EnableCase kEnableCases[] = {
    {"nothing", [](Canvas&) {}, {}},
    {"clipboard text",
     [](Canvas& cv) { cv.clipboard.Hold("ab"); },
     {ID_EDIT_PASTE, ID_EDIT_TRANSPARENT_PASTE}},
    {"square selection", [](Canvas& cv) { cv.doc->Select(&cv.view, 2, 2, 4, 4); },
     kSelectionCommands},
    {"one-cell selection", [](Canvas& cv) { cv.doc->Select(&cv.view, 3, 3, 3, 3); },
     kSelectionCommands},
    {"wide selection",
     [](Canvas& cv) { cv.doc->Select(&cv.view, 2, 2, 5, 4); },
     {ID_EDIT_COPY, ID_EDIT_CUT, ID_ROTATE180, ID_FLIP_HORIZONTAL, ID_FLIP_VERTICAL}},
    {"tall selection",
     [](Canvas& cv) { cv.doc->Select(&cv.view, 2, 2, 3, 4); },
     {ID_EDIT_COPY, ID_EDIT_CUT, ID_ROTATE180, ID_FLIP_HORIZONTAL, ID_FLIP_VERTICAL}},
    {"after an edit", [](Canvas& cv) { cv.Drag(1, 1, 3, 3); }, {ID_EDIT_UNDO}},
    {"minimized with clipboard text",
     [](Canvas& cv) {
         cv.clipboard.Hold("ab");
         cv.view.minimized = true;
     },
     {}},
    {"tracking with clipboard text",
     [](Canvas& cv) {
         cv.clipboard.Hold("ab");
         cv.Press(1, 1);
     },
     {}},
    {"paste waiting",
     [](Canvas& cv) {
         cv.clipboard.Hold("ab");
         cv.Command(ID_EDIT_PASTE);
     },
     {}},
    {"moving the selection",
     [](Canvas& cv) {
         cv.Command(ID_TOOL_SELECT);
         cv.doc->Select(&cv.view, 2, 2, 4, 4);
         cv.Press(3, 3);
     },
     kSelectionCommands},
};

TEST(ViewControllerCommands, EnablingRules) {
    for (const EnableCase& c : kEnableCases) {
        SCOPED_TRACE(c.name);
        Canvas cv;
        c.setup(cv);
        EXPECT_EQ(EnabledCommands(cv), c.enabled);
        for (int id : kAlwaysEnabled) EXPECT_TRUE(cv.ctl.IsCommandEnabled(id)) << id;
    }
}

// Inserting and deleting lines and columns: a selection and no waiting paste,
// also when a selection is made while a paste waits.
TEST(ViewControllerCommands, TableEditsNeedASelectionAndNoWaitingPaste) {
    for (const EnableCase& c : kEnableCases) {
        SCOPED_TRACE(c.name);
        Canvas cv;
        c.setup(cv);
        EXPECT_EQ(cv.ctl.IsTableEditEnabled(), cv.ctl.IsCommandEnabled(ID_EDIT_COPY));
        if (cv.doc->m_nToolState != 2) continue;
        cv.doc->Select(&cv.view, 1, 1, 2, 2);
        EXPECT_FALSE(cv.ctl.IsTableEditEnabled());
    }
}

TEST(ViewControllerCommands, DisabledCommandsAreRefusedWithoutEffect) {
    for (const EnableCase& c : kEnableCases) {
        SCOPED_TRACE(c.name);
        Canvas cv;
        Fill(*cv.doc);
        c.setup(cv);
        const std::string before = Render(*cv.doc);
        const int mode = cv.doc->m_nToolMode, selection = cv.doc->m_bSelection;
        const CTool* tool = cv.ctl.ActiveTool();
        const size_t invalidated = cv.view.invalidated.size(), updates = cv.other.updates.size();
        for (int id : kGuardedCommands) {
            if (cv.ctl.IsCommandEnabled(id)) continue;
            EXPECT_FALSE(cv.Command(id)) << id;
        }
        EXPECT_EQ(Render(*cv.doc), before);
        EXPECT_EQ(cv.doc->m_nToolMode, mode);
        EXPECT_EQ(cv.doc->m_bSelection, selection);
        EXPECT_EQ(cv.ctl.ActiveTool(), tool);
        EXPECT_EQ(cv.clipboard.setCalls, 0);
        EXPECT_TRUE(cv.view.messages.empty());
        EXPECT_EQ(cv.view.invalidated.size(), invalidated);
        EXPECT_EQ(cv.other.updates.size(), updates);
    }
}

TEST(ViewControllerCommands, ToolModesAreCheckedOneAtATime) {
    Canvas cv;
    EXPECT_TRUE(cv.ctl.IsCommandChecked(ID_TOOL_RECT));
    for (int mode : ToolModes()) {
        EXPECT_TRUE(cv.Command(mode));
        for (int other : ToolModes()) EXPECT_EQ(cv.ctl.IsCommandChecked(other), other == mode);
        EXPECT_FALSE(cv.ctl.IsCommandChecked(ID_EDIT_PASTE));
        EXPECT_FALSE(cv.ctl.IsCommandChecked(ID_EDIT_TRANSPARENT_PASTE));
    }
    cv.clipboard.Hold("ab");
    cv.Command(ID_EDIT_TRANSPARENT_PASTE);
    EXPECT_TRUE(cv.ctl.IsCommandChecked(ID_EDIT_TRANSPARENT_PASTE));
    EXPECT_FALSE(cv.ctl.IsCommandChecked(ID_EDIT_PASTE));
    EXPECT_FALSE(cv.ctl.IsCommandChecked(ID_TOOL_VTEXT));
    EXPECT_FALSE(cv.ctl.IsCommandChecked(ID_EDIT_COPY));
}

TEST(ViewControllerCommands, LineModesAreCheckedAndKeepToolAndSelection) {
    Canvas cv;
    EXPECT_TRUE(cv.ctl.IsCommandChecked(ID_LINE_THICK));
    cv.doc->Select(&cv.view, 1, 1, 3, 3);
    cv.Command(ID_LINE_THIN);
    EXPECT_TRUE(cv.ctl.IsCommandChecked(ID_LINE_THIN));
    EXPECT_FALSE(cv.ctl.IsCommandChecked(ID_LINE_THICK));
    EXPECT_EQ(cv.doc->m_bSelection, 1);
    EXPECT_EQ(cv.doc->m_nToolMode, ID_TOOL_RECT);
    cv.Command(ID_LINE_THICK);
    EXPECT_TRUE(cv.ctl.IsCommandChecked(ID_LINE_THICK));
    EXPECT_FALSE(cv.ctl.IsCommandChecked(ID_LINE_THIN));
}

TEST(ViewControllerCommands, GridToggleRepaintsOnlyThisView) {
    Canvas cv;
    EXPECT_TRUE(cv.ctl.IsCommandChecked(ID_VIEW_GRID));
    cv.Command(ID_VIEW_GRID);
    EXPECT_FALSE(cv.ctl.IsCommandChecked(ID_VIEW_GRID));
    EXPECT_EQ(cv.view.updates.size(), 1u);
    EXPECT_TRUE(cv.other.updates.empty());
    cv.Command(ID_VIEW_GRID);
    EXPECT_TRUE(cv.ctl.IsCommandChecked(ID_VIEW_GRID));
}

// ---------------------------------------------------------------------------
// Edit commands

TEST(ViewControllerEdit, CopyPutsTheSelectionOnTheClipboardAndDropsIt) {
    Canvas cv;
    Fill(*cv.doc);
    const std::string before = Render(*cv.doc);
    cv.doc->Select(&cv.view, 1, 1, 2, 2);
    EXPECT_TRUE(cv.Command(ID_EDIT_COPY));
    EXPECT_EQ(cv.clipboard.bytes, std::string("bbcb\r\nbccc\r\n", 12) + '\0');
    EXPECT_EQ(cv.doc->m_bSelection, 0);
    EXPECT_EQ(Render(*cv.doc), before);
    EXPECT_FALSE(cv.other.updates.empty());
    EXPECT_TRUE(cv.view.messages.empty());
}

TEST(ViewControllerEdit, CutErasesWithUndo) {
    Canvas cv;
    Fill(*cv.doc);
    const std::string before = Render(*cv.doc);
    cv.doc->Select(&cv.view, 1, 1, 2, 2);
    EXPECT_TRUE(cv.Command(ID_EDIT_CUT));
    EXPECT_EQ(cv.clipboard.bytes, std::string("bbcb\r\nbccc\r\n", 12) + '\0');
    EXPECT_EQ(cv.doc->m_bSelection, 0);
    for (int y = 1; y <= 2; ++y)
        for (int x = 1; x <= 2; ++x) EXPECT_EQ(cv.Text(x, y), "  ");
    EXPECT_EQ(cv.Text(3, 1), "db");
    EXPECT_TRUE(cv.Command(ID_EDIT_UNDO));
    EXPECT_EQ(Render(*cv.doc), before);
}

TEST(ViewControllerEdit, FailedCopyOrCutShowsTheMessageAndChangesNothing) {
    EXPECT_STREQ(kClipboardCopyFailedMessage, "クリップボードにデータを複写できませんでした。");
    for (int id : {ID_EDIT_COPY, ID_EDIT_CUT}) {
        Canvas cv;
        Fill(*cv.doc);
        const std::string before = Render(*cv.doc);
        cv.clipboard.failSet = true;
        cv.doc->Select(&cv.view, 1, 1, 2, 2);
        cv.Command(id);
        EXPECT_EQ(cv.view.messages,
                  std::vector<std::string>{"クリップボードにデータを複写できませんでした。"});
        EXPECT_EQ(cv.doc->m_bSelection, 1);
        EXPECT_EQ(Render(*cv.doc), before);
        EXPECT_EQ(cv.doc->m_bUndo, 0);
    }
}

TEST(ViewControllerEdit, SelectionCommandsTransformTheSelection) {
    struct Case {
        int id;
        void (*op)(CRuvlenDoc&);
    } cases[] = {
        {ID_ROTATE90, [](CRuvlenDoc& d) { d.RotateSelection90(nullptr); }},
        {ID_ROTATE180, [](CRuvlenDoc& d) { d.RotateSelection180(nullptr); }},
        {ID_FLIP_HORIZONTAL, [](CRuvlenDoc& d) { d.FlipSelectionHorizontal(nullptr); }},
        {ID_FLIP_VERTICAL, [](CRuvlenDoc& d) { d.FlipSelectionVertical(nullptr); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        Canvas cv;
        auto ref = NewDoc();
        Fill(*cv.doc);
        Fill(*ref);
        cv.doc->Select(&cv.view, 2, 3, 4, 5);
        ref->Select(nullptr, 2, 3, 4, 5);
        EXPECT_TRUE(cv.Command(c.id));
        c.op(*ref);
        EXPECT_EQ(Render(*cv.doc), Render(*ref));
        EXPECT_NE(Render(*cv.doc), Render(*NewDoc()));
        EXPECT_FALSE(cv.other.updates.empty());
    }
}

TEST(ViewControllerEdit, ChoosingTheCurrentToolModeAgainDropsTheSelection) {
    Canvas cv;
    cv.Command(ID_TOOL_SELECT);
    cv.doc->Select(&cv.view, 1, 1, 3, 3);
    cv.Command(ID_TOOL_SELECT);
    EXPECT_EQ(cv.doc->m_bSelection, 0);
    EXPECT_EQ(cv.doc->m_nToolMode, ID_TOOL_SELECT);
    EXPECT_EQ(cv.doc->m_nPrevToolMode, ID_TOOL_SELECT);
    EXPECT_FALSE(cv.other.updates.empty());
}

TEST(ViewControllerEdit, ChoosingAToolEndsTheDragWithoutApplying) {
    Canvas cv;
    cv.Press(1, 1);
    cv.MoveTo(4, 4);
    cv.Command(ID_TOOL_HLINE);
    EXPECT_EQ(cv.ctl.ActiveTool(), nullptr);
    EXPECT_TRUE(cv.view.onScreen.empty());
    EXPECT_EQ(cv.doc->m_nToolMode, ID_TOOL_HLINE);
    EXPECT_EQ(cv.doc->m_nPrevToolMode, ID_TOOL_RECT);
    EXPECT_EQ(cv.doc->m_bUndo, 0);
    cv.Release(4, 4); // the lost gesture's release is an idle one
    EXPECT_EQ(cv.doc->m_bUndo, 0);
}

TEST(ViewControllerEdit, SymbolModeShowsThePalette) {
    Canvas cv;
    cv.Command(ID_TOOL_SYMBOL);
    EXPECT_EQ(cv.symbols.paletteShown, 1);
    cv.Command(ID_TOOL_RECT);
    EXPECT_EQ(cv.symbols.paletteShown, 1);
}

TEST(ViewControllerEdit, SelectAllAndClearTellTheOtherViews) {
    Canvas cv;
    Fill(*cv.doc);
    const std::string before = Render(*cv.doc);
    EXPECT_TRUE(cv.Command(ID_SELECT_ALL));
    EXPECT_EQ(cv.doc->m_rcSelection, (CCellRect{0, 0, 39, 29}));
    EXPECT_EQ(cv.other.updates.size(), 1u);
    EXPECT_TRUE(cv.Command(ID_CLEAR_ALL));
    EXPECT_EQ(cv.other.updates.size(), 2u);
    EXPECT_EQ(Render(*cv.doc), Render(*NewDoc()));
    EXPECT_EQ(cv.doc->m_bSelection, 0);
    EXPECT_TRUE(cv.Command(ID_EDIT_UNDO));
    EXPECT_EQ(Render(*cv.doc), before);
}

// ---------------------------------------------------------------------------
// Right button

// A canvas with a thick horizontal line over (5..8, 5).
struct LineCanvas : Canvas {
    LineCanvas() { doc->DrawHorizontalLine(nullptr, 5, 5, 8, 5, 1); }
};

TEST(ViewControllerRightButton, TogglesTheArmUnderThePointer) {
    struct Case {
        const char* name;
        int px, py, arm;
    } cases[] = {{"lower triangle", 6, 10, 2}, {"upper triangle", 6, 1, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LineCanvas cv;
        const CCell old = cv.doc->Cell(6, 5);
        CCell expected = old;
        ASSERT_EQ(expected.ToggleArm(c.arm), 1);
        cv.RightAt(6, 5, c.px, c.py);
        EXPECT_EQ(cv.doc->Cell(6, 5), expected);
        EXPECT_EQ(cv.doc->UndoCell(6, 5), old);
        EXPECT_EQ(cv.doc->m_rcUndo, (CCellRect{6, 5, 6, 5}));
        EXPECT_TRUE(cv.view.menus.empty());
        EXPECT_FALSE(cv.other.updates.empty());
    }
}

TEST(ViewControllerRightButton, SymbolModeErasesTheLineCell) {
    LineCanvas cv;
    cv.Command(ID_TOOL_SYMBOL);
    cv.RightAt(6, 5, 6, 6);
    EXPECT_EQ(cv.Text(6, 5), "  ");
    EXPECT_EQ(cv.doc->Cell(6, 5).m_bLine, 0);
    EXPECT_NE(cv.Text(7, 5), "  ");
    EXPECT_TRUE(cv.view.menus.empty());
}

TEST(ViewControllerRightButton, OtherCellsOpenTheMenuWithTheEnabledItems) {
    LineCanvas cv;
    cv.clipboard.Hold("ab");
    const CCell line = cv.doc->Cell(6, 5);
    cv.RightAt(20, 20, 3, 4);
    ASSERT_EQ(cv.view.menus.size(), 1u);
    EXPECT_EQ(cv.view.menus[0].x, cv.doc->m_nOriginX + 20 * cv.S() + 3);
    EXPECT_EQ(cv.view.menus[0].y, cv.doc->m_nOriginY + 20 * cv.S() + 4);
    EXPECT_EQ(EnabledItems(cv.view.menus[0].state),
              (std::vector<int>{ID_EDIT_UNDO, ID_EDIT_PASTE, ID_EDIT_TRANSPARENT_PASTE}));
    EXPECT_FALSE(cv.other.updates.empty());

    cv.doc->Select(&cv.view, 5, 4, 7, 6); // the line cell is now inside the selection
    cv.RightAt(6, 5, 6, 10);
    ASSERT_EQ(cv.view.menus.size(), 2u);
    std::vector<int> expected = kSelectionCommands;
    expected.insert(expected.end(), {ID_EDIT_UNDO, ID_EDIT_PASTE, ID_EDIT_TRANSPARENT_PASTE});
    EXPECT_EQ(EnabledItems(cv.view.menus[1].state), expected);
    EXPECT_EQ(cv.doc->Cell(6, 5), line);
}

TEST(ViewControllerRightButton, MenuGraysSelectionItemsForAWideSelection) {
    Canvas cv;
    cv.doc->Select(&cv.view, 1, 1, 4, 2);
    cv.RightAt(2, 2, 1, 1);
    ASSERT_EQ(cv.view.menus.size(), 1u);
    EXPECT_EQ(EnabledItems(cv.view.menus[0].state),
              (std::vector<int>{ID_EDIT_COPY, ID_EDIT_CUT, ID_ROTATE180, ID_FLIP_HORIZONTAL,
                                ID_FLIP_VERTICAL}));
}

TEST(ViewControllerRightButton, DoesNothingWhileAToolExists) {
    for (bool paste : {false, true}) {
        LineCanvas cv;
        cv.clipboard.Hold("ab");
        const CCell line = cv.doc->Cell(6, 5);
        if (paste)
            cv.Command(ID_EDIT_PASTE);
        else
            cv.Press(1, 1);
        const size_t updates = cv.other.updates.size();
        cv.RightAt(6, 5, 6, 10);
        cv.RightAt(20, 20, 6, 6);
        EXPECT_EQ(cv.doc->Cell(6, 5), line);
        EXPECT_TRUE(cv.view.menus.empty());
        EXPECT_EQ(cv.other.updates.size(), updates);
    }
}

TEST(ViewControllerRightButton, MarginBesideAnEdgeLineCellDoesNothing) {
    struct Case {
        const char* name;
        int col, row, px, py; // px, py may lie outside the cell
    } cases[] = {
        {"left of column 0", 0, 3, -6, 6},
        {"right of column 39", 39, 3, 18, 6},
        {"below row 29", 20, 29, 6, 18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LineCanvas cv;
        cv.doc->DrawVerticalLine(nullptr, 0, 2, 0, 5, 1);
        cv.doc->DrawVerticalLine(nullptr, 39, 2, 39, 5, 1);
        cv.doc->DrawHorizontalLine(nullptr, 18, 29, 22, 29, 1);
        const std::string before = Render(*cv.doc);
        const CCellRect undo = cv.doc->m_rcUndo;
        cv.RightAt(c.col, c.row, c.px, c.py);
        EXPECT_EQ(Render(*cv.doc), before);
        EXPECT_EQ(cv.doc->m_rcUndo, undo);
        EXPECT_TRUE(cv.view.menus.empty());
    }
}

} // namespace

// ---------------------------------------------------------------------------
// Esc

TEST(ViewControllerCancel, EndsADragWithoutChangingCellsAndTakesItsFeedback) {
    Canvas cv;
    cv.Press(2, 2);
    cv.MoveTo(6, 5);
    ASSERT_EQ(cv.doc->m_nToolState, 1);
    EXPECT_TRUE(cv.ctl.CancelGesture());
    EXPECT_EQ(cv.doc->m_nToolState, 0);
    EXPECT_EQ(cv.doc->m_nToolMode, ID_TOOL_RECT);
    EXPECT_TRUE(cv.view.onScreen.empty()); // the dotted frame is gone
    cv.Release(6, 5);                      // the release that follows does nothing
    EXPECT_TRUE(cv.doc->Cell(2, 2).IsBlank());
    EXPECT_FALSE(cv.doc->m_bUndo);
}

TEST(ViewControllerCancel, EndsAWaitingPasteAndTheModeBeforeItReturns) {
    Canvas cv;
    cv.Command(ID_TOOL_VLINE);
    cv.clipboard.Hold("ab\r\n");
    ASSERT_TRUE(cv.Command(ID_EDIT_PASTE));
    cv.Press(3, 3);
    cv.MoveTo(4, 4);
    EXPECT_TRUE(cv.ctl.CancelGesture());
    EXPECT_EQ(cv.doc->m_nToolMode, ID_TOOL_VLINE);
    EXPECT_EQ(cv.doc->m_nToolState, 0);
    cv.Release(4, 4);
    EXPECT_TRUE(cv.doc->Cell(4, 4).IsBlank());
    // With nothing going on, Esc keeps the selection.
    cv.doc->Select(&cv.view, 1, 1, 2, 2);
    EXPECT_FALSE(cv.ctl.CancelGesture());
    EXPECT_TRUE(cv.doc->m_bSelection);
}

// Before the press, the preview follows the pointer exactly where a click would
// paste; it goes when the press places the paste, when the pointer leaves the
// canvas, and when the paste is cancelled.
TEST(ViewControllerPastePreview, FollowsThePointerWhereAClickWouldPaste) {
    for (int id : {ID_EDIT_PASTE, ID_EDIT_TRANSPARENT_PASTE}) {
        Canvas cv;
        cv.clipboard.Hold("abcd\r\nef\r\n");
        ASSERT_TRUE(cv.Command(id));
        EXPECT_FALSE(cv.view.preview);
        cv.MoveTo(5, 6);
        ASSERT_TRUE(cv.view.preview);
        EXPECT_EQ(*cv.view.preview, (CCellRect{5, 6, 6, 7}));
        EXPECT_EQ(cv.view.previewTransparent, id == ID_EDIT_TRANSPARENT_PASTE);
        cv.MoveTo(cv.doc->m_nColumns - 1, cv.doc->m_nLines - 1); // kept inside the canvas
        const CCellRect corner = *cv.view.preview;
        EXPECT_EQ(corner.right, cv.doc->m_nColumns - 1);
        EXPECT_EQ(corner.bottom, cv.doc->m_nLines - 1);
        cv.ctl.OnMouseMove(-40, -40);
        EXPECT_FALSE(cv.view.preview);
        cv.MoveTo(cv.doc->m_nColumns - 1, cv.doc->m_nLines - 1);
        cv.Click(cv.doc->m_nColumns - 1, cv.doc->m_nLines - 1);
        EXPECT_FALSE(cv.view.preview);
        EXPECT_EQ(cv.Text(corner.left, corner.top), "ab");
        EXPECT_EQ(cv.Text(corner.left, corner.top + 1), "ef");
    }
    Canvas cancelled;
    cancelled.clipboard.Hold("ab\r\n");
    ASSERT_TRUE(cancelled.Command(ID_EDIT_PASTE));
    cancelled.MoveTo(2, 2);
    ASSERT_TRUE(cancelled.view.preview);
    EXPECT_TRUE(cancelled.ctl.CancelGesture());
    EXPECT_FALSE(cancelled.view.preview);
}

// Delete over a selection leaves the same cells as the erase tool dragged over
// it, in one undo step; without a selection, or while a paste waits, it is off.
TEST(ViewControllerEdit, DeleteErasesTheSelectionAsTheEraseToolDoes) {
    Canvas byKey, byTool;
    for (Canvas* cv : {&byKey, &byTool}) {
        cv->Command(ID_TOOL_RECT);
        cv->Drag(1, 1, 9, 6);
        cv->Command(ID_TOOL_HLINE);
        cv->Drag(0, 3, 12, 3);
        cv->Put(4, 2, "ab");
    }
    EXPECT_FALSE(byKey.ctl.IsCommandEnabled(ID_EDIT_CLEAR));
    byKey.Command(ID_TOOL_SELECT);
    byKey.Drag(3, 2, 6, 4);
    ASSERT_TRUE(byKey.Command(ID_EDIT_CLEAR));
    byTool.Command(ID_TOOL_ERASE);
    byTool.Drag(3, 2, 6, 4);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 14; ++x)
            EXPECT_EQ(byKey.Text(x, y), byTool.Text(x, y)) << x << "," << y;
    EXPECT_TRUE(byKey.Text(4, 2).empty() || byKey.Text(4, 2) == "  ");
    ASSERT_TRUE(byKey.Command(ID_EDIT_UNDO));
    EXPECT_EQ(byKey.Text(4, 2), "ab");

    Canvas waiting;
    waiting.Command(ID_SELECT_ALL);
    waiting.clipboard.Hold("x\r\n");
    ASSERT_TRUE(waiting.Command(ID_EDIT_PASTE));
    EXPECT_FALSE(waiting.ctl.IsCommandEnabled(ID_EDIT_CLEAR));
}
