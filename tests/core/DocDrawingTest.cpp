// Drawing operations of the document: ruled lines and their junctions, rectangles,
// diagonals, symbol runs, text runs and the right-button edits of single cells.
#include "DocTestSupport.h"

#include "canvas/LineFlags.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace doc_test;

namespace {

class DocDrawFixture : public ::testing::Test {
protected:
    CRuvlenDoc doc;
    RecordingView view;
    void SetUp() override {
        doc.ComputeMetrics(96);
        doc.AddView(&view);
    }
    std::string Row(int y, int left, int right) const { return Render(doc, left, y, right, y); }
    std::string At(int x, int y) const { return Render(doc, x, y, x, y); }
    // A logical point in cell (x, y), inside the triangle of the given arm.
    CCellPoint PointIn(int x, int y, int arm) const {
        const int c = doc.m_nCellSize;
        const int dx[5] = {0, c - 2, c / 2, 1, c / 2};
        const int dy[5] = {0, c / 2, c - 2, c / 2, 1};
        return {doc.m_nOriginX + x * c + dx[arm], doc.m_nOriginY + y * c + dy[arm]};
    }
};

using DocDrawLines = DocDrawFixture;
using DocDrawRect = DocDrawFixture;
using DocDrawSymbol = DocDrawFixture;
using DocDrawText = DocDrawFixture;
using DocDrawRightButton = DocDrawFixture;

TEST_F(DocDrawLines, ThinLineThenThickOverIt) {
    CHECK_EDIT(doc, view, doc.DrawHorizontalLine(&view, 2, 5, 6, 5, 0), {2, 5, 6, 5},
               {{2, 5, 6, 5}});
    EXPECT_EQ(Row(5, 1, 7), ".─────.");
    EXPECT_EQ(doc.Cell(2, 5).m_nLineFlags, LF_RIGHT | LF_LEFT);
    CHECK_EDIT(doc, view, doc.DrawHorizontalLine(&view, 2, 5, 6, 5, 1), {2, 5, 6, 5},
               {{2, 5, 6, 5}});
    EXPECT_EQ(Row(5, 1, 7), ".━━━━━.");
    // The latest drawing decides the weight of its axis.
    doc.DrawHorizontalLine(&view, 3, 5, 4, 5, 0);
    EXPECT_EQ(Row(5, 1, 7), ".━──━━.");
}

TEST_F(DocDrawLines, VerticalAcrossHorizontalMakesCross) {
    doc.DrawHorizontalLine(&view, 2, 5, 6, 5, 0);
    CHECK_EDIT(doc, view, doc.DrawVerticalLine(&view, 4, 3, 4, 7, 0), {4, 3, 4, 7}, {{4, 3, 4, 7}});
    EXPECT_EQ(Render(doc, 2, 2, 6, 8), ".....\n..│..\n..│..\n──┼──\n..│..\n..│..\n.....");
}

TEST_F(DocDrawLines, CrossingWeightsFollowEachAxis) {
    struct Case {
        bool verticalFirst;
        int thickH, thickV;
        const char* cross;
    };
    const Case cases[] = {
        {false, 0, 0, "┼"}, {false, 1, 1, "╋"}, {false, 1, 0, "┿"}, {false, 0, 1, "╂"},
        {true, 0, 0, "┼"},  {true, 1, 1, "╋"},  {true, 1, 0, "┿"},  {true, 0, 1, "╂"},
    };
    for (const Case& c : cases) {
        CRuvlenDoc d;
        if (c.verticalFirst) d.DrawVerticalLine(nullptr, 4, 3, 4, 7, c.thickV);
        d.DrawHorizontalLine(nullptr, 2, 5, 6, 5, c.thickH);
        if (!c.verticalFirst) d.DrawVerticalLine(nullptr, 4, 3, 4, 7, c.thickV);
        EXPECT_EQ(Render(d, 4, 5, 4, 5), c.cross)
            << "vertical first " << c.verticalFirst << " thick h " << c.thickH << " v " << c.thickV;
    }
}

// A line starting or ending on a perpendicular line gets a T junction there.
TEST_F(DocDrawLines, LineEndingOnLineMakesTee) {
    struct Case {
        bool horizontalArrives;
        bool starts; // the arriving line starts on the existing one (else it ends there)
        int thickExisting, thickArriving;
        const char* tee;
    };
    const Case cases[] = {
        {true, true, 0, 0, "├"},   {true, false, 0, 0, "┤"},  {true, true, 1, 1, "┣"},
        {true, false, 1, 1, "┫"},  {true, true, 0, 1, "┝"},   {true, false, 0, 1, "┥"},
        {true, true, 1, 0, "┠"},   {true, false, 1, 0, "┨"},  {false, true, 0, 0, "┬"},
        {false, false, 0, 0, "┴"}, {false, true, 1, 1, "┳"},  {false, false, 1, 1, "┻"},
        {false, true, 1, 0, "┯"},  {false, false, 1, 0, "┷"}, {false, true, 0, 1, "┰"},
        {false, false, 0, 1, "┸"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tee);
        CRuvlenDoc d;
        RecordingView v;
        const int a = c.starts ? 4 : 1, b = c.starts ? 7 : 4;
        if (c.horizontalArrives) {
            d.DrawVerticalLine(nullptr, 4, 2, 4, 6, c.thickExisting);
            CHECK_EDIT(d, v, d.DrawHorizontalLine(&v, a, 4, b, 4, c.thickArriving), {a, 4, b, 4},
                       {{a, 4, b, 4}});
        } else {
            d.DrawHorizontalLine(nullptr, 2, 4, 6, 4, c.thickExisting);
            CHECK_EDIT(d, v, d.DrawVerticalLine(&v, 4, a, 4, b, c.thickArriving), {4, a, 4, b},
                       {{4, a, 4, b}});
        }
        EXPECT_EQ(Render(d, 4, 4, 4, 4), c.tee);
    }
}

TEST_F(DocDrawLines, OneCellLinesAreFullSegments) {
    CHECK_EDIT(doc, view, doc.DrawHorizontalLine(&view, 3, 3, 3, 3, 0), {3, 3, 3, 3},
               {{3, 3, 3, 3}});
    EXPECT_EQ(At(3, 3), "─");
    CHECK_EDIT(doc, view, doc.DrawVerticalLine(&view, 5, 3, 5, 3, 1), {5, 3, 5, 3}, {{5, 3, 5, 3}});
    EXPECT_EQ(At(5, 3), "┃");
    doc.DrawVerticalLine(&view, 3, 3, 3, 3, 1);
    EXPECT_EQ(At(3, 3), "╂");
    doc.DrawHorizontalLine(&view, 5, 3, 5, 3, 1);
    EXPECT_EQ(At(5, 3), "╋");
}

TEST_F(DocDrawLines, DiagonalsCrossOnlyInOddSquares) {
    CHECK_EDIT(doc, view, doc.DrawSlashLine(&view, 0, 0, 3, 3), {0, 0, 3, 3}, {{0, 0, 3, 3}});
    EXPECT_EQ(Render(doc, 0, 0, 3, 3), "...／\n..／.\n.／..\n／...");
    CHECK_EDIT(doc, view, doc.DrawBackslashLine(&view, 0, 0, 3, 3), {0, 0, 3, 3}, {{0, 0, 3, 3}});
    EXPECT_EQ(Render(doc, 0, 0, 3, 3), "＼..／\n.＼／.\n.／＼.\n／..＼");

    doc.DrawBackslashLine(&view, 5, 0, 7, 2);
    doc.DrawSlashLine(&view, 5, 0, 7, 2);
    EXPECT_EQ(Render(doc, 5, 0, 7, 2), "＼.／\n.×.\n／.＼");
    doc.DrawSlashLine(&view, 5, 0, 7, 2); // a cross stays a cross
    EXPECT_EQ(At(6, 1), "×");
}

TEST_F(DocDrawLines, DiagonalReplacesRuledLine) {
    doc.DrawHorizontalLine(&view, 0, 2, 4, 2, 1);
    doc.DrawSlashLine(&view, 1, 1, 3, 3);
    EXPECT_EQ(Row(2, 0, 4), "━━／━━");
    EXPECT_EQ(doc.Cell(2, 2).m_bLine, 0);
    doc.DrawVerticalLine(&view, 2, 0, 2, 4, 0); // and drawing over the mark starts afresh
    EXPECT_EQ(At(2, 2), "│");
}

TEST_F(DocDrawRect, ThickThenThinSharingAnEdge) {
    CHECK_EDIT(doc, view, doc.DrawRectangle(&view, 1, 1, 5, 4, 1), {1, 1, 5, 4}, {{1, 1, 5, 4}});
    EXPECT_EQ(Render(doc, 1, 1, 5, 4), "┏━━━┓\n┃...┃\n┃...┃\n┗━━━┛");
    CHECK_EDIT(doc, view, doc.DrawRectangle(&view, 5, 1, 9, 4, 0), {5, 1, 9, 4}, {{5, 1, 9, 4}});
    EXPECT_EQ(Render(doc, 1, 1, 9, 4), "┏━━━┬───┐\n┃...│...│\n┃...│...│\n┗━━━┴───┘");
}

TEST_F(DocDrawRect, EdgesAndCornersMergeWithExistingLines) {
    doc.DrawHorizontalLine(&view, 0, 2, 9, 2, 0);
    doc.DrawRectangle(&view, 3, 1, 6, 3, 1);
    EXPECT_EQ(Render(doc, 0, 1, 9, 3), "...┏━━┓...\n───╂──╂───\n...┗━━┛...");

    doc.DrawHorizontalLine(&view, 0, 6, 9, 6, 1);
    doc.DrawRectangle(&view, 2, 6, 5, 8, 0);
    EXPECT_EQ(Render(doc, 0, 6, 9, 8), "━━┬──┬━━━━\n..│..│....\n..└──┘....");

    doc.DrawVerticalLine(&view, 8, 0, 8, 1, 0); // thick edges across a thin line
    doc.DrawRectangle(&view, 7, 0, 9, 1, 1);
    EXPECT_EQ(Render(doc, 7, 0, 9, 1), "┏┿┓\n┗┿┛");
}

TEST_F(DocDrawRect, DegenerateRectangleIsSquareSymbol) {
    doc.DrawHorizontalLine(&view, 3, 3, 5, 3, 0);
    CHECK_EDIT(doc, view, doc.DrawRectangle(&view, 2, 3, 6, 3, 1), {2, 3, 6, 3}, {{2, 3, 6, 3}});
    EXPECT_EQ(Row(3, 1, 7), ".□───..");
    CHECK_EDIT(doc, view, doc.DrawRectangle(&view, 4, 3, 4, 8, 0), {4, 3, 4, 8}, {{4, 3, 4, 8}});
    EXPECT_EQ(Render(doc, 4, 3, 4, 5), "□\n.\n.");
    EXPECT_EQ(doc.Cell(4, 3).m_bLine, 0);
    CHECK_EDIT(doc, view, doc.DrawRectangle(&view, 8, 8, 8, 8, 0), {8, 8, 8, 8}, {{8, 8, 8, 8}});
    EXPECT_EQ(At(8, 8), "□");
}

TEST_F(DocDrawSymbol, CellsAlongTheLineEachRepainted) {
    struct Case {
        int x1, y1, x2, y2;
        std::vector<CCellPoint> cells; // in the order they are written
    };
    const std::vector<Case> cases = {
        {0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}},
        {4, 2, 0, 0, {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}},
        {2, 1, 7, 3, {{2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 3}, {7, 3}}},
        {7, 3, 2, 1, {{2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 3}, {7, 3}}},
        {0, 2, 4, 0, {{0, 2}, {1, 2}, {2, 1}, {3, 1}, {4, 0}}},
        {4, 0, 0, 2, {{0, 2}, {1, 2}, {2, 1}, {3, 1}, {4, 0}}},
        {0, 0, 2, 4, {{0, 0}, {1, 1}, {1, 2}, {2, 3}, {2, 4}}},
        {2, 4, 0, 0, {{0, 0}, {1, 1}, {1, 2}, {2, 3}, {2, 4}}},
        {1, 0, 3, 5, {{1, 0}, {1, 1}, {2, 2}, {2, 3}, {3, 4}, {3, 5}}},
        {3, 5, 1, 0, {{1, 0}, {1, 1}, {2, 2}, {2, 3}, {3, 4}, {3, 5}}},
        {5, 2, 1, 2, {{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}}},
        {3, 6, 3, 2, {{3, 2}, {3, 3}, {3, 4}, {3, 5}, {3, 6}}},
        {4, 4, 4, 4, {{4, 4}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2);
        CRuvlenDoc d;
        RecordingView v;
        std::vector<CCellRect> repaints;
        for (const CCellPoint& p : c.cells) repaints.push_back({p.x, p.y, p.x, p.y});
        CHECK_EDIT(d, v, d.DrawSymbolLine(&v, SJIS_STAR, c.x1, c.y1, c.x2, c.y2),
                   CCellRect::FromCorners(c.x1, c.y1, c.x2, c.y2), repaints);
        int stars = 0;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) stars += Render(d, x, y, x, y) == "★";
        EXPECT_EQ(stars, int(c.cells.size()));
        for (const CCellPoint& p : c.cells) EXPECT_EQ(Render(d, p.x, p.y, p.x, p.y), "★");
    }
}

