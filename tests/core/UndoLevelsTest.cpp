// Undo levels and redo: one level keeps the swap of a single snapshot; more
// levels step back and forth through the history, which a new operation cuts
// short and which never holds more steps than the level count.
#include "FakeViewPort.h"

#include "canvas/LineFlags.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace tool_test;

namespace {

using Grid = std::vector<CCell>;

Grid AllCells(const CRuvlenDoc& doc) {
    Grid cells;
    for (int y = 0; y < CRuvlenDoc::GRID; ++y)
        for (int x = 0; x < CRuvlenDoc::GRID; ++x) cells.push_back(doc.Cell(x, y));
    return cells;
}

// Byte for byte, line flags of non-line cells included; the first difference
// outside *skip as "(x, y)", or "".
std::string FirstDifference(const Grid& a, const Grid& b, const CCellRect* skip = nullptr) {
    for (int i = 0; i < int(a.size()); ++i) {
        const int x = i % CRuvlenDoc::GRID, y = i / CRuvlenDoc::GRID;
        if (skip && skip->Contains(x, y)) continue;
        if (std::memcmp(&a[i], &b[i], sizeof(CCell)) != 0)
            return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
    }
    return "";
}

// A canvas of letters with a block of ruled lines at columns 10..19, lines 10..19.
struct Prepared : Canvas {
    explicit Prepared(int levels) {
        doc->SetUndoLevels(levels);
        Fill(*doc);
        for (int y = 10; y < 20; ++y)
            for (int x = 10; x < 20; ++x)
                doc->Cell(x, y).SetLineFlags(g_validLineFlags[(x * 7 + y) % 32]);
        doc->Cell(15, 15).SetLineFlags(LF_RIGHT | LF_DOWN | LF_LEFT | LF_UP);
    }
    // Right button near the left edge of a cell (its left arm).
    void RightLeftArm(int col, int row) { RightAt(col, row, 1, S() / 2); }
    bool Undo() { return Command(ID_EDIT_UNDO); }
    bool Redo() { return Command(ID_EDIT_REDO); }
};

struct Operation {
    const char* name;
    CCellRect rect; // the rectangle it changes and keeps for undo
    std::function<void(Prepared&)> run;
};

const std::vector<Operation>& Operations() {
    static const std::vector<Operation> ops = {
        {"horizontal line",
         {2, 3, 20, 3},
         [](Prepared& c) { c.doc->DrawHorizontalLine(&c.view, 2, 3, 20, 3, 1); }},
        {"vertical line",
         {12, 1, 12, 25},
         [](Prepared& c) { c.doc->DrawVerticalLine(&c.view, 12, 1, 12, 25, 0); }},
        {"diagonal",
         {30, 0, 35, 5},
         [](Prepared& c) { c.doc->DrawSlashLine(&c.view, 30, 0, 35, 5); }},
        {"rectangle",
         {5, 5, 25, 15},
         [](Prepared& c) { c.doc->DrawRectangle(&c.view, 5, 5, 25, 15, 1); }},
        {"horizontal text",
         {1, 20, 6, 21},
         [](Prepared& c) { c.doc->PutTextHorizontal(&c.view, 1, 20, 6, 21, "abcdefg\x82\xA0h"); }},
        {"vertical text",
         {33, 10, 35, 14},
         [](Prepared& c) {
             c.doc->PutTextVertical(&c.view, 33, 10, 35, 14, "\x82\xA0\x82\xA2xy");
         }},
        {"symbol",
         {0, 25, 39, 29},
         [](Prepared& c) { c.doc->DrawSymbolLine(&c.view, "\x81\x9B", 0, 29, 39, 25); }},
        {"right-button toggle", {15, 15, 15, 15}, [](Prepared& c) { c.RightLeftArm(15, 15); }},
        {"right-button erase",
         {16, 15, 16, 15},
         [](Prepared& c) {
             const int mode = c.doc->m_nToolMode;
             c.doc->m_nToolMode = ID_TOOL_SYMBOL;
             c.RightLeftArm(16, 15);
             c.doc->m_nToolMode = mode;
         }},
        {"erase", {3, 3, 8, 9}, [](Prepared& c) { c.doc->EraseRect(&c.view, 3, 3, 8, 9); }},
        {"paste",
         {20, 20, 21, 21},
         [](Prepared& c) {
             c.doc->ImportText("xyz\r\n\x84\x9F"); // 2 x 2 cells
             c.doc->Paste(&c.view, 20, 20, 21, 21);
         }},
        {"transparent paste",
         {22, 2, 24, 3},
         [](Prepared& c) {
             c.doc->ImportText("a  b\r\n  \x81\x40"
                               "c");
             c.doc->PasteTransparent(&c.view, 22, 2, 24, 3);
         }},
        {"move",
         {10, 8, 17, 14},
         [](Prepared& c) {
             c.doc->Select(&c.view, 10, 10, 14, 14);
             c.doc->MoveSelection(&c.view, 3, -2);
         }},
        {"rotate 90",
         {10, 10, 14, 14},
         [](Prepared& c) {
             c.doc->Select(&c.view, 10, 10, 14, 14);
             c.doc->RotateSelection90(&c.view);
         }},
        {"rotate 180",
         {10, 10, 19, 13},
         [](Prepared& c) {
             c.doc->Select(&c.view, 10, 10, 19, 13);
             c.doc->RotateSelection180(&c.view);
         }},
        {"flip horizontal",
         {11, 12, 18, 19},
         [](Prepared& c) {
             c.doc->Select(&c.view, 11, 12, 18, 19);
             c.doc->FlipSelectionHorizontal(&c.view);
         }},
        {"flip vertical",
         {9, 9, 16, 17},
         [](Prepared& c) {
             c.doc->Select(&c.view, 9, 9, 16, 17);
             c.doc->FlipSelectionVertical(&c.view);
         }},
        {"clear", {0, 0, 39, 29}, [](Prepared& c) { c.doc->ClearAll(&c.view); }},
        {"cut",
         {4, 4, 9, 6},
         [](Prepared& c) {
             c.doc->Select(&c.view, 4, 4, 9, 6);
             c.Command(ID_EDIT_CUT);
         }},
    };
    return ops;
}

// Runs the rectangle operations at (i, i) on a canvas and returns the state
// before the first and after each.
std::vector<Grid> DrawSquares(Canvas& c, int count) {
    std::vector<Grid> states = {AllCells(*c.doc)};
    for (int i = 0; i < count; ++i) {
        c.doc->DrawRectangle(&c.view, i, i, i + 3, i + 2, i % 2);
        states.push_back(AllCells(*c.doc));
    }
    return states;
}

} // namespace

