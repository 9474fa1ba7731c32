// Inserting and deleting whole lines and columns: the seam rules, and the edits
// checked against other routes to the same canvas (the inverse edit, the
// transposed canvas, drawing by hand, the right click).
#include "DocTestSupport.h"

#include "canvas/LineFlags.h"
#include "canvas/TableSeam.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace doc_test;

namespace {

std::string All(const CRuvlenDoc& doc) {
    return Render(doc, 0, 0, doc.m_nColumns - 1, doc.m_nLines - 1);
}

std::string Lines(const std::vector<std::string>& rows) {
    std::string out;
    for (const std::string& row : rows) out += (out.empty() ? "" : "\n") + row;
    return out;
}

// A table as people draw one: rectangles of random weight sharing their edges on
// a random grid, with text in some of the boxes.
void DrawRandomTable(CRuvlenDoc& doc, std::mt19937& rng, int right, int bottom) {
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<int> xs = {pick(0, 3)}, ys = {pick(0, 3)};
    while (xs.back() + 6 <= right) xs.push_back(xs.back() + pick(2, 6));
    while (ys.back() + 4 <= bottom) ys.push_back(ys.back() + pick(2, 4));
    static const char* const kTexts[] = {"ab", "\x95\x5C", "x", "\xB1\xB2\x82\xA0"};
    for (size_t j = 0; j + 1 < ys.size(); ++j) {
        for (size_t i = 0; i + 1 < xs.size(); ++i) {
            doc.DrawRectangle(nullptr, xs[i], ys[j], xs[i + 1], ys[j + 1], pick(0, 1));
            if (pick(0, 2) == 0)
                doc.PutTextHorizontal(nullptr, xs[i] + 1, ys[j] + 1, xs[i + 1] - 1, ys[j] + 1,
                                      kTexts[pick(0, 3)]);
        }
    }
}

// Any of the 32 line cells, text or blanks, in no particular order.
void FillRandomCells(CRuvlenDoc& doc, std::mt19937& rng) {
    std::uniform_int_distribution<int> kind(0, 5), code(0, 31);
    for (int y = 0; y < doc.m_nLines; ++y) {
        for (int x = 0; x < doc.m_nColumns; ++x) {
            const int k = kind(rng);
            if (k < 3)
                doc.Cell(x, y).SetLineFlags(g_validLineFlags[code(rng)]);
            else if (k == 3)
                doc.Cell(x, y).SetText("\x82\xA0");
        }
    }
}

// The canvas mirrored on its main diagonal: cell (x, y) goes to (y, x), and a line
// cell turns a quarter right and flips left-right, which swaps right with down
// and left with up.
std::unique_ptr<CRuvlenDoc> Transposed(const CRuvlenDoc& doc) {
    auto t = SizedDoc(doc.m_nLines, doc.m_nColumns);
    for (int y = 0; y < doc.m_nLines; ++y) {
        for (int x = 0; x < doc.m_nColumns; ++x) {
            CCell& cell = t->Cell(y, x);
            cell.CopyFrom(doc.Cell(x, y));
            if (!cell.m_bLine) continue;
            cell.RotateRight();
            cell.FlipHorizontal();
        }
    }
    return t;
}

// Inserted cells continue the lines that cross the seam, in the weight of the cell
// above (or on the left); elsewhere they are blank.
TEST(TableEditSeam, InsertContinuesCrossingLinesInTheWeightBefore) {
    auto doc = SizedDoc();
    PutRows(*doc, 0, 0, {"┰┯│┼.┬", "│┃┃..┴"});
    doc->Select(nullptr, 4, 1, 4, 2);
    EXPECT_TRUE(doc->InsertLines(nullptr).Done());
    EXPECT_EQ(Render(*doc, 0, 0, 5, 3), Lines({"┰┯│┼.┬", "┃││..│", "┃││..│", "│┃┃..┴"}));

    doc = SizedDoc();
    PutRows(*doc, 0, 0, {"┝─", "─┨", "━┃"});
    doc->Select(nullptr, 1, 2, 1, 2);
    EXPECT_TRUE(doc->InsertColumns(nullptr).Done());
    EXPECT_EQ(Render(*doc, 0, 0, 2, 2), Lines({"┝━─", "──┨", "━.┃"}));
}

// Seams where lines meet, end or lose an arm, deleting the blank line 1 or
// column 1 between them.
TEST(TableEditSeam, DeleteLinesJoinsOrEndsEachLineAtTheSeam) {
    auto doc = SizedDoc();
    PutRows(*doc, 0, 0, {"┼┬├.┐│┃┬", "........", "...┠..┃┼"});
    doc->Select(nullptr, 2, 1, 2, 1);
    EXPECT_TRUE(doc->DeleteLines(nullptr).Done());
    EXPECT_EQ(Render(*doc, 0, 0, 7, 2), Lines({"┴─└.─│┃┬", "...┌..┃┼", "........"}));
}

TEST(TableEditSeam, DeleteColumnsJoinsOrEndsEachLineAtTheSeam) {
    auto doc = SizedDoc();
    PutRows(*doc, 0, 0, {"┼..", "┌..", "─.─", "├.┤", "...", "..┯"});
    doc->Select(nullptr, 1, 0, 1, 0);
    EXPECT_TRUE(doc->DeleteColumns(nullptr).Done());
    EXPECT_EQ(Render(*doc, 0, 0, 2, 5), Lines({"┤..", "│..", "──.", "├┤.", "...", ".┌."}));
}

// At the canvas's edge nothing faces the seam: a table whose top rows are deleted
// gets a closed top edge.
TEST(TableEditSeam, DeletingTheFirstLinesClosesTheTableTop) {
    auto doc = SizedDoc();
    doc->DrawRectangle(nullptr, 0, 0, 4, 4, 1);
    doc->DrawHorizontalLine(nullptr, 0, 2, 4, 2, 0);
    doc->DrawVerticalLine(nullptr, 2, 0, 2, 4, 0);
    doc->Select(nullptr, 0, 0, 0, 1);
    EXPECT_TRUE(doc->DeleteLines(nullptr).Done());
    EXPECT_EQ(Render(*doc, 0, 0, 4, 3), Lines({"┌─┬─┐", "┃.│.┃", "┗━┷━┛", "....."}));
}

// A seam arm that nothing faces is removed as a right click on it removes it,
// for every line cell with that arm; what a right click cannot remove ends
// straight along its other arm.
TEST(TableEditSeam, FacingArmIsRemovedAsByTheRightClick) {
    for (int flags : g_validLineFlags) {
        if (!(flags & LF_DOWN)) continue;
        SCOPED_TRACE(flags);
        auto deleted = SizedDoc(), clicked = SizedDoc();
        deleted->Cell(1, 1).SetLineFlags(flags);
        clicked->Cell(1, 1).SetLineFlags(flags);
        deleted->Select(nullptr, 0, 2, 0, 2);
        deleted->DeleteLines(nullptr);

        clicked->ComputeMetrics(96);
        const int c = clicked->m_nCellSize;
        clicked->ToggleArmAt(nullptr, clicked->m_nOriginX + c + c / 2,
                             clicked->m_nOriginY + c + c - 2);
        const CCell& result = deleted->Cell(1, 1);
        if (clicked->m_bUndo) {
            EXPECT_EQ(result, clicked->Cell(1, 1));
        } else {
            const int rest = flags & LF_ARMS & ~LF_DOWN;
            EXPECT_EQ(result.m_nLineFlags,
                      rest == LF_UP ? flags : LF_RIGHT | LF_LEFT | (flags & LF_HTHICK));
        }
        EXPECT_EQ(result.m_bLine, 1);
    }
}

// After any delete, on random cells: no line cell is left without a glyph, every
// seam is joined or ended in a straight line, and every other cell is the one
// that moved there.
TEST(TableEditProperty, DeleteLeavesEverySeamJoinedOrEnded) {
    std::mt19937 rng(18);
    for (int round = 0; round < 120; ++round) {
        auto doc = SizedDoc(12, 11);
        FillRandomCells(*doc, rng);
        const bool columns = round % 2;
        auto t = columns ? Transposed(*doc) : nullptr;
        CRuvlenDoc& lines = columns ? *t : *doc; // the same canvas seen across its lines
        const int first = std::uniform_int_distribution<int>(0, lines.m_nLines - 1)(rng);
        const int last = std::uniform_int_distribution<int>(first, lines.m_nLines - 1)(rng);
        const Grid before = Snapshot(lines);
        doc->Select(nullptr, columns ? first : 0, columns ? 0 : first, columns ? last : 0,
                    columns ? 0 : last);
        columns ? doc->DeleteColumns(nullptr) : doc->DeleteLines(nullptr);
        auto after = columns ? Transposed(*doc) : nullptr;
        const CRuvlenDoc& result = columns ? *after : *doc;
        const int count = last - first + 1;
        SCOPED_TRACE(std::to_string(round) + ": " + std::to_string(first) + ".." +
                     std::to_string(last));
        for (int x = 0; x < lines.m_nColumns; ++x) {
            for (int y = 0; y < lines.m_nLines; ++y) {
                const CCell& cell = result.Cell(x, y);
                EXPECT_FALSE(Text(cell) == SJIS_STAR) << x << "," << y;
                if (y == first || y == first - 1) continue;
                const int from = y < first ? y : y + count;
                if (from < lines.m_nLines) {
                    EXPECT_EQ(CellName(cell), CellName(before[x + CRuvlenDoc::GRID * from]));
                } else {
                    EXPECT_EQ(CellName(cell), ".");
                }
            }
            const CCell* above = first > 0 ? &result.Cell(x, first - 1) : nullptr;
            const CCell& below = result.Cell(x, first);
            const bool down = above && HasArm(*above, LF_DOWN), up = HasArm(below, LF_UP);
            if (down != up) {
                const CCell& ending = down ? *above : below;
                EXPECT_EQ(ending.m_nLineFlags & LF_ARMS, LF_DOWN | LF_UP) << x;
            }
        }
    }
}

// Inserting lines or columns into a drawn table and deleting them again gives
// the table back.
TEST(TableEditProperty, InsertThenDeleteGivesBackTheTable) {
    std::mt19937 rng(1818);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 300; ++round) {
        const bool columns = round % 2;
        auto doc = SizedDoc(30, 20);
        DrawRandomTable(*doc, rng, columns ? 24 : 29, columns ? 19 : 14);
        const std::string before = All(*doc);
        const int edge = columns ? doc->m_nColumns : doc->m_nLines;
        const int first = pick(0, edge - 1), count = pick(1, std::min(5, edge - first));
        SCOPED_TRACE(std::to_string(round) + ": " + std::to_string(first) + " +" +
                     std::to_string(count) + "\n" + before);
        const int other = pick(0, 9);
        if (columns)
            doc->Select(nullptr, first, other, first + count - 1, other);
        else
            doc->Select(nullptr, other, first, other, first + count - 1);
        ASSERT_TRUE(columns ? doc->InsertColumns(nullptr).Done()
                            : doc->InsertLines(nullptr).Done());
        if (columns)
            doc->Select(nullptr, first, 0, first + count - 1, 0);
        else
            doc->Select(nullptr, 0, first, 0, first + count - 1);
        ASSERT_TRUE(columns ? doc->DeleteColumns(nullptr).Done()
                            : doc->DeleteLines(nullptr).Done());
        EXPECT_EQ(All(*doc), before);
    }
}

