// The mouse tools driven through the view controller as a user would: press,
// moves and release at cell centres, checking the document operation a gesture
// turns into and the inverting feedback shown meanwhile.

#include "FakeViewPort.h"

#include "tools/CursorIds.h"
#include "tools/LineTool.h"
#include "tools/MoveTool.h"
#include "tools/PasteTool.h"
#include "tools/RectTool.h"
#include "tools/SelectTool.h"
#include "tools/SymbolTool.h"
#include "tools/TextTool.h"

#include <gtest/gtest.h>

using namespace tool_test;

namespace {

using Figure = CFeedbackFigure;
using Figures = std::vector<CFeedbackFigure>;
using DocOp = void (*)(CRuvlenDoc&);

const char kCircle[] = "\x81\x9B";
const std::string kFullA = "\x82\x60", kFullB = "\x82\x61", kFullC = "\x82\x62",
                  kFullD = "\x82\x63";

// ---------------------------------------------------------------------------
// Factory and the tool lifecycle

struct FactoryCase {
    const char* name;
    int mode;
    bool pressInSelection;
    const std::type_info* type;
    int cursor;
};

const FactoryCase kFactoryCases[] = {
    {"hline", ID_TOOL_HLINE, false, &typeid(CHLineTool), CURSOR_PENCIL},
    {"vline", ID_TOOL_VLINE, false, &typeid(CVLineTool), CURSOR_PENCIL},
    {"rect", ID_TOOL_RECT, false, &typeid(CRectTool), CURSOR_PENCIL},
    {"select, press outside", ID_TOOL_SELECT, false, &typeid(CSelectTool), CURSOR_ARROW},
    {"select, press inside", ID_TOOL_SELECT, true, &typeid(CMoveTool), CURSOR_MOVE},
    {"erase", ID_TOOL_ERASE, false, &typeid(CEraseTool), CURSOR_ERASER},
    {"symbol", ID_TOOL_SYMBOL, false, &typeid(CSymbolTool), CURSOR_PENCIL},
    {"htext", ID_TOOL_HTEXT, false, &typeid(CHTextTool), CURSOR_PENCIL},
    {"vtext", ID_TOOL_VTEXT, false, &typeid(CVTextTool), CURSOR_PENCIL},
    {"unknown mode", 12345, false, &typeid(CTool), CURSOR_PENCIL},
};

TEST(ToolFactory, EachModeCreatesItsToolAndTheGestureLeavesNothingBehind) {
    for (const FactoryCase& c : kFactoryCases) {
        SCOPED_TRACE(c.name);
        Canvas cv;
        cv.doc->m_nToolMode = c.mode;
        cv.doc->Select(nullptr, 10, 10, 12, 12);
        const int col = c.pressInSelection ? 11 : 5;
        cv.Press(col, col);
        ASSERT_NE(cv.ctl.ActiveTool(), nullptr);
        EXPECT_EQ(TypeOf(cv.ctl.ActiveTool()), *c.type);
        EXPECT_EQ(cv.doc->m_nToolState, 1);
        EXPECT_TRUE(cv.view.captured);
        EXPECT_EQ(cv.view.positions.back(), (CCellPoint{col, col}));
        cv.MoveTo(col + 2, col + 1);
        EXPECT_EQ(cv.view.cursors.back(), c.cursor);
        EXPECT_EQ(cv.view.onScreen.size(), 1u);
        cv.Release(col + 2, col + 1);
        EXPECT_EQ(cv.ctl.ActiveTool(), nullptr);
        EXPECT_EQ(cv.doc->m_nToolState, 0);
        EXPECT_EQ(cv.doc->m_nToolMode, c.mode);
        EXPECT_EQ(cv.doc->m_bDragSelection, 0);
        EXPECT_FALSE(cv.view.captured);
        EXPECT_TRUE(cv.view.onScreen.empty());
        EXPECT_FALSE(cv.view.inverted.empty());
        EXPECT_FALSE(cv.other.updates.empty()); // the other window repaints
    }
}

TEST(ToolLifecycle, PlainToolChangesNothing) {
    Canvas cv;
    Fill(*cv.doc);
    const std::string before = Render(*cv.doc);
    cv.doc->m_nToolMode = 12345;
    cv.Drag(2, 2, 6, 5);
    EXPECT_EQ(Render(*cv.doc), before);
    EXPECT_EQ(cv.doc->m_bUndo, 0);
}

TEST(ToolLifecycle, SecondPressWhileTrackingIsRefusedAndTheToolKept) {
    Canvas cv;
    cv.Press(2, 2);
    cv.MoveTo(4, 4);
    CTool* tool = cv.ctl.ActiveTool();
    cv.Press(8, 8);
    EXPECT_EQ(cv.ctl.ActiveTool(), tool);
    EXPECT_EQ(tool->m_nState, 1);
    EXPECT_FALSE(cv.view.captured);
    EXPECT_TRUE(cv.view.onScreen.empty());
    cv.MoveTo(5, 6);
    EXPECT_EQ(cv.view.onScreen, (Figures{Figure::Rect(Figure::DottedRect, 54, 54, 90, 102)}));
    cv.Release(5, 6);
    auto ref = NewDoc();
    ref->DrawRectangle(nullptr, 2, 2, 5, 6, 1);
    EXPECT_EQ(Render(*cv.doc), Render(*ref));
    EXPECT_TRUE(cv.view.onScreen.empty());
}

TEST(ToolLifecycle, TheReleasePointIsNotUsedOnlyTheLastMove) {
    Canvas cv;
    cv.doc->m_nToolMode = ID_TOOL_VLINE;
    cv.Press(3, 3);
    cv.MoveTo(3, 7);
    cv.Release(9, 9);
    auto ref = NewDoc();
    ref->DrawVerticalLine(nullptr, 3, 3, 3, 7, 1);
    EXPECT_EQ(Render(*cv.doc), Render(*ref));
}

TEST(ToolLifecycle, MovingAwayAndBackGivesTheOneCellGesture) {
    Canvas cv;
    cv.doc->m_nToolMode = ID_TOOL_VLINE;
    cv.Press(3, 3);
    cv.MoveTo(8, 8);
    cv.MoveTo(3, 3);
    cv.Release(3, 3);
    auto ref = NewDoc();
    ref->DrawVerticalLine(nullptr, 3, 3, 3, 3, 1);
    EXPECT_EQ(Render(*cv.doc), Render(*ref));
}

TEST(ToolLifecycle, DragBeyondTheCanvasEndsOnTheEdgeCellAndScrolls) {
    Canvas cv;
    cv.doc->m_nToolMode = ID_TOOL_ERASE;
    Fill(*cv.doc);
    cv.Press(30, 20);
    cv.MoveTo(60, 50);
    EXPECT_EQ(cv.view.scrolls.back(), (CCellPoint{cv.X(60), cv.Y(50)}));
    cv.Release(60, 50);
    auto ref = NewDoc();
    Fill(*ref);
    ref->EraseRect(nullptr, 30, 20, 39, 29);
    EXPECT_EQ(Render(*cv.doc), Render(*ref));
}

// ---------------------------------------------------------------------------
// What each gesture draws

struct GestureCase {
    const char* name;
    int mode;
    int c1, r1, c2, r2;
    DocOp expected;
    bool filled = false;
};

const GestureCase kGestureCases[] = {
    {"hline click", ID_TOOL_HLINE, 3, 3, 3, 3,
     [](CRuvlenDoc& d) { d.DrawHorizontalLine(nullptr, 3, 3, 3, 3, 1); }},
    {"vline click", ID_TOOL_VLINE, 3, 3, 3, 3,
     [](CRuvlenDoc& d) { d.DrawVerticalLine(nullptr, 3, 3, 3, 3, 1); }},
    {"hline 3 right 5 down", ID_TOOL_HLINE, 2, 2, 5, 7,
     [](CRuvlenDoc& d) { d.DrawVerticalLine(nullptr, 2, 2, 2, 7, 1); }},
    {"vline 3 left 5 up", ID_TOOL_VLINE, 5, 7, 2, 2,
     [](CRuvlenDoc& d) { d.DrawVerticalLine(nullptr, 5, 2, 5, 7, 1); }},
    {"hline 4 right 5 down", ID_TOOL_HLINE, 2, 2, 6, 7,
     [](CRuvlenDoc& d) { d.DrawVerticalLine(nullptr, 2, 2, 2, 7, 1); }},
    {"vline 5 right 3 down", ID_TOOL_VLINE, 2, 2, 7, 5,
     [](CRuvlenDoc& d) { d.DrawHorizontalLine(nullptr, 2, 2, 7, 2, 1); }},
    {"hline 5 left 3 up", ID_TOOL_HLINE, 7, 5, 2, 2,
     [](CRuvlenDoc& d) { d.DrawHorizontalLine(nullptr, 2, 5, 7, 5, 1); }},
    {"vline 5 right 4 down", ID_TOOL_VLINE, 2, 2, 7, 6,
     [](CRuvlenDoc& d) { d.DrawHorizontalLine(nullptr, 2, 2, 7, 2, 1); }},
    {"hline 4 right 4 down", ID_TOOL_HLINE, 2, 2, 6, 6,
     [](CRuvlenDoc& d) { d.DrawBackslashLine(nullptr, 2, 2, 6, 6); }},
    {"vline 4 left 4 up", ID_TOOL_VLINE, 6, 6, 2, 2,
     [](CRuvlenDoc& d) { d.DrawBackslashLine(nullptr, 2, 2, 6, 6); }},
    {"vline 4 right 4 up", ID_TOOL_VLINE, 2, 6, 6, 2,
     [](CRuvlenDoc& d) { d.DrawSlashLine(nullptr, 2, 2, 6, 6); }},
    {"hline 4 left 4 down", ID_TOOL_HLINE, 6, 2, 2, 6,
     [](CRuvlenDoc& d) { d.DrawSlashLine(nullptr, 2, 2, 6, 6); }},
    {"vline 1 right 1 down", ID_TOOL_VLINE, 2, 2, 3, 3,
     [](CRuvlenDoc& d) { d.DrawBackslashLine(nullptr, 2, 2, 3, 3); }},
    {"rect click", ID_TOOL_RECT, 3, 3, 3, 3,
     [](CRuvlenDoc& d) { d.DrawRectangle(nullptr, 3, 3, 3, 3, 1); }},
    {"rect one column", ID_TOOL_RECT, 3, 6, 3, 2,
     [](CRuvlenDoc& d) { d.DrawVerticalLine(nullptr, 3, 2, 3, 6, 1); }},
    {"rect one row", ID_TOOL_RECT, 6, 2, 2, 2,
     [](CRuvlenDoc& d) { d.DrawHorizontalLine(nullptr, 2, 2, 6, 2, 1); }},
    {"rect up-left", ID_TOOL_RECT, 6, 6, 2, 3,
     [](CRuvlenDoc& d) { d.DrawRectangle(nullptr, 2, 3, 6, 6, 1); }},
    {"rect up-right", ID_TOOL_RECT, 2, 6, 6, 3,
     [](CRuvlenDoc& d) { d.DrawRectangle(nullptr, 2, 3, 6, 6, 1); }},
    {"erase click", ID_TOOL_ERASE, 4, 4, 4, 4,
     [](CRuvlenDoc& d) { d.EraseRect(nullptr, 4, 4, 4, 4); }, true},
    {"erase up-left", ID_TOOL_ERASE, 6, 5, 2, 3,
     [](CRuvlenDoc& d) { d.EraseRect(nullptr, 2, 3, 6, 5); }, true},
    {"symbol click", ID_TOOL_SYMBOL, 4, 4, 4, 4,
     [](CRuvlenDoc& d) { d.DrawSymbolLine(nullptr, kCircle, 4, 4, 4, 4); }},
};

TEST(ToolGesture, ClicksAndDragsCallTheRightOperation) {
    for (const GestureCase& c : kGestureCases) {
        SCOPED_TRACE(c.name);
        Canvas cv;
        auto ref = NewDoc();
        if (c.filled) {
            Fill(*cv.doc);
            Fill(*ref);
        }
        cv.doc->m_nToolMode = c.mode;
        if (c.c1 == c.c2 && c.r1 == c.r2)
            cv.Click(c.c1, c.r1);
        else
            cv.Drag(c.c1, c.r1, c.c2, c.r2);
        c.expected(*ref);
        EXPECT_EQ(Render(*cv.doc), Render(*ref));
        EXPECT_EQ(cv.doc->m_bUndo, 1);
    }
}

TEST(ToolGesture, LineWeightIsTheOneCurrentAtRelease) {
    struct Case {
        int mode;
        int c2, r2;
        DocOp expected;
    } cases[] = {
        {ID_TOOL_HLINE, 6, 2, [](CRuvlenDoc& d) { d.DrawHorizontalLine(nullptr, 2, 2, 6, 2, 0); }},
        {ID_TOOL_VLINE, 2, 6, [](CRuvlenDoc& d) { d.DrawVerticalLine(nullptr, 2, 2, 2, 6, 0); }},
        {ID_TOOL_RECT, 2, 6, [](CRuvlenDoc& d) { d.DrawVerticalLine(nullptr, 2, 2, 2, 6, 0); }},
        {ID_TOOL_RECT, 6, 2, [](CRuvlenDoc& d) { d.DrawHorizontalLine(nullptr, 2, 2, 6, 2, 0); }},
        {ID_TOOL_RECT, 6, 6, [](CRuvlenDoc& d) { d.DrawRectangle(nullptr, 2, 2, 6, 6, 0); }},
        {ID_TOOL_RECT, 2, 2, [](CRuvlenDoc& d) { d.DrawRectangle(nullptr, 2, 2, 2, 2, 0); }},
    };
    for (const Case& c : cases) {
        Canvas cv;
        cv.doc->m_nToolMode = c.mode;
        cv.Press(2, 2);
        cv.MoveTo(c.c2, c.r2);
        EXPECT_TRUE(cv.Command(ID_LINE_THIN));
        cv.Release(c.c2, c.r2);
        auto ref = NewDoc();
        c.expected(*ref);
        EXPECT_EQ(Render(*cv.doc), Render(*ref)) << c.mode << " to " << c.c2 << "," << c.r2;
    }
}

TEST(ToolGesture, SelectToolSelectsTheDraggedCellsOnly) {
    Canvas cv;
    Fill(*cv.doc);
    const std::string before = Render(*cv.doc);
    cv.doc->m_nToolMode = ID_TOOL_SELECT;
    cv.Click(4, 4);
    EXPECT_EQ(cv.doc->m_rcSelection, (CCellRect{4, 4, 4, 4}));
    cv.Drag(6, 5, 2, 3);
    EXPECT_EQ(cv.doc->m_bSelection, 1);
    EXPECT_EQ(cv.doc->m_rcSelection, (CCellRect{2, 3, 6, 5}));
    EXPECT_EQ(Render(*cv.doc), before);
}

// ---------------------------------------------------------------------------
// Feedback figures (cell size 12, origin 24 at 96 dpi)

struct FigureCase {
    const char* name;
    int mode;
    int c1, r1, c2, r2;
    Figure figure;
};

Figure Rect(int l, int t, int r, int b) {
    return Figure::Rect(Figure::DottedRect, l, t, r, b);
}

const FigureCase kFigureCases[] = {
    {"hline row", ID_TOOL_HLINE, 2, 3, 5, 3, Figure::Line(48, 66, 95, 66)},
    {"hline stays in the start row", ID_TOOL_HLINE, 2, 3, 5, 4, Figure::Line(48, 66, 95, 66)},
    {"vline column", ID_TOOL_VLINE, 2, 1, 2, 4, Figure::Line(54, 36, 54, 83)},
    {"hline stays in the start column", ID_TOOL_HLINE, 2, 1, 3, 6, Figure::Line(54, 36, 54, 107)},
    {"backslash down-right", ID_TOOL_HLINE, 1, 1, 3, 3, Figure::Line(36, 36, 71, 71)},
    {"backslash up-left", ID_TOOL_VLINE, 3, 3, 1, 1, Figure::Line(36, 36, 71, 71)},
    {"slash up-right", ID_TOOL_HLINE, 1, 3, 3, 1, Figure::Line(36, 71, 71, 36)},
    {"slash down-left", ID_TOOL_VLINE, 3, 1, 1, 3, Figure::Line(36, 71, 71, 36)},
    {"hline click", ID_TOOL_HLINE, 2, 3, 2, 3, Figure::Line(48, 66, 59, 66)},
    {"vline click", ID_TOOL_VLINE, 2, 3, 2, 3, Figure::Line(54, 60, 54, 71)},
    {"rect click", ID_TOOL_RECT, 2, 2, 2, 2, Rect(50, 50, 59, 59)},
    {"rect column", ID_TOOL_RECT, 2, 1, 2, 4, Figure::Line(54, 36, 54, 83)},
    {"rect row", ID_TOOL_RECT, 5, 3, 2, 3, Figure::Line(48, 66, 95, 66)},
    {"rect frame", ID_TOOL_RECT, 3, 4, 1, 1, Rect(42, 42, 66, 78)},
    {"select outline", ID_TOOL_SELECT, 3, 4, 1, 2, Rect(37, 49, 72, 84)},
    {"erase outline", ID_TOOL_ERASE, 1, 2, 3, 4, Rect(37, 49, 72, 84)},
};

TEST(ToolFeedback, FiguresHaveTheirExactCoordinates) {
    for (const FigureCase& c : kFigureCases) {
        SCOPED_TRACE(c.name);
        Canvas cv;
        ASSERT_EQ(cv.S(), 12);
        ASSERT_EQ(cv.doc->m_nOriginX, 24);
        ASSERT_EQ(cv.doc->m_nOriginY, 24);
        cv.doc->m_nToolMode = c.mode;
        cv.Press(c.c1, c.r1);
        if (c.c1 != c.c2 || c.r1 != c.r2) cv.MoveTo(c.c2, c.r2);
        EXPECT_EQ(cv.view.onScreen, (Figures{c.figure}));
        cv.Release(c.c2, c.r2);
        EXPECT_TRUE(cv.view.onScreen.empty());
    }
}

TEST(ToolFeedback, RepaintDuringADragDoesNotRedrawTheRubberBand) {
    for (int mode : {ID_TOOL_RECT, ID_TOOL_HTEXT, ID_TOOL_VTEXT}) {
        Canvas cv;
        cv.doc->m_nToolMode = mode;
        cv.Press(2, 2);
        cv.MoveTo(5, 5);
        const size_t inverted = cv.view.inverted.size();
        cv.ctl.OnDrawDone();
        EXPECT_EQ(cv.view.inverted.size(), inverted);
        EXPECT_TRUE(cv.view.markers.empty()); // a text tool's marker only with the dialog
    }
}

// ---------------------------------------------------------------------------
// Paste tools

// Clipboard text of w x h cells; the cell at (i, j) holds the letters 'A' + j, '0' + i.
std::string Block(int w, int h) {
    std::string text;
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            text += static_cast<char>('A' + j % 26);
            text += static_cast<char>('0' + i % 10);
        }
        text += "\r\n";
    }
    return text;
}