TEST(UndoLevels, OneLevelKeepsTheSwapOfOneSnapshot) {
    for (const char* name : {"rectangle", "right-button toggle", "move", "clear", "cut"}) {
        SCOPED_TRACE(name);
        Prepared c(1);
        c.doc->DrawHorizontalLine(&c.view, 0, 0, 9, 0, 0); // an earlier edit, never undone
        const Operation& op =
            *std::find_if(Operations().begin(), Operations().end(),
                          [name](const Operation& o) { return o.name == std::string(name); });
        const Grid before = AllCells(*c.doc);
        op.run(c);
        const Grid after = AllCells(*c.doc);
        EXPECT_EQ(c.doc->m_rcUndo, op.rect);
        for (int y = op.rect.top; y <= op.rect.bottom; ++y)
            for (int x = op.rect.left; x <= op.rect.right; ++x)
                ASSERT_TRUE(c.doc->UndoCell(x, y) == before[x + CRuvlenDoc::GRID * y]);
        c.doc->SetModifiedFlag(0);
        for (const Grid* expected : {&before, &after, &before}) {
            c.view.invalidated.clear();
            EXPECT_TRUE(c.Undo());
            EXPECT_EQ(FirstDifference(*expected, AllCells(*c.doc)), "");
            EXPECT_EQ(c.view.invalidated, std::vector<CCellRect>{op.rect});
            EXPECT_EQ(c.doc->m_bUndo, 1);
            EXPECT_EQ(c.doc->m_rcUndo, op.rect);
            EXPECT_EQ(c.doc->IsModified(), 1); // at one level too
            c.doc->SetModifiedFlag(0);
            EXPECT_FALSE(c.doc->CanRedo());
            EXPECT_FALSE(c.ctl.IsCommandEnabled(ID_EDIT_REDO));
        }
        EXPECT_FALSE(c.Redo());
        c.doc->Redo(&c.view);
        EXPECT_EQ(FirstDifference(before, AllCells(*c.doc)), "");
        EXPECT_EQ(c.doc->GetUndoHistoryBytes(), 0u);
    }
}