// Every stored cell of the grid, hidden ones included.
std::string Stored(const CRuvlenDoc& doc) {
    return Render(doc, 0, 0, CRuvlenDoc::GRID - 1, CRuvlenDoc::GRID - 1);
}

// Edits on a shrunk canvas move the hidden cells with their lines. Two routes:
// text cells all over the grid, cut by hand (a storage line or column taken
// out or put in whole); and lines and text, where the edit on the shrunk
// canvas equals the same edit on the largest canvas.
TEST(TableEditProperty, HiddenCellsMoveWithTheirLinesAndColumns) {
    std::mt19937 rng(2030);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int grid = CRuvlenDoc::GRID;
    for (int round = 0; round < 80; ++round) {
        const bool columns = round % 2, insert = round % 4 >= 2;
        auto doc = SizedDoc(pick(10, 40), pick(10, 40));
        std::vector<std::string> cells(size_t(grid * grid), "  "); // by hand: [row * grid + i]
        const int rows = columns ? doc->m_nColumns : doc->m_nLines;
        for (int y = 0; y < grid - 8; ++y)
            for (int x = 0; x < grid - 8; ++x) {
                // Room for an insert: the canvas's last rows stay blank.
                const int row = columns ? x : y, along = columns ? y : x;
                const bool shown = along < (columns ? doc->m_nLines : doc->m_nColumns);
                if (pick(0, 2) || (shown && row >= rows - 5)) continue;
                const std::string text(1, char('A' + pick(0, 25)));
                doc->Cell(x, y).SetText((text + "z").c_str());
                cells[size_t(row * grid + along)] = text + "z";
            }
        const int first = pick(0, rows - 5), count = pick(1, 5);
        SCOPED_TRACE(std::to_string(round) + ": " + std::to_string(first) + " +" +
                     std::to_string(count));
        if (columns)
            doc->Select(nullptr, first, 0, first + count - 1, 0);
        else
            doc->Select(nullptr, 0, first, 0, first + count - 1);
        auto at = [&](int row) { return cells.begin() + row * grid; };
        if (insert) {
            cells.erase(at(grid - count), at(grid));
            cells.insert(at(first), size_t(count * grid), "  ");
            ASSERT_TRUE((columns ? doc->InsertColumns(nullptr) : doc->InsertLines(nullptr)).Done());
        } else {
            cells.erase(at(first), at(first + count));
            cells.insert(cells.end(), size_t(count * grid), "  ");
            ASSERT_TRUE((columns ? doc->DeleteColumns(nullptr) : doc->DeleteLines(nullptr)).Done());
        }
        for (int y = 0; y < grid; ++y)
            for (int x = 0; x < grid; ++x) {
                const std::string& want = cells[size_t((columns ? x * grid + y : y * grid + x))];
                ASSERT_EQ(std::string(doc->Cell(x, y).m_szText, 2), want) << x << "," << y;
            }
    }
    for (int round = 0; round < 100; ++round) {
        const bool columns = round % 2;
        auto shrunk = SizedDoc(CRuvlenDoc::MAX_SIZE, CRuvlenDoc::MAX_SIZE);
        DrawRandomTable(*shrunk, rng, 90, 90);
        auto largest = SizedDoc(CRuvlenDoc::MAX_SIZE, CRuvlenDoc::MAX_SIZE);
        for (int y = 0; y < grid; ++y)
            for (int x = 0; x < grid; ++x) largest->Cell(x, y) = shrunk->Cell(x, y);
        shrunk->m_nColumns = pick(10, 40);
        shrunk->m_nLines = pick(10, 40);
        const int first = pick(0, 6), count = pick(1, 3); // inside either canvas
        for (CRuvlenDoc* d : {shrunk.get(), largest.get()}) {
            if (columns)
                d->Select(nullptr, first, 0, first + count - 1, 0);
            else
                d->Select(nullptr, 0, first, 0, first + count - 1);
            ASSERT_TRUE((columns ? d->DeleteColumns(nullptr) : d->DeleteLines(nullptr)).Done());
        }
        EXPECT_EQ(Stored(*shrunk), Stored(*largest)) << round;
    }
}