std::unique_ptr<CRuvlenDoc> DocWithBlockAt(int w, int h, int left, int top) {
    auto ref = NewDoc();
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const char pair[3] = {static_cast<char>('A' + j % 26), static_cast<char>('0' + i % 10),
                                  0};
            ref->Cell(left + i, top + j).SetText(pair);
        }
    return ref;
}

struct PasteCase {
    const char* name;
    int w, h;
    int col, row; // press point: the centre of this cell, which may lie off the canvas
    int left, top;
};

const PasteCase kPasteCases[] = {
    {"fits", 3, 2, 5, 5, 5, 5},
    {"right edge", 3, 2, 38, 5, 37, 5},
    {"bottom edge", 3, 2, 5, 29, 5, 28},
    {"bottom-right cell", 3, 2, 39, 29, 37, 28},
    {"beyond the bottom right", 3, 2, 45, 35, 37, 28},
    {"above left of the canvas", 3, 2, -1, -1, 0, 0},
    {"as wide as the canvas", 40, 1, 10, 3, 0, 3},
    {"as tall as the canvas", 2, 30, 4, 12, 4, 0},
};

TEST(ToolPaste, PlacementIsKeptInsideTheCanvas) {
    for (const PasteCase& c : kPasteCases) {
        SCOPED_TRACE(c.name);
        Canvas cv;
        cv.clipboard.Hold(Block(c.w, c.h));
        ASSERT_TRUE(cv.Command(ID_EDIT_PASTE));
        cv.Press(c.col, c.row);
        EXPECT_EQ(cv.view.onScreen, (Figures{cv.Outline(Figure::DottedRect, c.left, c.top,
                                                        c.left + c.w - 1, c.top + c.h - 1)}));
        cv.Release(c.col, c.row);
        EXPECT_EQ(Render(*cv.doc), Render(*DocWithBlockAt(c.w, c.h, c.left, c.top)));
        EXPECT_TRUE(cv.view.onScreen.empty());
    }
}

