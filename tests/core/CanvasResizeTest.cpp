// A size change while a selection, a waiting paste or a gesture is alive: what
// the selection becomes, and that no later operation reaches a cell off the
// canvas (the cells hidden by shrinking must come back unchanged).

#include "FakeViewPort.h"

#include <gtest/gtest.h>

using namespace tool_test;

namespace {

using Cells = std::vector<CCell>;

Cells AllCells(const CRuvlenDoc& doc) {
    Cells cells;
    for (int y = 0; y < CRuvlenDoc::GRID; ++y)
        for (int x = 0; x < CRuvlenDoc::GRID; ++x) cells.push_back(doc.Cell(x, y));
    return cells;
}

// The first cell off the canvas that differs between two snapshots, or "".
std::string ChangedOffCanvas(const CRuvlenDoc& doc, const Cells& before) {
    const Cells after = AllCells(doc);
    for (int i = 0; i < int(after.size()); ++i) {
        const int x = i % CRuvlenDoc::GRID, y = i / CRuvlenDoc::GRID;
        if (x < doc.m_nColumns && y < doc.m_nLines) continue;
        if (!(after[i] == before[i]))
            return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
    }
    return "";
}

// A canvas of the given size, filled with a pattern, that then shrinks.
struct Shrunk : Canvas {
    Shrunk(int columns, int lines) {
        ctl.ApplyCanvasSettings(2, columns, lines, 1, 96);
        Fill(*doc);
    }
    void Size(int columns, int lines) { ctl.ApplyCanvasSettings(2, columns, lines, 1, 96); }
};

} // namespace

TEST(CanvasResize, SelectionIsCutDownToTheCanvas) {
    Shrunk cv(30, 20);
    cv.doc->Select(nullptr, 5, 2, 25, 12); // 21 x 11
    cv.Size(15, 12);
    EXPECT_EQ(cv.doc->m_bSelection, 1);
    EXPECT_EQ(cv.doc->m_rcSelection, (CCellRect{5, 2, 14, 11}));
    EXPECT_EQ(cv.doc->m_bSquareSelection, 1); // now 10 x 10
    EXPECT_TRUE(cv.ctl.IsCommandEnabled(ID_ROTATE90));
    cv.Size(14, 12);
    EXPECT_EQ(cv.doc->m_bSquareSelection, 0);
    EXPECT_FALSE(cv.ctl.IsCommandEnabled(ID_ROTATE90));
    cv.Size(30, 20); // enlarging does not bring the cut part back
    EXPECT_EQ(cv.doc->m_rcSelection, (CCellRect{5, 2, 13, 11}));
}

TEST(CanvasResize, SelectionWhollyOffTheCanvasIsDropped) {
    Shrunk cv(40, 30);
    cv.doc->Select(nullptr, 20, 3, 25, 5);
    cv.Size(20, 30);
    EXPECT_EQ(cv.doc->m_bSelection + cv.doc->m_bSquareSelection, 0);
    for (int id : {ID_EDIT_COPY, ID_EDIT_CUT, ID_ROTATE180, ID_FLIP_HORIZONTAL, ID_ROTATE90})
        EXPECT_FALSE(cv.Command(id)) << id;
}

TEST(CanvasResize, SizeOutsideTheLimitsIsKeptToThem) {
    Canvas cv;
    cv.ctl.ApplyCanvasSettings(2, 150, 3, 1, 96);
    EXPECT_EQ(cv.doc->m_nColumns, CRuvlenDoc::MAX_SIZE);
    EXPECT_EQ(cv.doc->m_nLines, CRuvlenDoc::MIN_SIZE);
}