TEST(UndoLevels, EveryOperationIsUndoneAndRedoneToTheExactCells) {
    for (const Operation& op : Operations()) {
        SCOPED_TRACE(op.name);
        Prepared c(100);
        const Grid before = AllCells(*c.doc);
        op.run(c);
        const Grid after = AllCells(*c.doc);
        ASSERT_NE(FirstDifference(before, after), "") << "the operation changed nothing";
        EXPECT_EQ(FirstDifference(before, after, &op.rect), "") << "changed outside its rectangle";
        EXPECT_EQ(c.doc->m_rcUndo, op.rect);
        EXPECT_TRUE(c.doc->CanUndo());
        EXPECT_FALSE(c.ctl.IsCommandEnabled(ID_EDIT_REDO));
        for (int round = 0; round < 2; ++round) {
            c.doc->SetModifiedFlag(0);
            c.view.invalidated.clear();
            c.other.updates.clear();
            EXPECT_TRUE(c.Undo());
            EXPECT_EQ(FirstDifference(before, AllCells(*c.doc)), "") << "undo";
            EXPECT_EQ(c.view.invalidated, std::vector<CCellRect>{op.rect});
            EXPECT_EQ(c.other.updates, std::vector<int>{UPDATE_HINT_NONE});
            EXPECT_EQ(c.doc->IsModified(), 1);
            EXPECT_FALSE(c.ctl.IsCommandEnabled(ID_EDIT_UNDO));
            EXPECT_FALSE(c.Undo()); // nothing older
            c.doc->SetModifiedFlag(0);
            c.view.invalidated.clear();
            EXPECT_TRUE(c.Redo());
            EXPECT_EQ(FirstDifference(after, AllCells(*c.doc)), "") << "redo";
            EXPECT_EQ(c.view.invalidated, std::vector<CCellRect>{op.rect});
            EXPECT_EQ(c.doc->IsModified(), 1);
            EXPECT_FALSE(c.Redo());
            EXPECT_EQ(c.doc->m_rcUndo, op.rect);
        }
    }
}

TEST(UndoLevels, AllOperationsInARowUndoToTheStartAndRedoToTheEnd) {
    Prepared c(100);
    std::vector<Grid> states = {AllCells(*c.doc)};
    for (const Operation& op : Operations()) {
        op.run(c);
        EXPECT_EQ(c.doc->m_rcUndo, op.rect) << op.name;
        states.push_back(AllCells(*c.doc));
    }
    for (size_t i = states.size() - 1; i-- > 0;) {
        ASSERT_TRUE(c.Undo()) << i;
        ASSERT_EQ(FirstDifference(states[i], AllCells(*c.doc)), "") << "undo to " << i;
    }
    EXPECT_FALSE(c.doc->CanUndo());
    for (size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(c.Redo()) << i;
        ASSERT_EQ(FirstDifference(states[i], AllCells(*c.doc)), "") << "redo to " << i;
    }
    EXPECT_FALSE(c.doc->CanRedo());
}

TEST(UndoLevels, HundredLevelsUndoThreeAndRedoTwo) {
    Canvas c;
    c.doc->SetUndoLevels(100);
    const std::vector<Grid> s = DrawSquares(c, 5);
    for (int i = 4; i >= 2; --i) {
        c.ctl.OnCommand(ID_EDIT_UNDO);
        EXPECT_EQ(FirstDifference(s[i], AllCells(*c.doc)), "") << i;
    }
    EXPECT_EQ(c.doc->m_rcUndo, (CCellRect{1, 1, 4, 3})); // the next undo's rectangle
    for (int i = 3; i <= 4; ++i) {
        EXPECT_TRUE(c.ctl.IsCommandEnabled(ID_EDIT_REDO));
        c.ctl.OnCommand(ID_EDIT_REDO);
        EXPECT_EQ(FirstDifference(s[i], AllCells(*c.doc)), "") << i;
    }
    EXPECT_TRUE(c.doc->CanRedo()); // one more step to redo
    c.ctl.OnCommand(ID_EDIT_REDO);
    EXPECT_EQ(FirstDifference(s[5], AllCells(*c.doc)), "");
    EXPECT_FALSE(c.ctl.IsCommandEnabled(ID_EDIT_REDO));
}

