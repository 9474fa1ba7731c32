// Tables read back from the canvas. The main property compares two routes:
// data laid out as 表として貼り付け lays it (CTableLayout) and pasted, then
// recognised, gives the data back, with the layout's geometry; hand-drawn
// tables read back as the fields typed into them; everything that is not a
// table is refused.
#include "DocTestSupport.h"

#include "canvas/TableLayout.h"
#include "canvas/TableRecognition.h"

#include <random>

namespace {

using Rows = std::vector<std::vector<std::string>>;

// Pieces of fields: Latin, half-width kana, kanji and kana, a full-width blank
// inside (not for a transparent paste, which lets the canvas show through
// it), a dash used as text, numbers of every kind. None starts or ends with a
// blank or puts a half-width blank beside a full-width character, so each
// field is exactly what reading gives back.
std::string RandomField(std::mt19937& rng, bool multiLine, bool transparent) {
    static const std::vector<std::string> words = {
        "A",
        "bc",
        "x y",
        "\xB1\xB2",                    // ｱｲ
        "\x8A\xBF\x8E\x9A",            // 漢字
        "\x83\x6D\x81\x5B\x83\x67 A4", // ノート A4
        "\x8F\xE3\x81\x40\x89\xBA",    // 上　下
        "a\x84\x9F"
        "b",                // a─b
        "\x95\x69\x96\xBC", // 品名
    };
    static const std::vector<std::string> numbers = {"1,200",
                                                     "\x82\x52\x82\x53",
                                                     "-5.5",
                                                     "\x82\x50"
                                                     "23",
                                                     "12%",
                                                     "+3.25",
                                                     "0",
                                                     "98"};
    switch (rng() % 7) {
    case 0:
        return std::string();
    case 1:
    case 2:
        return numbers[rng() % numbers.size()];
    default:
        break;
    }
    std::string field;
    const int n = 1 + int(rng() % 3);
    for (int i = 0; i < n; ++i) {
        if (i > 0) field += multiLine && rng() % 3 == 0 ? "\n" : "";
        const std::string& word = words[rng() % words.size()];
        field += transparent && word.find(SJIS_IDEO_SPACE) != std::string::npos ? "A" : word;
    }
    return field;
}

// Whether reading splits row r's band into text lines: a table with at most
// one rule inside, below that rule.
bool RowIsSplit(size_t rows, size_t r, const CTableOptions& o) {
    const size_t inner = o.m_bCompact ? (o.m_bHeader && rows > 1 ? 1 : 0) : rows - 1;
    return inner == 0 || (inner == 1 && r >= 1);
}

Rows RandomRows(std::mt19937& rng, const CTableOptions& options, bool transparent) {
    const size_t columns = 1 + rng() % 4, rows = 1 + rng() % 5;
    Rows data(rows, std::vector<std::string>(columns));
    for (size_t r = 0; r < rows; ++r)
        for (auto& field : data[r])
            field = RandomField(rng, !RowIsSplit(rows, r, options), transparent);
    return data;
}

// Lays the rows out and pastes them at (left, top) as the table dialog does.
// Transparently, the table goes over lines that end on its frame from outside.
bool PasteRows(CRuvlenDoc& doc, const Rows& rows, const CTableOptions& options, bool transparent,
               int left, int top, CTableLayout& layout) {
    layout = CTableLayout(rows, options);
    CTableProblem problem;
    if (left + layout.Width() > doc.m_nColumns || top + layout.Height() > doc.m_nLines)
        return false;
    if (!PutTableInBuffer(doc, layout, problem)) return false;
    const int right = left + layout.Width() - 1, bottom = top + layout.Height() - 1;
    if (transparent) {
        doc.DrawVerticalLine(nullptr, left + 1, 0, left + 1, top, 1);
        doc.DrawHorizontalLine(nullptr, right, top + 1, doc.m_nColumns - 1, top + 1, 0);
        doc.DrawRectangle(nullptr, 0, bottom + 2, 4, doc.m_nLines - 1, 0);
        doc.PasteTransparent(nullptr, left, top, right, bottom);
    } else {
        doc.Paste(nullptr, left, top, right, bottom);
    }
    return true;
}

TEST(TableRecognition, TablesFromDataReadBackAsTheirData) {
    int checked = 0;
    for (unsigned seed = 1; seed <= 480; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        const CTableOptions options{int(seed % 2), int(seed / 2 % 2), int(seed / 4 % 2),
                                    int(seed / 8 % 2)};
        const bool transparent = seed / 16 % 2;
        const Rows rows = RandomRows(rng, options, transparent);
        auto doc = doc_test::SizedDoc(99, 60);
        const int left = 2 + int(rng() % 4), top = 2 + int(rng() % 4);
        CTableLayout layout(rows, options);
        if (!PasteRows(*doc, rows, options, transparent, left, top, layout)) continue;
        ++checked;
        const CCellRect frame = {left, top, left + layout.Width() - 1, top + layout.Height() - 1};
        // From a cell inside and from a cell of the border alike.
        for (CCellPoint cell : {CCellPoint{left + 1, top + 1},
                                CCellPoint{frame.right, int(top + rng() % layout.Height())}}) {
            CDrawnTable table;
            ASSERT_TRUE(RecognizeTable(*doc, cell, table));
            EXPECT_EQ(table.Data(), rows);
            EXPECT_EQ(table.m_rcFrame, frame);
            EXPECT_EQ(table.m_bThickFrame, options.m_bThickOuter);
            if (rows[0].size() > 1) {
                EXPECT_EQ(table.m_bThickInner, options.m_bThickInner);
            }
            for (const CTableField& f : table.m_fields)
                EXPECT_EQ(f.m_bRight, CTableLayout::IsNumber(f.m_strText)) << f.m_strText;
            // The layout's columns are the grid's.
            ASSERT_EQ(table.Columns(), int(rows[0].size()));
            for (int c = 0; c < table.Columns(); ++c)
                EXPECT_EQ(table.m_vRules[c].m_nAt, left + layout.m_columnLeft[c] - 1);
            for (const CTableArea& a : table.m_areas) {
                EXPECT_EQ(a.m_rcCells.left, left + layout.m_columnLeft[a.m_nColumn]);
                EXPECT_EQ(a.m_rcCells.Width(), layout.m_columnWidth[a.m_nColumn]);
            }
        }
    }
    EXPECT_GT(checked, 400);
}

// Header and compact flags as far as the cells tell them apart: a header rule
// of the inner rules' weight is an inner rule, and a table of one or two
// rows looks the same compact or not.
TEST(TableRecognition, HeaderAndCompactFromTheRules) {
    const Rows rows = {{"h1", "h2"}, {"a", "1"}, {"b", "2"}, {"c", "3"}};
    for (int bits = 0; bits < 16; ++bits) {
        const CTableOptions o{bits & 1, bits >> 1 & 1, bits >> 2 & 1, bits >> 3 & 1};
        SCOPED_TRACE(bits);
        auto doc = doc_test::SizedDoc(40, 20);
        CTableLayout layout(rows, o);
        ASSERT_TRUE(PasteRows(*doc, rows, o, false, 0, 0, layout));
        CDrawnTable table;
        ASSERT_TRUE(RecognizeTable(*doc, {1, 1}, table));
        EXPECT_EQ(table.m_bCompact, bool(o.m_bCompact));
        const bool header =
            o.m_bCompact ? o.m_bHeader : o.m_bHeader && o.m_bThickOuter != o.m_bThickInner;
        EXPECT_EQ(table.m_bHeader, header);
        EXPECT_EQ(table.Rows(), 4);
    }
}

// A table drawn with the tools, 18 x 7 cells with a thick frame: columns of
// 4, 2, 4 and 3 cells; 説明 spans the second and third columns of the first
// row, 果物の合計 the first three of the last, and 12 the last two rows of the
// last column. Text typed into each cell as the text tool puts it.
std::unique_ptr<CRuvlenDoc> HandDrawnTable() {
    auto doc = doc_test::SizedDoc(40, 20);
    CRuvlenDoc& d = *doc;
    d.DrawRectangle(nullptr, 1, 1, 18, 7, 1);
    d.DrawHorizontalLine(nullptr, 1, 3, 18, 3, 0);
    d.DrawHorizontalLine(nullptr, 1, 5, 14, 5, 0);
    d.DrawVerticalLine(nullptr, 6, 1, 6, 5, 0);
    d.DrawVerticalLine(nullptr, 9, 3, 9, 5, 0);
    d.DrawVerticalLine(nullptr, 14, 1, 14, 7, 0);
    d.PutTextHorizontal(nullptr, 2, 2, 5, 2, "\x95\x69\x96\xBC");         // 品名
    d.PutTextHorizontal(nullptr, 7, 2, 13, 2, "\x90\xE0\x96\xBE");        // 説明
    d.PutTextHorizontal(nullptr, 15, 2, 17, 2, "\x90\x94");               // 数
    d.PutTextHorizontal(nullptr, 2, 4, 5, 4, "\x82\xE8\x82\xF1\x82\xB2"); // りんご
    d.PutTextHorizontal(nullptr, 7, 4, 8, 4, "\x90\xD4");                 // 赤
    d.PutTextHorizontal(nullptr, 10, 4, 13, 4, "\x8A\xC3\x82\xA2");       // 甘い
    d.PutTextHorizontal(nullptr, 16, 4, 17, 4, "  12");
    d.PutTextHorizontal(nullptr, 2, 6, 13, 6,
                        "\x89\xCA\x95\xA8\x82\xCC\x8D\x87\x8C\x76"); // 果物の合計
    return doc;
}

TEST(TableRecognition, HandDrawnTableWithMergedCells) {
    auto doc = HandDrawnTable();
    CDrawnTable t;
    ASSERT_TRUE(RecognizeTable(*doc, {10, 6}, t));
    EXPECT_EQ(t.m_rcFrame, (CCellRect{1, 1, 18, 7}));
    ASSERT_EQ(t.Columns(), 4);
    ASSERT_EQ(t.Rows(), 3);
    EXPECT_EQ(t.Data(), (Rows{{"\x95\x69\x96\xBC", "\x90\xE0\x96\xBE", "", "\x90\x94"},
                              {"\x82\xE8\x82\xF1\x82\xB2", "\x90\xD4", "\x8A\xC3\x82\xA2", "12"},
                              {"\x89\xCA\x95\xA8\x82\xCC\x8D\x87\x8C\x76", "", "", ""}}));
    const CTableField& title = t.m_fields[t.FieldAt(0, 2)];
    EXPECT_EQ(title.m_nColumn, 1);
    EXPECT_EQ(title.m_nColumnSpan, 2);
    const CTableField& total = t.m_fields[t.FieldAt(2, 0)];
    EXPECT_EQ(total.m_nColumnSpan, 3);
    const CTableField& number = t.m_fields[t.FieldAt(2, 3)];
    EXPECT_EQ(number.m_nRow, 1);
    EXPECT_EQ(number.m_nRowSpan, 2);
    EXPECT_TRUE(number.m_bRight);
    EXPECT_FALSE(title.m_bRight);
    EXPECT_FALSE(t.m_bHeader); // every rule inside is thin
    EXPECT_TRUE(t.m_bThickFrame);
    EXPECT_FALSE(t.m_bThickInner);
    // Where the typing starts: the text line of 甘い and the column lookups.
    const CTableTextLine& sweet = t.m_areas[t.m_fields[t.FieldAt(1, 2)].m_nArea].m_lines[0];
    EXPECT_EQ(sweet.Column(), 10);
    EXPECT_EQ(sweet.m_nLine, 4);
    EXPECT_EQ(sweet.m_nHalves, 4);
    EXPECT_EQ(t.ColumnAt(6), 1);
    EXPECT_EQ(t.ColumnAt(1), 0);
    EXPECT_EQ(t.ColumnAt(18), 3);
    EXPECT_EQ(t.ColumnAt(19), -1);
}

// Boxes joined side by side or around each other: the largest rectangle
// divided into rectangles around the cell.
TEST(TableRecognition, LargestFrameAroundTheCell) {
    auto doc = doc_test::SizedDoc(30, 12);
    doc->DrawRectangle(nullptr, 0, 0, 6, 4, 0);
    doc->DrawRectangle(nullptr, 6, 0, 12, 4, 0);  // shares the edge x = 6
    doc->DrawRectangle(nullptr, 12, 2, 16, 4, 0); // joined, but not as high
    CDrawnTable t;
    ASSERT_TRUE(RecognizeTable(*doc, {3, 2}, t));
    EXPECT_EQ(t.m_rcFrame, (CCellRect{0, 0, 12, 4}));
    ASSERT_TRUE(RecognizeTable(*doc, {14, 3}, t));
    EXPECT_EQ(t.m_rcFrame, (CCellRect{12, 2, 16, 4}));
    // A line that leaves the frame outward is ignored; one inside that meets
    // nothing is text.
    doc->DrawVerticalLine(nullptr, 3, 4, 3, 9, 0);
    doc->Cell(2, 2).SetText("\x84\x9F"); // ─
    ASSERT_TRUE(RecognizeTable(*doc, {2, 2}, t));
    EXPECT_EQ(t.m_rcFrame, (CCellRect{0, 0, 12, 4}));
    // Without a rule inside, each text line is a row.
    ASSERT_EQ(t.Rows(), 3);
    EXPECT_EQ(t.Data()[1][0], "\x84\x9F");
    EXPECT_TRUE(t.m_bCompact);
}

TEST(TableRecognition, WhatIsNotATableIsRefused) {
    CDrawnTable t;
    auto blank = doc_test::SizedDoc(20, 10);
    EXPECT_FALSE(RecognizeTable(*blank, {3, 3}, t));
    EXPECT_FALSE(RecognizeTable(*blank, {30, 3}, t));
    // A ring between two boxes, joined or not: the cell in the ring has no
    // table; the inner box is one.
    for (bool joined : {false, true}) {
        auto doc = doc_test::SizedDoc(20, 10);
        doc->DrawRectangle(nullptr, 0, 0, 12, 8, 0);
        doc->DrawRectangle(nullptr, 3, 2, 8, 5, 0);
        if (joined) doc->DrawHorizontalLine(nullptr, 8, 3, 12, 3, 0);
        EXPECT_FALSE(RecognizeTable(*doc, {1, 1}, t)) << joined;
        ASSERT_TRUE(RecognizeTable(*doc, {5, 3}, t)) << joined;
        EXPECT_EQ(t.m_rcFrame, (CCellRect{3, 2, 8, 5}));
    }
    // A line that stops inside: the areas are not rectangles.
    auto stub = doc_test::SizedDoc(20, 10);
    stub->DrawRectangle(nullptr, 0, 0, 10, 6, 0);
    stub->DrawVerticalLine(nullptr, 5, 0, 5, 3, 0);
    EXPECT_FALSE(RecognizeTable(*stub, {2, 2}, t));
    // A frame with a gap is no frame.
    auto gap = doc_test::SizedDoc(20, 10);
    gap->DrawRectangle(nullptr, 0, 0, 10, 6, 0);
    gap->Cell(4, 6).Erase();
    EXPECT_FALSE(RecognizeTable(*gap, {2, 2}, t));
}

// The cell rule's pads are no text: "ab漢" read from its cells, a right-aligned
// mixed-width number without the blank that kept 1 off the full-width cell's
// edge, and a blank between text kept.
TEST(TableRecognition, PadsOfTheCellRuleAreNotText) {
    auto doc = doc_test::SizedDoc(20, 10);
    const Rows rows = {{"ab\x8A\xBF", "\x82\x50"
                                      "23"},
                       {"\x83\x67 A4", "5"}};
    CTableLayout layout(rows, CTableOptions());
    ASSERT_TRUE(PasteRows(*doc, rows, CTableOptions(), false, 0, 0, layout));
    CDrawnTable t;
    ASSERT_TRUE(RecognizeTable(*doc, {0, 0}, t));
    EXPECT_EQ(t.Data(), rows);
}

} // namespace