TEST(ToolPaste, ContentWiderThanTheCanvasIsCutAtItsEdge) {
    Canvas cv;
    cv.clipboard.Hold(Block(21, 1));
    cv.Command(ID_EDIT_PASTE);
    cv.ctl.ApplyCanvasSettings(2, 20, 30, 1, 96); // shrunk while the paste waits
    cv.Press(5, 5);
    EXPECT_EQ(cv.view.onScreen, (Figures{cv.Outline(Figure::DottedRect, 0, 5, 19, 5)}));
    cv.Release(5, 5);
    EXPECT_EQ(cv.Text(0, 5), "A0");
    EXPECT_EQ(cv.Text(19, 5), "A9");
    EXPECT_EQ(cv.Text(20, 5), "  "); // hidden cells stay as they were
    EXPECT_EQ(cv.doc->m_rcUndo, (CCellRect{0, 5, 19, 5}));
}

TEST(ToolPaste, DraggingMovesThePlacementAndKeepsItInside) {
    Canvas cv;
    cv.clipboard.Hold(Block(3, 2));
    cv.Command(ID_EDIT_TRANSPARENT_PASTE);
    cv.Press(5, 5);
    cv.MoveTo(39, 29);
    EXPECT_EQ(cv.view.onScreen, (Figures{cv.Outline(Figure::DottedRect, 37, 28, 39, 29)}));
    EXPECT_EQ(cv.view.cursors.back(), CURSOR_CORNER);
    cv.Release(39, 29);
    EXPECT_EQ(Render(*cv.doc), Render(*DocWithBlockAt(3, 2, 37, 28)));
}