TEST(UndoLevels, ANewOperationClearsWhatCouldBeRedone) {
    Canvas c;
    c.doc->SetUndoLevels(100);
    const std::vector<Grid> s = DrawSquares(c, 3);
    c.doc->Undo(&c.view);
    c.doc->Undo(&c.view);
    EXPECT_TRUE(c.doc->CanRedo());
    c.doc->PutTextHorizontal(&c.view, 20, 20, 21, 20, "new!");
    EXPECT_FALSE(c.doc->CanRedo());
    EXPECT_FALSE(c.ctl.IsCommandEnabled(ID_EDIT_REDO));
    c.doc->Undo(&c.view);
    EXPECT_EQ(FirstDifference(s[1], AllCells(*c.doc)), "");
    c.doc->Undo(&c.view);
    EXPECT_EQ(FirstDifference(s[0], AllCells(*c.doc)), "");
    EXPECT_FALSE(c.doc->CanUndo());
    EXPECT_EQ(c.doc->m_bUndo, 0);
    // A right-button toggle, which keeps its cell in its own way, clears it too.
    c.doc->Redo(&c.view);
    c.doc->Redo(&c.view);
    c.doc->Undo(&c.view);
    EXPECT_TRUE(c.doc->CanRedo());
    c.doc->Cell(30, 20).SetLineFlags(LF_RIGHT | LF_LEFT);
    c.RightAt(30, 20, c.S() / 2, 1);
    EXPECT_EQ(c.doc->Cell(30, 20).m_nLineFlags, LF_RIGHT | LF_LEFT | LF_UP);
    EXPECT_FALSE(c.doc->CanRedo());
}

TEST(UndoLevels, TwoLevelsDropTheOldest) {
    Canvas c;
    c.doc->SetUndoLevels(2);
    const std::vector<Grid> s = DrawSquares(c, 4);
    c.doc->Undo(&c.view);
    c.doc->Undo(&c.view);
    EXPECT_EQ(FirstDifference(s[2], AllCells(*c.doc)), "");
    EXPECT_FALSE(c.doc->CanUndo());
    c.view.invalidated.clear();
    c.doc->Undo(&c.view);
    EXPECT_EQ(FirstDifference(s[2], AllCells(*c.doc)), "");
    EXPECT_TRUE(c.view.invalidated.empty());
    c.doc->Redo(&c.view);
    c.doc->Redo(&c.view);
    EXPECT_EQ(FirstDifference(s[4], AllCells(*c.doc)), "");
}

TEST(UndoLevels, ShrinkingTheCountDropsTheOldestSteps) {
    Canvas c;
    c.doc->SetUndoLevels(100);
    std::vector<Grid> s = DrawSquares(c, 5);
    c.doc->SetUndoLevels(3);
    EXPECT_EQ(c.doc->GetUndoLevels(), 3);
    for (int i = 0; i < 5; ++i) c.doc->Undo(&c.view);
    EXPECT_EQ(FirstDifference(s[2], AllCells(*c.doc)), "");

    // With steps on both sides, the oldest undo steps go first, then the redo
    // steps farthest from the present.
    Canvas d;
    d.doc->SetUndoLevels(100);
    s = DrawSquares(d, 5);
    for (int i = 0; i < 3; ++i) d.doc->Undo(&d.view); // 2 to undo, 3 to redo
    d.doc->SetUndoLevels(2);
    EXPECT_FALSE(d.doc->CanUndo());
    d.doc->Redo(&d.view);
    d.doc->Redo(&d.view);
    EXPECT_EQ(FirstDifference(s[4], AllCells(*d.doc)), "");
    EXPECT_FALSE(d.doc->CanRedo());
}