// The two commands of the report: a whole-canvas selection, a smaller canvas,
// then a drag inside the selection. The move is clamped to nothing or to what
// fits, and the hidden cells are untouched.
TEST(CanvasResize, MovingASelectionAfterShrinkingStaysOnTheCanvas) {
    struct Case {
        int from, to, x1, y1, x2, y2;
    };
    for (const Case& c : {Case{20, 19, 3, 3, 4, 3}, Case{50, 10, 5, 5, 9, 9}}) {
        SCOPED_TRACE(c.from);
        Shrunk cv(c.from, c.from);
        cv.doc->m_nToolMode = ID_TOOL_SELECT;
        ASSERT_TRUE(cv.Command(ID_SELECT_ALL));
        const Cells before = AllCells(*cv.doc);
        cv.Size(c.to, c.from == 20 ? 20 : c.to);
        cv.Drag(c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(ChangedOffCanvas(*cv.doc, before), "");
        EXPECT_TRUE(AllCells(*cv.doc) == before); // the selection fills the canvas
    }
}

TEST(CanvasResize, PartlyCutSelectionMovesWithinTheCanvas) {
    Shrunk cv(30, 30);
    cv.doc->Select(nullptr, 10, 10, 25, 12);
    const Cells before = AllCells(*cv.doc);
    cv.Size(20, 20);
    cv.doc->m_nToolMode = ID_TOOL_SELECT;
    cv.Drag(12, 11, 0, 11); // 12 to the left: from columns 10..19 to 0..9
    EXPECT_EQ(ChangedOffCanvas(*cv.doc, before), "");
    EXPECT_EQ(cv.Text(0, 10), "kk");
    EXPECT_EQ(cv.Text(9, 12), "tm");
    EXPECT_EQ(cv.Text(10, 10), "  ");
    EXPECT_EQ(cv.doc->m_rcUndo, (CCellRect{0, 10, 19, 12}));
}

TEST(CanvasResize, DocumentMoveClampsAnyOffset) {
    Shrunk cv(20, 20);
    cv.doc->Select(nullptr, 2, 2, 5, 5);
    const Cells before = AllCells(*cv.doc);
    cv.doc->MoveSelection(nullptr, 1000, -1000);
    EXPECT_EQ(ChangedOffCanvas(*cv.doc, before), "");
    EXPECT_EQ(cv.Text(16, 0), "cc");
    EXPECT_EQ(cv.doc->m_rcUndo, (CCellRect{2, 0, 19, 5}));
    cv.doc->MoveSelection(nullptr, 3, 3); // nothing is selected any more
    EXPECT_EQ(cv.doc->m_rcUndo, (CCellRect{2, 0, 19, 5}));
}

TEST(CanvasResize, SelectionCommandsTouchOnlyTheCanvas) {
    for (int id : {ID_ROTATE90, ID_ROTATE180, ID_FLIP_HORIZONTAL, ID_FLIP_VERTICAL, ID_EDIT_CUT,
                   ID_EDIT_COPY}) {
        SCOPED_TRACE(id);
        Shrunk cv(40, 30);
        cv.doc->Select(nullptr, 4, 4, 29, 29); // 26 x 26
        const Cells before = AllCells(*cv.doc);
        cv.Size(20, 20);
        ASSERT_TRUE(cv.Command(id));
        EXPECT_EQ(ChangedOffCanvas(*cv.doc, before), "");
        if (id == ID_EDIT_COPY || id == ID_EDIT_CUT) // 16 x 16 cells, each line + CR LF
            EXPECT_EQ(cv.clipboard.bytes.size(), 2u * 16 * 17 + 1);
        else
            EXPECT_EQ(cv.doc->m_rcUndo, (CCellRect{4, 4, 19, 19}));
    }
}

TEST(CanvasResize, WaitingPasteIsCutAtTheCanvasEdges) {
    for (int id : {ID_EDIT_PASTE, ID_EDIT_TRANSPARENT_PASTE}) {
        SCOPED_TRACE(id);
        Shrunk cv(40, 30);
        cv.clipboard.Hold(std::string(30, 'x') + "\r\n" + std::string(30, 'y'));
        ASSERT_TRUE(cv.Command(id));
        const Cells before = AllCells(*cv.doc);
        cv.Size(12, 10);
        cv.Press(11, 9);
        cv.MoveTo(11, 9);
        EXPECT_EQ(cv.view.onScreen, (std::vector<CFeedbackFigure>{
                                        cv.Outline(CFeedbackFigure::DottedRect, 0, 8, 11, 9)}));
        cv.Release(11, 9);
        EXPECT_EQ(ChangedOffCanvas(*cv.doc, before), "");
        EXPECT_EQ(cv.Text(11, 8), "xx");
        EXPECT_EQ(cv.Text(0, 9), "yy");
        EXPECT_EQ(cv.doc->m_rcUndo, (CCellRect{0, 8, 11, 9}));
    }
}

TEST(CanvasResize, PastePlacedWhileTheCanvasShrinksIsBroughtBack) {
    Shrunk cv(40, 30);
    cv.clipboard.Hold("ab\r\ncd");
    ASSERT_TRUE(cv.Command(ID_EDIT_PASTE));
    cv.Press(30, 20);
    const Cells before = AllCells(*cv.doc);
    cv.Size(20, 15); // while the button is held
    EXPECT_EQ(cv.view.onScreen, (std::vector<CFeedbackFigure>{
                                    cv.Outline(CFeedbackFigure::DottedRect, 19, 13, 19, 14)}));
    cv.Release(30, 20);
    EXPECT_EQ(ChangedOffCanvas(*cv.doc, before), "");
    EXPECT_EQ(cv.Text(19, 13), "ab");
    EXPECT_EQ(cv.Text(19, 14), "cd");
    EXPECT_TRUE(cv.view.onScreen.empty());
}

TEST(CanvasResize, GestureHeldAcrossASizeChangeEndsOnTheCanvas) {
    Shrunk cv(40, 30);
    cv.doc->m_nToolMode = ID_TOOL_RECT;
    cv.Press(5, 5);
    cv.MoveTo(35, 25);
    const Cells before = AllCells(*cv.doc);
    cv.Size(20, 15);
    const CTool* tool = cv.ctl.ActiveTool();
    EXPECT_EQ(tool->m_nEndCol, 19);
    EXPECT_EQ(tool->m_nEndRow, 14);
    EXPECT_EQ(cv.view.onScreen, (std::vector<CFeedbackFigure>{tool->GetFeedbackFigure()}));
    cv.Release(35, 25);
    EXPECT_EQ(ChangedOffCanvas(*cv.doc, before), "");
    EXPECT_EQ(cv.doc->m_rcUndo, (CCellRect{5, 5, 19, 14}));
}

TEST(CanvasResize, MoveHeldAcrossASizeChangeFollowsTheCutSelection) {
    Shrunk cv(40, 30);
    cv.doc->m_nToolMode = ID_TOOL_SELECT;
    cv.doc->Select(nullptr, 10, 10, 30, 12);
    cv.Press(11, 11);
    cv.MoveTo(14, 11);
    const Cells before = AllCells(*cv.doc);
    cv.Size(20, 20);
    // The selection is now columns 10..19 and cannot go right any more.
    EXPECT_EQ(cv.view.onScreen, (std::vector<CFeedbackFigure>{
                                    cv.Outline(CFeedbackFigure::DottedRect, 10, 10, 19, 12)}));
    cv.Release(14, 11);
    EXPECT_EQ(ChangedOffCanvas(*cv.doc, before), "");
    EXPECT_TRUE(AllCells(*cv.doc) == before);
}

// A change of columns or lines marks the canvas modified (it changes what a
// save writes); a change of character size alone does not. The count of cells a
// size hides agrees with a count of the cells that a save stops writing.
TEST(CanvasResize, SizeChangeMarksModifiedAndHiddenCellsAreCounted) {
    Shrunk cv(30, 20);
    cv.doc->SetModifiedFlag(0);
    cv.ctl.ApplyCanvasSettings(4, 30, 20, 1, 96);
    EXPECT_FALSE(cv.doc->IsModified());
    int outside = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            if ((x >= 12 || y >= 11) && !cv.doc->Cell(x, y).IsBlank()) ++outside;
    EXPECT_GT(outside, 0);
    EXPECT_EQ(cv.doc->CountCellsOutside(12, 11), outside);
    EXPECT_EQ(cv.doc->CountCellsOutside(30, 20), 0);
    cv.Size(12, 11);
    EXPECT_TRUE(cv.doc->IsModified());
    EXPECT_EQ(cv.doc->CountCellsOutside(12, 11), 0); // hidden cells no longer count
}