TEST(ToolPaste, WaitingToolIgnoresMovesAndARelease) {
    Canvas cv;
    cv.clipboard.Hold(Block(3, 2));
    cv.Command(ID_EDIT_PASTE);
    CTool* tool = cv.ctl.ActiveTool();
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(TypeOf(tool), typeid(CPasteTool));
    cv.MoveTo(4, 4);
    cv.MoveTo(7, 9);
    EXPECT_TRUE(cv.view.inverted.empty());
    EXPECT_TRUE(cv.view.scrolls.empty());
    EXPECT_FALSE(cv.view.captured);
    EXPECT_EQ(cv.view.releases, 0); // moves are not refused, just ignored
    EXPECT_EQ(cv.view.positions, (std::vector<CCellPoint>{{4, 4}, {7, 9}}));
    EXPECT_EQ(cv.view.cursors.back(), CURSOR_CORNER);
    cv.Release(7, 9);
    EXPECT_EQ(cv.ctl.ActiveTool(), tool);
    EXPECT_EQ(tool->m_nState, 0);
    EXPECT_EQ(cv.doc->m_nToolState, 2);
    EXPECT_EQ(cv.doc->m_nToolMode, ID_EDIT_PASTE);
    EXPECT_EQ(cv.doc->m_bUndo, 0);
    cv.Click(2, 2);
    EXPECT_EQ(Render(*cv.doc), Render(*DocWithBlockAt(3, 2, 2, 2)));
}