TEST(UndoLevels, ChangingTheCountKeepsTheNextUndo) {
    Canvas c; // one level
    std::vector<Grid> s = DrawSquares(c, 2);
    c.doc->SetUndoLevels(100);
    c.doc->Undo(&c.view);
    EXPECT_EQ(FirstDifference(s[1], AllCells(*c.doc)), "");
    EXPECT_FALSE(c.doc->CanUndo());
    c.doc->Redo(&c.view);
    EXPECT_EQ(FirstDifference(s[2], AllCells(*c.doc)), "");

    Canvas d;
    d.doc->SetUndoLevels(100);
    s = DrawSquares(d, 3);
    d.doc->Undo(&d.view); // a redo step, lost with the history
    d.doc->SetUndoLevels(1);
    EXPECT_FALSE(d.doc->CanRedo());
    EXPECT_EQ(d.doc->m_rcUndo, (CCellRect{1, 1, 4, 3}));
    d.doc->Undo(&d.view);
    EXPECT_EQ(FirstDifference(s[1], AllCells(*d.doc)), "");
    d.doc->Undo(&d.view); // swaps back
    EXPECT_EQ(FirstDifference(s[2], AllCells(*d.doc)), "");
    EXPECT_EQ(d.doc->GetUndoHistoryBytes(), 0u);

    Canvas e; // nothing to carry
    e.doc->SetUndoLevels(50);
    e.doc->SetUndoLevels(1);
    EXPECT_EQ(e.doc->m_bUndo, 0);
}

TEST(UndoLevels, TheCountIsClampedAndComesFromTheDefaults) {
    CRuvlenDoc doc;
    EXPECT_EQ(doc.GetUndoLevels(), 1);
    doc.SetUndoLevels(0);
    EXPECT_EQ(doc.GetUndoLevels(), 1);
    doc.SetUndoLevels(101);
    EXPECT_EQ(doc.GetUndoLevels(), 100);
    doc.SetUndoLevels(-7);
    EXPECT_EQ(doc.GetUndoLevels(), 1);
    CCanvasDefaults defaults;
    defaults.m_nUndoLevels = 1000;
    EXPECT_EQ(CRuvlenDoc(defaults).GetUndoLevels(), 100);
}

TEST(UndoLevels, HistoryStaysWithinItsLevelsOfWholeCanvasSteps) {
    Canvas c;
    c.ctl.ApplyCanvasSettings(2, 99, 99, 1, 96);
    c.doc->SetUndoLevels(100);
    for (int i = 0; i < 150; ++i) c.doc->DrawRectangle(nullptr, 0, 0, 98, 98, i % 2);
    const size_t step = 99 * 99 * sizeof(CPackedCell) + sizeof(CUndoStep);
    EXPECT_EQ(c.doc->GetUndoHistoryBytes(), 100 * step);
    for (int i = 0; i < 100; ++i) c.doc->Undo(nullptr);
    EXPECT_EQ(c.doc->GetUndoHistoryBytes(), 100 * step); // now all on the redo side
    c.doc->EraseCellAt(nullptr, c.X(0), c.Y(0));
    EXPECT_EQ(c.doc->GetUndoHistoryBytes(), sizeof(CUndoStep) + sizeof(CPackedCell));
}

TEST(UndoLevels, UndoAfterTheCanvasShrankRestoresHiddenCellsAndNothingElse) {
    for (int levels : {1, 100}) {
        SCOPED_TRACE(levels);
        Canvas c;
        c.doc->SetUndoLevels(levels);
        c.ctl.ApplyCanvasSettings(2, 99, 99, 1, 96);
        const Grid start = AllCells(*c.doc);
        c.doc->DrawRectangle(&c.view, 0, 0, 98, 98, 1);
        c.doc->Select(&c.view, 50, 50, 98, 98);
        c.doc->FlipSelectionHorizontal(&c.view);
        const Grid flipped = AllCells(*c.doc);
        c.ctl.ApplyCanvasSettings(2, 10, 10, 1, 96); // clips the selection to nothing
        EXPECT_EQ(c.doc->m_bSelection, 0);
        c.doc->DrawRectangle(&c.view, 2, 2, 9, 9, 0);
        c.view.invalidated.clear();
        c.doc->Undo(&c.view);
        EXPECT_EQ(FirstDifference(flipped, AllCells(*c.doc)), "");
        if (levels == 1) continue;
        c.doc->Undo(&c.view);
        c.doc->Undo(&c.view);
        EXPECT_EQ(FirstDifference(start, AllCells(*c.doc)), "");
        for (const CCellRect& rc : c.view.invalidated)
            EXPECT_TRUE(rc.left >= 0 && rc.top >= 0 && rc.right <= 98 && rc.bottom <= 98);
        c.ctl.ApplyCanvasSettings(2, 99, 99, 1, 96);
        c.doc->Redo(&c.view);
        c.doc->Redo(&c.view);
        EXPECT_EQ(FirstDifference(flipped, AllCells(*c.doc)), "");
    }
}