// A column edit is a line edit on the transposed canvas, on tables and on
// arbitrary cells alike, refusals included.
TEST(TableEditProperty, ColumnEditsAreLineEditsTransposed) {
    std::mt19937 rng(99);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 300; ++round) {
        auto doc = SizedDoc(16, 13);
        if (round % 2)
            FillRandomCells(*doc, rng);
        else
            DrawRandomTable(*doc, rng, pick(8, 15), pick(8, 12));
        auto t = Transposed(*doc);
        const int left = pick(0, 15), top = pick(0, 12);
        const CCellRect rc = {left, top, pick(left, 15), pick(top, 12)};
        doc->Select(nullptr, rc.left, rc.top, rc.right, rc.bottom);
        t->Select(nullptr, rc.top, rc.left, rc.bottom, rc.right);
        const bool insert = round % 4 < 2;
        const CTableEditResult a =
            insert ? doc->InsertColumns(nullptr) : doc->DeleteColumns(nullptr);
        const CTableEditResult b = insert ? t->InsertLines(nullptr) : t->DeleteLines(nullptr);
        SCOPED_TRACE(round);
        EXPECT_EQ(a.m_nStatus, b.m_nStatus);
        EXPECT_EQ(a.m_nNeeded, b.m_nNeeded);
        EXPECT_EQ(All(*Transposed(*doc)), All(*t));
        EXPECT_EQ(doc->m_bSelection, t->m_bSelection);
        if (doc->m_bSelection) {
            const CCellRect s = doc->m_rcSelection;
            EXPECT_EQ(t->m_rcSelection, (CCellRect{s.top, s.left, s.bottom, s.right}));
        }
    }
}