TEST(ToolPaste, ReleaseReturnsToThePreviousToolMode) {
    for (int id : {ID_EDIT_PASTE, ID_EDIT_TRANSPARENT_PASTE}) {
        Canvas cv;
        cv.clipboard.Hold(Block(3, 2));
        cv.Command(ID_TOOL_ERASE);
        cv.Command(id);
        EXPECT_EQ(cv.doc->m_nToolMode, id);
        EXPECT_EQ(cv.doc->m_nPrevToolMode, ID_TOOL_ERASE);
        EXPECT_TRUE(cv.ctl.IsCommandChecked(id));
        cv.Click(2, 2);
        EXPECT_EQ(cv.doc->m_nToolMode, ID_TOOL_ERASE);
        EXPECT_EQ(cv.doc->m_nToolState, 0);
        EXPECT_EQ(cv.ctl.ActiveTool(), nullptr);
    }
}

TEST(ToolPaste, ChoosingAToolWhileWaitingPastesNothingAndForgetsThePasteMode) {
    for (int id : {ID_EDIT_PASTE, ID_EDIT_TRANSPARENT_PASTE}) {
        Canvas cv;
        cv.clipboard.Hold(Block(3, 2));
        cv.Command(ID_TOOL_ERASE);
        cv.Command(id);
        cv.Command(ID_TOOL_HLINE);
        EXPECT_EQ(cv.doc->m_nToolMode, ID_TOOL_HLINE);
        EXPECT_EQ(cv.doc->m_nPrevToolMode, ID_TOOL_ERASE);
        EXPECT_EQ(cv.doc->m_nToolState, 0);
        EXPECT_EQ(cv.ctl.ActiveTool(), nullptr);
        EXPECT_EQ(cv.doc->m_bUndo, 0);
    }
}

