// Region operations of the document: selection, erase, clear, clipboard text,
// import and paste, rotate and mirror, move, and the one-level undo.
#include "DocTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace doc_test;

namespace {

class DocRegionFixture : public ::testing::Test {
protected:
    CRuvlenDoc doc{CCanvasDefaults{2, 20, 10, 1}};
    RecordingView view;
    void SetUp() override {
        doc.ComputeMetrics(96);
        doc.AddView(&view);
    }
    std::string Buffer(int columns, int lines) const {
        return RenderBuffer(doc, columns - 1, lines - 1);
    }
};

using DocRegionSelect = DocRegionFixture;
using DocRegionErase = DocRegionFixture;
using DocRegionClipboard = DocRegionFixture;
using DocRegionImport = DocRegionFixture;
using DocRegionPaste = DocRegionFixture;
using DocRegionTransform = DocRegionFixture;
using DocRegionMove = DocRegionFixture;
using DocRegionUndo = DocRegionFixture;

std::string Lines(const std::vector<std::string>& rows) {
    std::string out;
    for (const std::string& row : rows) out += (out.empty() ? "" : "\n") + row;
    return out;
}

TEST_F(DocRegionSelect, SelectReplacesAndDeselectRepaints) {
    doc.Select(&view, 2, 1, 4, 3);
    EXPECT_EQ(view.rects, (std::vector<CCellRect>{{2, 1, 4, 3}}));
    EXPECT_EQ(doc.m_bSelection, 1);
    EXPECT_EQ(doc.m_bSquareSelection, 1);
    doc.m_bDragSelection = 1;
    view.Clear();
    doc.Select(&view, 1, 1, 4, 2);
    EXPECT_EQ(view.rects, (std::vector<CCellRect>{{2, 1, 4, 3}, {1, 1, 4, 2}}));
    EXPECT_EQ(doc.m_rcSelection, (CCellRect{1, 1, 4, 2}));
    EXPECT_EQ(doc.m_bSquareSelection, 0);
    EXPECT_EQ(doc.m_bDragSelection, 0);
    EXPECT_EQ(doc.m_bUndo, 0);
    EXPECT_EQ(doc.IsModified(), 0);

    doc.m_bDragSelection = 1;
    view.Clear();
    doc.Deselect(&view);
    EXPECT_EQ(view.rects, (std::vector<CCellRect>{{1, 1, 4, 2}}));
    EXPECT_EQ(doc.m_bSelection + doc.m_bSquareSelection + doc.m_bDragSelection, 0);
    view.Clear();
    doc.Deselect(&view);
    EXPECT_TRUE(view.rects.empty());
    EXPECT_TRUE(view.hints.empty());
}

TEST_F(DocRegionSelect, HitTestUsesPixelEdgesOfSelection) {
    const int c = doc.m_nCellSize, ox = doc.m_nOriginX, oy = doc.m_nOriginY;
    doc.m_bDragSelection = 1;
    EXPECT_EQ(doc.IsInSelection(ox + 3 * c, oy + 2 * c), 0);
    EXPECT_EQ(doc.m_bDragSelection, 0);

    doc.Select(&view, 2, 1, 4, 3);
    const int left = ox + 2 * c, right = ox + 5 * c - 1, top = oy + c, bottom = oy + 4 * c - 1;
    struct Case {
        int x, y, inside;
    };
    const Case cases[] = {{left, top, 1},         {right, bottom, 1},  {left - 1, top, 0},
                          {left, top - 1, 0},     {right + 1, top, 0}, {right, bottom + 1, 0},
                          {left + c, top + c, 1}, {left, bottom, 1}};
    for (const Case& p : cases) {
        doc.m_bDragSelection = 1 - p.inside;
        EXPECT_EQ(doc.IsInSelection(p.x, p.y), p.inside) << p.x << "," << p.y;
        EXPECT_EQ(doc.m_bDragSelection, p.inside);
    }
}

TEST_F(DocRegionErase, EraseRectBlanksLinesAndText) {
    doc.DrawRectangle(&view, 0, 0, 3, 2, 1);
    PutRows(doc, 1, 1, {"AB"});
    CHECK_EDIT(doc, view, doc.EraseRect(&view, 1, 0, 3, 1), {1, 0, 3, 1}, {{1, 0, 3, 1}});
    EXPECT_EQ(Render(doc, 0, 0, 3, 2), "┏...\n┃...\n┗━━┛");
    EXPECT_EQ(doc.Cell(3, 0).m_bLine, 0);
    EXPECT_EQ(doc.Cell(3, 0).m_bUsed, 1);
}

TEST_F(DocRegionErase, ClearAllBlanksExactlyTheCanvas) {
    PutRows(doc, 0, 0, {"A"});
    PutRows(doc, 19, 9, {"┼BC"});
    PutRows(doc, 0, 10, {"D"});
    doc.Select(&view, 1, 1, 2, 2);
    CHECK_EDIT(doc, view, doc.ClearAll(&view), {0, 0, 19, 9}, {{1, 1, 2, 2}, {0, 0, 19, 9}});
    EXPECT_EQ(Render(doc, 0, 0, 19, 9), Lines(std::vector<std::string>(10, std::string(20, '.'))));
    EXPECT_EQ(Render(doc, 20, 9, 21, 9), "BC");
    EXPECT_EQ(Render(doc, 0, 10, 0, 10), "D");
    EXPECT_EQ(doc.m_bSelection, 0);
}

TEST_F(DocRegionClipboard, CopyWritesCellsLineByLine) {
    PutRows(doc, 0, 0, {"(ab)c.", "──."});
    doc.Select(&view, 0, 0, 2, 1);
    std::string bytes;
    CHECK_NO_EDIT(doc, view, bytes = doc.CopyToClipboard());
    EXPECT_EQ(bytes, std::string("abc   \r\n\x84\x9F\x84\x9F  \r\n\0", 17));
    EXPECT_EQ(doc.m_bSelection, 1);

    doc.Select(&view, 1, 1, 4, 3);
    bytes = doc.CopyToClipboard();
    EXPECT_EQ(bytes.size(), 2u * 3 * (4 + 1) + 1);
    EXPECT_EQ(bytes.substr(0, 10), "\x84\x9F      \r\n");
}

TEST_F(DocRegionClipboard, CutErasesTheSelection) {
    PutRows(doc, 3, 3, {"┏┓", "ab"});
    doc.Select(&view, 3, 3, 4, 4);
    EXPECT_EQ(doc.CopyToClipboard(), std::string("\x84\xAC\x84\xAD\r\na b \r\n\0", 13));
    CHECK_EDIT(doc, view, doc.DeleteSelection(&view), {3, 3, 4, 4}, {{3, 3, 4, 4}});
    EXPECT_EQ(Render(doc, 3, 3, 4, 4), "..\n..");
    EXPECT_EQ(doc.m_bSelection, 0);
    EXPECT_EQ(doc.m_bSquareSelection, 0);
}

TEST_F(DocRegionImport, TokensAndPlacement) {
    struct Case {
        const char* text;
        int columns, lines;
        const char* buffer; // one column and one line beyond the content
    };
    const Case cases[] = {
        {"ab\r\nabcd\r\n", 2, 2, "(ab)~~\n(ab)(cd)~\n~~~"},
        {"a\nb", 3, 1, "a★b~\n~~~~"},
        {"a\tb", 3, 1, "a.b~\n~~~~"},
        {"ab\r\ncd", 1, 2, "(ab)~\n(cd)~\n~~"},
        {"\r\n\r\nx", 1, 3, "~~\n~~\nx~\n~~"},
        {"a\x81", 2, 1, "a★~\n~~~"},
        {"\x81", 1, 1, "★~\n~~"},
        {"\x81\x7F", 2, 1, "★★~\n~~~"},
        {"\x7F\xA0\xFD\xFE\xFF", 5, 1, "★★★★★~\n~~~~~~"},
        {"a\rb\r", 4, 1, "a★b★~\n~~~~~"},
        {"a\x84\x9F\xB1\xB2", 3, 1, "a─<B1B2>~\n~~~~"},
        {"", 0, 0, "~"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.buffer);
        CHECK_NO_EDIT(doc, view, EXPECT_EQ(doc.ImportText(c.text), 1));
        EXPECT_EQ(doc.m_nBufferColumns, c.columns);
        EXPECT_EQ(doc.m_nBufferLines, c.lines);
        EXPECT_EQ(Buffer(c.columns + 1, c.lines + 1), c.buffer);
    }
    doc.ImportText("a" SJIS_SQUARE "\x84\x9F");
    EXPECT_EQ(doc.BufferCell(2, 0).m_bLine, 1);
    EXPECT_EQ(doc.BufferCell(1, 0).m_bLine, 0);
}

TEST_F(DocRegionImport, LinesStopAtCanvasHeight) {
    std::string twelve;
    for (int i = 1; i <= 12; ++i) twelve += std::to_string(i) + "\r\n";
    doc.ImportText(twelve.c_str());
    EXPECT_EQ(doc.m_nBufferColumns, 1);
    EXPECT_EQ(doc.m_nBufferLines, 10);
    EXPECT_EQ(Buffer(2, 11), "1~\n2~\n3~\n4~\n5~\n6~\n7~\n8~\n9~\n(10)~\n~~");

    std::string crlf;
    for (int i = 0; i < 15; ++i) crlf += "\r\n";
    doc.ImportText(("x" + crlf).c_str());
    EXPECT_EQ(doc.m_nBufferColumns, 1);
    EXPECT_EQ(doc.m_nBufferLines, 10);
    EXPECT_EQ(Buffer(2, 2), "x~\n~~");
}

TEST_F(DocRegionImport, LongLinesWrapAtCanvasWidth) {
    std::string cells; // 21 cells Aa, Bb, ... Uu
    for (int i = 0; i < 21; ++i) cells += {char('A' + i), char('a' + i)};
    doc.ImportText(cells.c_str());
    EXPECT_EQ(doc.m_nBufferColumns, 20);
    EXPECT_EQ(doc.m_nBufferLines, 2);
    EXPECT_EQ(Text(doc.BufferCell(19, 0)), "Tt");
    EXPECT_EQ(Buffer(2, 3), "(Aa)(Bb)\n(Uu)~\n~~");
    EXPECT_EQ(doc.BufferCell(20, 0).m_bUsed, 0);

    doc.ImportText((cells.substr(0, 40) + "\r\nb").c_str()); // exactly 20 cells, no wrap
    EXPECT_EQ(doc.m_nBufferLines, 2);
    EXPECT_EQ(Buffer(2, 3), "(Aa)(Bb)\nb~\n~~");

    std::string nine;
    for (int i = 0; i < 9; ++i) nine += "x\r\n";
    doc.ImportText((nine + cells).c_str()); // wrapping past the last line drops the rest
    EXPECT_EQ(doc.m_nBufferColumns, 20);
    EXPECT_EQ(doc.m_nBufferLines, 10);
    EXPECT_EQ(Text(doc.BufferCell(19, 9)), "Tt");
    EXPECT_EQ(doc.BufferCell(0, 10).m_bUsed, 0);
}

TEST_F(DocRegionImport, EachImportStartsFromAnEmptyBuffer) {
    doc.ImportText("abcdef\r\nxyz");
    doc.ImportText("q");
    EXPECT_EQ(Buffer(4, 2), "q~~~\n~~~~");
}

TEST_F(DocRegionPaste, OnlyUsedCellsArePasted) {
    PutRows(doc, 5, 5, {"XX", "XX"});
    doc.ImportText("ab\r\nabcd\r\n");
    CHECK_EDIT(doc, view, doc.Paste(&view, 5, 5, 6, 6), {5, 5, 6, 6}, {{5, 5, 6, 6}});
    EXPECT_EQ(Render(doc, 5, 5, 6, 6), "(ab)X\n(ab)(cd)");
}

TEST_F(DocRegionPaste, TransparentPasteSkipsBlanks) {
    struct Case {
        bool transparent;
        const char* result;
    };
    for (const Case& c : {Case{false, "A._.B"}, Case{true, "AWXYB"}}) {
        PutRows(doc, 0, 3, {"VWXYZ"});
        doc.ImportText("A\t\x81\x40  B");
        ASSERT_EQ(doc.m_nBufferColumns, 5);
        if (c.transparent)
            CHECK_EDIT(doc, view, doc.PasteTransparent(&view, 0, 3, 4, 3), {0, 3, 4, 3},
                       {{0, 3, 4, 3}});
        else
            CHECK_EDIT(doc, view, doc.Paste(&view, 0, 3, 4, 3), {0, 3, 4, 3}, {{0, 3, 4, 3}});
        EXPECT_EQ(Render(doc, 0, 3, 4, 3), c.result);
    }
}

TEST_F(DocRegionPaste, PastedLinesReplaceThenMergeWithLaterDrawing) {
    doc.DrawHorizontalLine(&view, 1, 3, 5, 3, 0);
    doc.ImportText("\x84\xA0");
    doc.Paste(&view, 3, 3, 3, 3);
    EXPECT_EQ(Render(doc, 1, 3, 5, 3), "──│──");
    doc.DrawHorizontalLine(&view, 2, 3, 4, 3, 1);
    EXPECT_EQ(Render(doc, 1, 3, 5, 3), "─━┿━─");
}

TEST_F(DocRegionTransform, CellsMoveAndLinesTurn) {
    using Op = void (CRuvlenDoc::*)(CDocView*);
    struct Case {
        const char* name;
        Op op;
        std::vector<std::string> rows, expected;
    };
    const std::vector<Case> cases = {
        {"rotate 90", &CRuvlenDoc::RotateSelection90, {"┌─", "│A"}, {"─┐", "A│"}},
        {"rotate 90 text",
         &CRuvlenDoc::RotateSelection90,
         {"(ab)cd", "...", "..."},
         {"..(ab)", "..c", "..d"}},
        {"rotate 180", &CRuvlenDoc::RotateSelection180, {"┏┯", "(ab)★"}, {"★(ab)", "┷┛"}},
        {"flip horizontal", &CRuvlenDoc::FlipSelectionHorizontal, {"├─┐A"}, {"A┌─┤"}},
        {"flip vertical", &CRuvlenDoc::FlipSelectionVertical, {"┯", "A", "┗"}, {"┏", "A", "┷"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRuvlenDoc d;
        RecordingView v;
        PutRows(d, 2, 2, c.rows);
        const CCellRect sel = {2, 2, 2 + int(ParseCells(c.rows[0]).size()) - 1,
                               2 + int(c.rows.size()) - 1};
        d.Select(&v, sel.left, sel.top, sel.right, sel.bottom);
        const int square = d.m_bSquareSelection;
        CHECK_EDIT(d, v, (d.*c.op)(&v), sel, {sel});
        EXPECT_EQ(Render(d, sel.left, sel.top, sel.right, sel.bottom), Lines(c.expected));
        EXPECT_EQ(d.m_bSelection, 1);
        EXPECT_EQ(d.m_bSquareSelection, square);
    }
}

TEST_F(DocRegionTransform, QuarterTurnNeedsSquareSelection) {
    PutRows(doc, 2, 2, {"┌─┐", "└─┘"});
    doc.Select(&view, 2, 2, 4, 3);
    CHECK_NO_EDIT(doc, view, doc.RotateSelection90(&view));
    EXPECT_EQ(doc.m_bSelection, 1);
}

// A paste waits for its click while the user may still turn, mirror or move
// cells: none of that may touch what the paste will place.
TEST_F(DocRegionTransform, TurningMirroringAndMovingLeaveThePasteBufferAlone) {
    using Op = void (*)(CRuvlenDoc&);
    const std::vector<std::pair<const char*, Op>> ops = {
        {"rotate 90", [](CRuvlenDoc& d) { d.RotateSelection90(nullptr); }},
        {"rotate 180", [](CRuvlenDoc& d) { d.RotateSelection180(nullptr); }},
        {"flip horizontal", [](CRuvlenDoc& d) { d.FlipSelectionHorizontal(nullptr); }},
        {"flip vertical", [](CRuvlenDoc& d) { d.FlipSelectionVertical(nullptr); }},
        {"move", [](CRuvlenDoc& d) { d.MoveSelection(nullptr, 3, 1); }},
    };
    for (const auto& [name, op] : ops) {
        SCOPED_TRACE(name);
        CRuvlenDoc d{CCanvasDefaults{2, 20, 10, 1}};
        PutRows(d, 0, 0, {"┌─(QQ)", "│AB", "xyz"});
        d.ImportText("12\r\n\x84\xA9");
        std::vector<CCell> buffer;
        for (int y = 0; y < CRuvlenDoc::GRID; ++y)
            for (int x = 0; x < CRuvlenDoc::GRID; ++x) buffer.push_back(d.BufferCell(x, y));
        d.Select(nullptr, 0, 0, 3, 3);
        op(d);
        for (int y = 0; y < CRuvlenDoc::GRID; ++y)
            for (int x = 0; x < CRuvlenDoc::GRID; ++x)
                ASSERT_TRUE(d.BufferCell(x, y) == buffer[size_t(x + CRuvlenDoc::GRID * y)])
                    << "buffer cell " << x << ", " << y;
        EXPECT_EQ(d.m_nBufferColumns, 1);
        EXPECT_EQ(d.m_nBufferLines, 2);
        d.Paste(nullptr, 10, 8, 10, 9);
        EXPECT_EQ(Render(d, 10, 8, 10, 9), "(12)\n┼");
    }
}

TEST_F(DocRegionMove, OverlappingMoveOverwritesDestination) {
    PutRows(doc, 1, 1, {"A.", "C─X", "..│", "...Z"});
    doc.Select(&view, 1, 1, 2, 2);
    CHECK_EDIT(doc, view, doc.MoveSelection(&view, 1, 1), {1, 1, 3, 3}, {{1, 1, 3, 3}});
    EXPECT_EQ(Render(doc, 1, 1, 4, 4), "....\n.A..\n.C─.\n...Z");
    EXPECT_EQ(doc.Cell(3, 3).m_nLineFlags, 5);
    EXPECT_EQ(doc.m_bSelection, 0);
    EXPECT_EQ(doc.m_bSquareSelection, 0);

    PutRows(doc, 6, 6, {"ab", "cd"});
    doc.Select(&view, 6, 6, 7, 7);
    CHECK_EDIT(doc, view, doc.MoveSelection(&view, -1, -1), {5, 5, 7, 7}, {{5, 5, 7, 7}});
    EXPECT_EQ(Render(doc, 5, 5, 7, 7), "ab.\ncd.\n...");

    doc.Select(&view, 5, 5, 6, 5);
    CHECK_EDIT(doc, view, doc.MoveSelection(&view, 0, 3), {5, 5, 6, 8}, {{5, 5, 6, 8}});
    EXPECT_EQ(Render(doc, 5, 5, 6, 8), "..\ncd\n..\nab");
}

TEST_F(DocRegionUndo, OnlyTheLastEditIsUndone) {
    CHECK_NO_EDIT(doc, view, doc.Undo(&view));
    doc.DrawHorizontalLine(&view, 0, 1, 2, 1, 0);
    doc.DrawVerticalLine(&view, 1, 0, 1, 2, 0);
    EXPECT_EQ(Render(doc, 0, 0, 2, 2), ".│.\n─┼─\n.│.");
    doc.Undo(&view);
    EXPECT_EQ(Render(doc, 0, 0, 2, 2), "...\n───\n...");
    EXPECT_EQ(doc.IsModified(), 1);
    doc.Undo(&view);
    EXPECT_EQ(Render(doc, 0, 0, 2, 2), ".│.\n─┼─\n.│.");
}

TEST_F(DocRegionUndo, OperationsWorkWithoutAView) {
    doc.DrawRectangle(nullptr, 0, 0, 3, 3, 1);
    doc.Select(nullptr, 0, 0, 3, 3);
    doc.RotateSelection90(nullptr);
    doc.RotateSelection180(nullptr);
    doc.FlipSelectionHorizontal(nullptr);
    doc.FlipSelectionVertical(nullptr);
    doc.MoveSelection(nullptr, 1, 1);
    EXPECT_EQ(Render(doc, 1, 1, 4, 4), "┏━━┓\n┃..┃\n┃..┃\n┗━━┛");
    doc.ImportText("x");
    doc.Paste(nullptr, 0, 0, 0, 0);
    doc.PasteTransparent(nullptr, 1, 0, 1, 0);
    doc.EraseRect(nullptr, 0, 0, 0, 0);
    doc.Undo(nullptr);
    doc.Select(nullptr, 1, 0, 1, 0);
    doc.DeleteSelection(nullptr);
    doc.ClearAll(nullptr);
    EXPECT_EQ(Render(doc, 0, 0, 4, 0), ".....");
    EXPECT_TRUE(view.rects.empty());
    EXPECT_TRUE(view.hints.empty());
}

} // namespace