// A small table: a thick frame, a thin rule under the heading line (none when
// rule is -1), a thin column line, and text in two boxes.
void DrawTable(CRuvlenDoc& doc, int bottom, int rule, int column, int right) {
    doc.DrawRectangle(nullptr, 0, 0, right, bottom, 1);
    if (rule >= 0) doc.DrawHorizontalLine(nullptr, 0, rule, right, rule, 0);
    doc.DrawVerticalLine(nullptr, column, 0, column, bottom, 0);
    doc.PutTextHorizontal(nullptr, 1, 1, column - 1, 1, "ab");
    doc.PutTextHorizontal(nullptr, column + 1, bottom - 1, right - 1, bottom - 1, "\x95\x5C");
}

TEST(TableEditByHand, EqualsTheTableDrawnLargerOrSmaller) {
    struct Case {
        const char* name;
        CCellRect selection;
        CTableEditResult (CRuvlenDoc::*op)(CDocView*);
        int bottom, rule, column, right; // the table drawn by hand
    };
    const Case cases[] = {
        {"insert two lines below the rule", {5, 3, 5, 4}, &CRuvlenDoc::InsertLines, 7, 2, 3, 6},
        {"insert a line above the rule", {0, 2, 0, 2}, &CRuvlenDoc::InsertLines, 6, 3, 3, 6},
        {"delete a line below the rule", {1, 3, 2, 3}, &CRuvlenDoc::DeleteLines, 4, 2, 3, 6},
        {"delete the rule's line", {1, 2, 1, 2}, &CRuvlenDoc::DeleteLines, 4, -1, 3, 6},
        {"insert three columns", {5, 0, 7, 9}, &CRuvlenDoc::InsertColumns, 5, 2, 3, 9},
        {"insert columns before the rule", {2, 0, 3, 0}, &CRuvlenDoc::InsertColumns, 5, 2, 5, 8},
        {"delete a column", {5, 4, 5, 4}, &CRuvlenDoc::DeleteColumns, 5, 2, 3, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto doc = SizedDoc(12, 10), expected = SizedDoc(12, 10);
        DrawTable(*doc, 5, 2, 3, 6);
        DrawTable(*expected, c.bottom, c.rule, c.column, c.right);
        doc->Select(nullptr, c.selection.left, c.selection.top, c.selection.right,
                    c.selection.bottom);
        EXPECT_TRUE(((*doc).*c.op)(nullptr).Done());
        EXPECT_EQ(All(*doc), All(*expected));
    }
}

class TableEditFrame : public ::testing::Test {
protected:
    std::unique_ptr<CRuvlenDoc> doc = SizedDoc(12, 10);
    RecordingView view;
    void SetUp() override { DrawTable(*doc, 5, 2, 3, 6); }
};

TEST_F(TableEditFrame, EachEditIsOneUndoStepOverTheRowsItChanged) {
    // Whole storage lines and columns move, the hidden cells beyond the canvas too.
    doc->Select(&view, 2, 3, 4, 4);
    CHECK_EDIT(*doc, view, doc->InsertLines(&view), {0, 3, 99, 99}, {{0, 3, 99, 99}});
    doc->Select(&view, 2, 3, 4, 4);
    CHECK_EDIT(*doc, view, doc->DeleteLines(&view), {0, 2, 99, 99}, {{0, 2, 99, 99}});
    doc->Select(&view, 4, 1, 4, 1);
    CHECK_EDIT(*doc, view, doc->InsertColumns(&view), {4, 0, 99, 99}, {{4, 0, 99, 99}});
    doc->Select(&view, 0, 1, 1, 1);
    CHECK_EDIT(*doc, view, doc->DeleteColumns(&view), {0, 0, 99, 99}, {{0, 0, 99, 99}});
}

TEST_F(TableEditFrame, UndoAndRedoAtOneHundredLevels) {
    doc->SetUndoLevels(100);
    const std::string table = All(*doc);
    doc->Select(nullptr, 0, 1, 0, 2);
    doc->InsertLines(nullptr);
    const std::string inserted = All(*doc);
    doc->Select(nullptr, 3, 0, 3, 0);
    doc->DeleteColumns(nullptr);
    const std::string deleted = All(*doc);
    doc->Undo(&view);
    EXPECT_EQ(All(*doc), inserted);
    doc->Undo(&view);
    EXPECT_EQ(All(*doc), table);
    doc->Redo(&view);
    doc->Redo(&view);
    EXPECT_EQ(All(*doc), deleted);
    EXPECT_FALSE(doc->CanRedo());
}

TEST_F(TableEditFrame, InsertThatWouldPushContentOffChangesNothing) {
    doc->Cell(11, 8).SetText("A");
    doc->Select(&view, 1, 1, 1, 2);
    CTableEditResult result;
    CHECK_NO_EDIT(*doc, view, result = doc->InsertLines(&view));
    EXPECT_EQ(result.m_nStatus, CTableEditResult::NO_ROOM);
    EXPECT_EQ(result.m_nNeeded, 11);
    EXPECT_EQ(doc->m_rcSelection, (CCellRect{1, 1, 1, 2}));
    doc->Select(&view, 1, 1, 6, 1);
    CHECK_NO_EDIT(*doc, view, result = doc->InsertColumns(&view));
    EXPECT_EQ(result.m_nNeeded, 18);
    doc->Deselect(&view);
    for (auto op : {&CRuvlenDoc::InsertLines, &CRuvlenDoc::DeleteLines, &CRuvlenDoc::InsertColumns,
                    &CRuvlenDoc::DeleteColumns}) {
        CHECK_NO_EDIT(*doc, view, result = ((*doc).*op)(&view));
        EXPECT_EQ(result.m_nStatus, CTableEditResult::NO_SELECTION);
    }
}

TEST_F(TableEditFrame, SelectionFollowsInsertedCellsAndGoesWithDeletedOnes) {
    doc->Select(&view, 2, 3, 4, 4);
    doc->InsertLines(&view);
    EXPECT_EQ(doc->m_rcSelection, (CCellRect{2, 5, 4, 6}));
    doc->Select(&view, 9, 8, 10, 9);
    doc->InsertLines(&view); // pushes only blank cells off, its own among them
    EXPECT_EQ(doc->m_bSelection, 0);
    doc->Select(&view, 10, 1, 10, 1);
    doc->InsertColumns(&view);
    EXPECT_EQ(doc->m_rcSelection, (CCellRect{11, 1, 11, 1}));
    EXPECT_EQ(doc->m_bSquareSelection, 1);
    doc->DeleteColumns(&view);
    EXPECT_EQ(doc->m_bSelection + doc->m_bSquareSelection, 0);
}

// The whole-canvas insert is the band insert whose band covers the canvas
// with the cells it hides: the same cells, the same undo rectangle, the same
// refusals.
TEST(TableEditBand, WholeCanvasInsertIsTheBandOverTheCanvas) {
    std::mt19937 rng(2727);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 200; ++round) {
        const bool columns = round % 2;
        auto a = SizedDoc(16, 13), b = SizedDoc(16, 13);
        std::mt19937 fill(round);
        for (CRuvlenDoc* doc : {a.get(), b.get()}) {
            fill.seed(round);
            if (round % 4 < 2)
                FillRandomCells(*doc, fill);
            else
                DrawRandomTable(*doc, fill, 12, 10);
        }
        const int edge = columns ? 16 : 13, first = pick(0, edge - 1);
        const int count = pick(1, std::min(4, edge - first));
        a->Select(nullptr, columns ? first : 0, columns ? 0 : first,
                  columns ? first + count - 1 : 0, columns ? 0 : first + count - 1);
        const CTableEditResult viaSelection =
            columns ? a->InsertColumns(nullptr) : a->InsertLines(nullptr);
        const CTableEditResult viaBand =
            b->InsertInBand(nullptr, {columns, first, count, 0, CRuvlenDoc::GRID - 1});
        SCOPED_TRACE(round);
        EXPECT_EQ(viaSelection.m_nStatus, viaBand.m_nStatus);
        EXPECT_EQ(viaSelection.m_nNeeded, viaBand.m_nNeeded);
        EXPECT_EQ(All(*a), All(*b));
        EXPECT_EQ(a->m_bUndo, b->m_bUndo);
        if (a->m_bUndo) {
            EXPECT_EQ(a->m_rcUndo, b->m_rcUndo);
        }
    }
}