TEST(ToolPaste, PasteAfterAPressedPasteChoosesTheModeBeforeIt) {
    Canvas cv;
    cv.clipboard.Hold(Block(3, 2));
    cv.Command(ID_TOOL_SELECT);
    cv.Command(ID_EDIT_PASTE);
    cv.Press(3, 3); // tracking: the placement follows the mouse
    cv.Command(ID_TOOL_RECT);
    EXPECT_EQ(cv.doc->m_nPrevToolMode, ID_TOOL_SELECT);
    EXPECT_TRUE(cv.view.onScreen.empty());
}

TEST(ToolPaste, PasteCommandsDropTheSelection) {
    for (int id : {ID_EDIT_PASTE, ID_EDIT_TRANSPARENT_PASTE}) {
        Canvas cv;
        cv.clipboard.Hold(Block(3, 2));
        cv.doc->Select(&cv.view, 1, 1, 3, 3);
        cv.view.invalidated.clear();
        cv.Command(id);
        EXPECT_EQ(cv.doc->m_bSelection, 0);
        EXPECT_EQ(cv.view.invalidated, (std::vector<CCellRect>{{1, 1, 3, 3}}));
    }
}

TEST(ToolPaste, TransparentPasteLetsBlanksShowThrough) {
    for (int id : {ID_EDIT_PASTE, ID_EDIT_TRANSPARENT_PASTE}) {
        Canvas cv;
        for (int x = 10; x <= 12; ++x) cv.Put(x, 5, "xx");
        cv.clipboard.Hold("AA  BB\r\n");
        cv.Command(id);
        EXPECT_EQ(TypeOf(cv.ctl.ActiveTool()),
                  id == ID_EDIT_PASTE ? typeid(CPasteTool) : typeid(CTransparentPasteTool));
        cv.Click(10, 5);
        EXPECT_EQ(cv.Text(10, 5), "AA");
        EXPECT_EQ(cv.Text(11, 5), id == ID_EDIT_PASTE ? "  " : "xx");
        EXPECT_EQ(cv.Text(12, 5), "BB");
    }
}

TEST(ToolPaste, UnreadableClipboardCreatesNoTool) {
    Canvas cv;
    cv.clipboard.Hold(Block(3, 2));
    cv.clipboard.failGet = true;
    cv.doc->Select(nullptr, 1, 1, 2, 2);
    EXPECT_TRUE(cv.Command(ID_EDIT_PASTE));
    EXPECT_EQ(cv.ctl.ActiveTool(), nullptr);
    EXPECT_EQ(cv.doc->m_nToolState, 0);
    EXPECT_EQ(cv.doc->m_nToolMode, ID_TOOL_RECT);
    EXPECT_EQ(cv.doc->m_bSelection, 1);
}

TEST(ToolPaste, EmptyContentPastesNothing) {
    Canvas cv;
    Fill(*cv.doc);
    const std::string before = Render(*cv.doc);
    cv.clipboard.Hold("");
    cv.Command(ID_EDIT_PASTE);
    cv.Click(39, 29);
    EXPECT_EQ(Render(*cv.doc), before);
    EXPECT_EQ(cv.doc->m_bUndo, 0);
    EXPECT_EQ(cv.doc->m_nToolMode, ID_TOOL_RECT);
}

// ---------------------------------------------------------------------------
// Moving the selection

// A select-mode canvas whose cells (10..12, 10..11) hold "m0".."m5" and are selected.
void SelectBlock(Canvas& cv) {
    cv.Command(ID_TOOL_SELECT);
    int n = 0;
    for (int y = 10; y <= 11; ++y)
        for (int x = 10; x <= 12; ++x) {
            const char pair[3] = {'m', static_cast<char>('0' + n++), 0};
            cv.Put(x, y, pair);
        }
    cv.Drag(10, 10, 12, 11);
}

struct MoveCase {
    const char* name;
    int grabCol, grabRow, toCol, toRow;
    int dx, dy;
};

const MoveCase kMoveCases[] = {
    {"inside", 11, 10, 15, 14, 4, 4},
    {"right edge", 10, 10, 39, 10, 27, 0},
    {"beyond the right", 11, 10, 50, 10, 27, 0},
    {"left edge", 12, 11, 0, 11, -10, 0},
    {"bottom edge", 11, 10, 11, 29, 0, 18},
    {"top edge", 11, 11, 11, 0, 0, -10},
    {"bottom-right corner", 10, 10, 60, 60, 27, 18},
    {"top-left corner", 12, 11, -5, -5, -10, -10},
};