TEST_F(DocDrawSymbol, SymbolsReplaceCellsAndBoxCharactersMerge) {
    doc.DrawVerticalLine(&view, 2, 0, 2, 4, 0);
    doc.DrawSymbolLine(&view, Sjis("─").c_str(), 0, 2, 4, 2);
    EXPECT_EQ(Render(doc, 0, 1, 4, 3), "..│..\n─────\n..│..");
    doc.DrawVerticalLine(&view, 3, 0, 3, 4, 1);
    EXPECT_EQ(Row(2, 0, 4), "───╂─");
}

TEST_F(DocDrawText, HorizontalRunPadsAndCuts) {
    PutRows(doc, 3, 3, {"XX", "XX"});
    CHECK_EDIT(doc, view, doc.PutTextHorizontal(&view, 3, 3, 4, 4, "ABCDE"), {3, 3, 4, 4},
               {{3, 3, 4, 4}});
    EXPECT_EQ(Render(doc, 3, 3, 4, 4), "(AB)(CD)\nE.");
    doc.PutTextHorizontal(&view, 3, 3, 4, 3, "abcdefgh");
    EXPECT_EQ(Render(doc, 2, 3, 5, 3), ".(ab)(cd).");
}

TEST_F(DocDrawText, VerticalRunStartsAtRightColumn) {
    CHECK_EDIT(doc, view, doc.PutTextVertical(&view, 3, 3, 4, 4, "ABCDE"), {3, 3, 4, 4},
               {{3, 3, 4, 4}});
    EXPECT_EQ(Render(doc, 3, 3, 4, 4), "E(AB)\n.(CD)");
    EXPECT_EQ(doc.GetTextVertical(3, 3, 4, 4), "ABCD\r\nE");
    doc.PutTextVertical(&view, 6, 0, 7, 0, "abcdef");
    EXPECT_EQ(Row(0, 6, 7), "(cd)(ab)");
}