// An insert through a table's band is, inside the band, the whole-canvas
// insert on a canvas that holds only the table; outside it nothing moves.
TEST(TableEditBand, BandInsertIsTheInsertOnTheTableAlone) {
    std::mt19937 rng(27);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 200; ++round) {
        const bool columns = round % 2;
        auto alone = SizedDoc(30, 30), among = SizedDoc(30, 30);
        std::mt19937 fill(round);
        // The table takes columns 10..19 (lines, for a column insert); the rest
        // of `among` is random cells, one blank column or line away from it.
        auto table = SizedDoc(10, 30);
        DrawRandomTable(*table, fill, 9, 24);
        FillRandomCells(*among, fill);
        for (int y = 0; y < 30; ++y)
            for (int x = 9; x <= 20; ++x) {
                among->Cell(x, y).Reset();
                if (x >= 10 && x <= 19)
                    alone->Cell(x, y) = among->Cell(x, y) = table->Cell(x - 10, y);
            }
        if (columns) {
            alone = Transposed(*alone);
            among = Transposed(*among);
        }
        const Grid before = Snapshot(*among);
        const int first = pick(0, 24), count = pick(1, 4);
        columns ? alone->Select(nullptr, first, 0, first + count - 1, 0)
                : alone->Select(nullptr, 0, first, 0, first + count - 1);
        ASSERT_TRUE((columns ? alone->InsertColumns(nullptr) : alone->InsertLines(nullptr)).Done());
        ASSERT_TRUE(among->InsertInBand(nullptr, {columns, first, count, 10, 19}).Done());
        SCOPED_TRACE(round);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 30; ++x) {
                const int along = columns ? y : x;
                const bool inBand = along >= 10 && along <= 19;
                EXPECT_EQ(CellName(among->Cell(x, y)),
                          CellName(inBand ? alone->Cell(x, y) : before[x + CRuvlenDoc::GRID * y]))
                    << x << "," << y;
            }
    }
}

} // namespace