TEST(ToolMove, SelectionIsMovedByTheClampedOffset) {
    for (const MoveCase& c : kMoveCases) {
        SCOPED_TRACE(c.name);
        Canvas cv;
        SelectBlock(cv);
        auto ref = NewDoc();
        for (int y = 10; y <= 11; ++y)
            for (int x = 10; x <= 12; ++x) ref->Cell(x, y) = cv.doc->Cell(x, y);
        cv.Press(c.grabCol, c.grabRow);
        EXPECT_EQ(TypeOf(cv.ctl.ActiveTool()), typeid(CMoveTool));
        cv.MoveTo(c.toCol, c.toRow);
        EXPECT_EQ(cv.view.onScreen, (Figures{cv.Outline(Figure::DottedRect, 10 + c.dx, 10 + c.dy,
                                                        12 + c.dx, 11 + c.dy)}));
        cv.Release(c.toCol, c.toRow);
        ref->Select(nullptr, 10, 10, 12, 11);
        ref->MoveSelection(nullptr, c.dx, c.dy);
        EXPECT_EQ(Render(*cv.doc), Render(*ref));
        EXPECT_EQ(cv.Text(10 + c.dx, 10 + c.dy), "m0");
        EXPECT_EQ(cv.doc->m_bSelection, 0);
        EXPECT_TRUE(cv.view.onScreen.empty());
    }
}

TEST(ToolMove, PressAndReleaseInOneCellChangesNothing) {
    Canvas cv;
    SelectBlock(cv);
    const std::string before = Render(*cv.doc);
    cv.Press(11, 10);
    cv.MoveTo(20, 20);
    cv.MoveTo(11, 10);
    cv.Release(11, 10);
    EXPECT_EQ(Render(*cv.doc), before);
    EXPECT_EQ(cv.doc->m_bSelection, 1);
    EXPECT_EQ(cv.doc->m_rcSelection, (CCellRect{10, 10, 12, 11}));
    EXPECT_EQ(cv.doc->m_bUndo, 0);
}

// ---------------------------------------------------------------------------
// Text tools

struct TextCanvas : Canvas {
    // (2..4, 2..3): "AB" "CD" blank / Ａ blank blank
    TextCanvas() {
        Put(2, 2, "AB");
        Put(3, 2, "CD");
        Put(2, 3, kFullA.c_str());
    }
};

TEST(ToolText, DialogIsPrefilledWithTheRectanglesText) {
    for (int mode : {ID_TOOL_HTEXT, ID_TOOL_VTEXT}) {
        TextCanvas cv;
        cv.doc->m_nToolMode = mode;
        cv.Drag(4, 3, 2, 2);
        ASSERT_EQ(cv.view.dialogs.size(), 1u);
        const DialogCall& d = cv.view.dialogs[0];
        if (mode == ID_TOOL_HTEXT)
            EXPECT_EQ(d.initialText, "ABCD\r\n" + kFullA);
        else
            EXPECT_EQ(d.initialText, "\r\nCD\r\nAB" + kFullA);
        EXPECT_EQ(d.width, 3);
        EXPECT_EQ(d.height, 2);
        EXPECT_EQ(d.vertical, mode == ID_TOOL_VTEXT ? 1 : 0);
        EXPECT_EQ(d.capacity, 6);
        EXPECT_EQ(d.capacityText, "全角で 6 個の文字が入力できます。");
    }
}