TEST_F(DocDrawText, BoxCharactersInTextBecomeLineCells) {
    const std::string text = Sjis("─") + Sjis("─");
    doc.PutTextHorizontal(&view, 1, 1, 2, 1, text.c_str());
    doc.DrawVerticalLine(&view, 2, 0, 2, 2, 1);
    EXPECT_EQ(Row(1, 1, 2), "─╂");
}

TEST_F(DocDrawText, ReadingBackTrimsAsciiWhiteSpaceOnly) {
    PutRows(doc, 0, 0, {"(ab)c.", "...", "( x)(y\t)_", "...", "..."});
    EXPECT_EQ(doc.GetTextHorizontal(0, 0, 2, 1), "abc");
    EXPECT_EQ(doc.GetTextHorizontal(0, 0, 2, 4), "abc\r\n\r\n xy\t\x81\x40");
    EXPECT_EQ(doc.GetTextHorizontal(0, 2, 1, 2), " xy");
    EXPECT_EQ(doc.GetTextVertical(0, 0, 2, 2), "    \x81@\r\nc   y\r\nab   x");
    EXPECT_EQ(doc.GetTextHorizontal(5, 5, 8, 8), "");
}

TEST_F(DocDrawRightButton, ToggleRemovesOrAddsTheArmUnderThePoint) {
    struct Case {
        int arm;
        const char* result;
    };
    const Case cases[] = {{ARM_RIGHT, "┤"}, {ARM_LEFT, "├"}, {ARM_UP, "┬"}, {ARM_DOWN, "┴"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        doc.DrawHorizontalLine(&view, 2, 5, 6, 5, 0);
        doc.DrawVerticalLine(&view, 4, 3, 4, 7, 0);
        const CCellPoint p = PointIn(4, 5, c.arm);
        CHECK_EDIT(doc, view, doc.ToggleArmAt(&view, p.x, p.y), {4, 5, 4, 5}, {{4, 5, 4, 5}});
        EXPECT_EQ(At(4, 5), c.result);
        EXPECT_EQ(CellName(doc.UndoCell(4, 5)), "┼");
    }
}

TEST_F(DocDrawRightButton, CornerArmsCannotBeRemoved) {
    doc.DrawRectangle(&view, 1, 1, 4, 3, 0);
    for (int arm : {ARM_RIGHT, ARM_DOWN}) {
        const CCellPoint p = PointIn(1, 1, arm);
        CHECK_NO_EDIT(doc, view, doc.ToggleArmAt(&view, p.x, p.y));
        EXPECT_EQ(doc.m_rcUndo, (CCellRect{1, 1, 4, 3}));
    }
    const CCellPoint left = PointIn(1, 1, ARM_LEFT);
    CHECK_EDIT(doc, view, doc.ToggleArmAt(&view, left.x, left.y), {1, 1, 1, 1}, {{1, 1, 1, 1}});
    EXPECT_EQ(At(1, 1), "┬");
}

TEST_F(DocDrawRightButton, IgnoredOutsideCanvasAndOnNonLines) {
    doc.DrawHorizontalLine(&view, 0, 0, 2, 0, 0);
    doc.DrawVerticalLine(&view, doc.m_nColumns - 1, 0, doc.m_nColumns - 1, 2, 0);
    PutRows(doc, 5, 5, {"A"});
    const int right = doc.m_nOriginX + doc.m_nCanvasWidth + 1;
    const CCellPoint text = PointIn(5, 5, ARM_RIGHT);
    const CCellPoint points[] = {{doc.m_nOriginX - 1, doc.m_nOriginY + 2},
                                 {doc.m_nOriginX + 2, doc.m_nOriginY - 1},
                                 {right, doc.m_nOriginY + 2},
                                 text};
    for (const CCellPoint& p : points) CHECK_NO_EDIT(doc, view, doc.ToggleArmAt(&view, p.x, p.y));
    for (const CCellPoint& p : {points[0], points[1], points[2]})
        CHECK_NO_EDIT(doc, view, doc.EraseCellAt(&view, p.x, p.y));
}

TEST_F(DocDrawRightButton, EraseCellSkipsBlankCells) {
    PutRows(doc, 2, 2, {"A_┼"});
    for (int x : {1, 3}) {
        const CCellPoint p = PointIn(x, 2, ARM_UP);
        CHECK_NO_EDIT(doc, view, doc.EraseCellAt(&view, p.x, p.y));
    }
    for (int x : {2, 4}) {
        const CCellPoint p = PointIn(x, 2, ARM_DOWN);
        CHECK_EDIT(doc, view, doc.EraseCellAt(&view, p.x, p.y), {x, 2, x, 2}, {{x, 2, x, 2}});
    }
    EXPECT_EQ(Row(2, 2, 4), "._.");
    EXPECT_EQ(doc.Cell(4, 2).m_bLine, 0);
}

} // namespace