TEST(ToolText, OkWritesTheLaidOutTextHorizontally) {
    TextCanvas cv;
    cv.doc->m_nToolMode = ID_TOOL_HTEXT;
    cv.view.answerOk = true;
    cv.view.typed = "xy\r\nz";
    cv.Drag(2, 2, 5, 3);
    const char* expected[2][4] = {{"xy", "  ", "  ", "  "}, {"z ", "  ", "  ", "  "}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(cv.Text(2 + x, 2 + y), expected[y][x]);
    EXPECT_EQ(cv.doc->m_bUndo, 1);
}

TEST(ToolText, OkWritesVerticalTextFromTheRightColumn) {
    Canvas cv;
    cv.doc->m_nToolMode = ID_TOOL_VTEXT;
    cv.view.answerOk = true;
    cv.view.typed = kFullA + kFullB + kFullC + "\r\n" + kFullD;
    cv.Drag(2, 2, 3, 4);
    EXPECT_EQ(cv.doc->Cell(3, 2).m_szText, kFullA);
    EXPECT_EQ(cv.doc->Cell(3, 3).m_szText, kFullB);
    EXPECT_EQ(cv.doc->Cell(3, 4).m_szText, kFullC);
    EXPECT_EQ(cv.doc->Cell(2, 2).m_szText, kFullD);
    EXPECT_EQ(cv.Text(2, 3), "  ");
    EXPECT_EQ(cv.Text(2, 4), "  ");
}

TEST(ToolText, CancelOrARefusedTextLeavesTheCellsAndRepaintsTheRectangle) {
    for (bool ok : {false, true}) {
        TextCanvas cv;
        cv.doc->m_nToolMode = ID_TOOL_HTEXT;
        cv.view.answerOk = ok;
        cv.view.typed = kFullA + kFullA + kFullA + kFullA + kFullA + kFullA + kFullA;
        const std::string before = Render(*cv.doc);
        cv.Drag(2, 2, 4, 3);
        EXPECT_EQ(Render(*cv.doc), before);
        EXPECT_EQ(cv.doc->m_bUndo, 0);
        ASSERT_FALSE(cv.view.invalidated.empty());
        EXPECT_EQ(cv.view.invalidated.back(), (CCellRect{2, 2, 4, 3}));
        EXPECT_EQ(cv.view.refusals,
                  ok ? std::vector<std::string>{kTooLongMessage} : std::vector<std::string>{});
        EXPECT_EQ(cv.ctl.ActiveTool(), nullptr);
    }
}

TEST(ToolText, MarkerIsShownWhileTheDialogRunsAndOnEveryRepaint) {
    TextCanvas cv;
    cv.doc->m_nToolMode = ID_TOOL_HTEXT;
    size_t markersWhileOpen = 0;
    cv.view.whileDialogOpen = [&cv, &markersWhileOpen] {
        EXPECT_TRUE(cv.view.onScreen.empty()); // the rubber band is gone
        cv.ctl.OnDrawDone();
        markersWhileOpen = cv.view.markers.size();
    };
    cv.Drag(4, 3, 2, 2);
    ASSERT_EQ(cv.view.dialogs.size(), 1u);
    EXPECT_EQ(cv.view.dialogs[0].markersBefore, 1u);
    EXPECT_EQ(markersWhileOpen, 2u);
    const Figure marker = cv.Outline(Figure::Marker, 2, 2, 4, 3);
    EXPECT_EQ(cv.view.markers, (Figures{marker, marker}));
    cv.ctl.OnDrawDone(); // the tool is gone: no marker any more
    EXPECT_EQ(cv.view.markers.size(), 2u);
}

// ---------------------------------------------------------------------------
// Symbol tool

Figure Blocks(const Canvas& cv, const std::vector<CCellPoint>& cells) {
    Figure f;
    f.kind = Figure::GrayBlocks;
    const int s = cv.S(), ox = cv.doc->m_nOriginX, oy = cv.doc->m_nOriginY;
    for (const CCellPoint& c : cells)
        f.rects.push_back(
            {ox + c.x * s + 1, oy + c.y * s + 1, ox + c.x * s + 1 + s, oy + c.y * s + 1 + s});
    return f;
}

const std::vector<CCellPoint> kRun = {{2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 3}, {7, 3}};

void ExpectSymbolsExactlyAt(const Canvas& cv, const std::vector<CCellPoint>& cells) {
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool inRun =
                std::find(cells.begin(), cells.end(), CCellPoint{x, y}) != cells.end();
            EXPECT_EQ(cv.doc->Cell(x, y).m_szText, std::string(inRun ? kCircle : "  "))
                << x << "," << y;
        }
}

TEST(ToolSymbol, GrayBlocksFollowTheRun) {
    Canvas cv;
    cv.Command(ID_TOOL_SYMBOL);
    cv.Press(2, 1);
    EXPECT_EQ(cv.view.onScreen, (Figures{Blocks(cv, {{2, 1}})}));
    cv.MoveTo(4, 1);
    EXPECT_EQ(cv.view.onScreen, (Figures{Blocks(cv, {{2, 1}, {3, 1}, {4, 1}})}));
    cv.MoveTo(7, 3);
    EXPECT_EQ(cv.view.onScreen, (Figures{Blocks(cv, kRun)}));
    cv.Release(7, 3);
    EXPECT_TRUE(cv.view.onScreen.empty());
    ExpectSymbolsExactlyAt(cv, kRun);
}

TEST(ToolSymbol, ReverseDragCoversTheSameCells) {
    Canvas cv;
    cv.Command(ID_TOOL_SYMBOL);
    cv.Press(7, 3);
    cv.MoveTo(2, 1);
    EXPECT_EQ(cv.view.onScreen.size(), 1u);
    std::vector<CPixelRect> shown = cv.view.onScreen[0].rects;
    std::vector<CPixelRect> expected = Blocks(cv, kRun).rects;
    auto byPosition = [](const CPixelRect& a, const CPixelRect& b) {
        return a.left != b.left ? a.left < b.left : a.top < b.top;
    };
    std::sort(shown.begin(), shown.end(), byPosition);
    std::sort(expected.begin(), expected.end(), byPosition);
    EXPECT_EQ(shown, expected);
    cv.Release(2, 1);
    ExpectSymbolsExactlyAt(cv, kRun);
}

TEST(ToolSymbol, ClickPlacesTheChosenSymbolInOneCell) {
    Canvas cv;
    cv.Command(ID_TOOL_SYMBOL);
    cv.symbols.symbol = "\x81\x9A"; // chosen after the mode: taken at the press
    cv.Click(4, 4);
    EXPECT_EQ(cv.doc->Cell(4, 4).m_szText, std::string("\x81\x9A"));
    EXPECT_EQ(cv.Text(3, 4), "  ");
    EXPECT_EQ(cv.Text(5, 4), "  ");
    EXPECT_EQ(cv.Text(4, 3), "  ");
    EXPECT_EQ(cv.Text(4, 5), "  ");
}

} // namespace
