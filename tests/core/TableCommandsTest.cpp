// Re-laying, sorting and merging tables on the canvas. Re-laying a table
// drawn by hand is compared with the table the paste dialog makes from the
// fields typed into it; sorting with the rows sorted apart from the canvas;
// every command's change is one undo step, and every refusal changes nothing.
#include "DocTestSupport.h"
#include "FakeViewPort.h"

#include "canvas/TableCommands.h"
#include "canvas/TableRecognition.h"

#include <random>

namespace {

using Rows = std::vector<std::vector<std::string>>;
using doc_test::RecordingView;

// Types Shift-JIS text into a line from cell x on, as the typing tool puts it:
// half-width characters two to a cell, a full-width one on a whole cell.
void Type(CRuvlenDoc& doc, int x, int y, const std::string& text) {
    std::string halves;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool full = static_cast<unsigned char>(text[i]) >= 0x81 &&
                          static_cast<unsigned char>(text[i]) <= 0x9F;
        if (full && halves.size() % 2) halves += ' ';
        halves += text.substr(i, full ? 2 : 1);
        if (full) ++i;
    }
    for (size_t k = 0; k < halves.size(); k += 2)
        doc.Cell(x + int(k / 2), y).SetText((halves.substr(k, 2) + " ").substr(0, 2).c_str());
}

// Half-cells a field needs, as a left-aligned line of it does.
int Halves(const std::string& text) {
    int n = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x81 &&
            static_cast<unsigned char>(text[i]) <= 0x9F) {
            n += n % 2 + 2;
            ++i;
        } else {
            ++n;
        }
    }
    return n;
}

const std::vector<std::string>& Words() {
    static const std::vector<std::string> words = {
        "ab",    "x-1",  "\x8A\xBF\x8E\x9A", "\xB1\xB2\xB3", "\x83\x6D\x81\x5B\x83\x67",
        "1,200", "-5.5", "\x82\x52\x82\x53", "42",           ""};
    return words;
}

// A table drawn with the tools at (1, 1): columns and rows wider and higher
// than the fields need, by random amounts, with each field typed somewhere in
// its cell. `typed` gets the fields.
void DrawUnevenTable(CRuvlenDoc& doc, std::mt19937& rng, Rows& typed) {
    // Three rows or more: with fewer, rows of two lines read as compact rows.
    const int columns = 1 + int(rng() % 4), rows = 3 + int(rng() % 3);
    typed.assign(rows, std::vector<std::string>(columns));
    std::vector<int> xs = {1}, ys = {1};
    for (int c = 0; c < columns; ++c) {
        int width = 1;
        for (int r = 0; r < rows; ++r) {
            typed[r][c] = Words()[rng() % Words().size()];
            width = std::max(width, (Halves(typed[r][c]) + 1) / 2);
        }
        xs.push_back(xs.back() + width + 1 + int(rng() % 3));
    }
    for (int r = 0; r < rows; ++r) ys.push_back(ys.back() + 2 + int(rng() % 2));
    doc.DrawRectangle(nullptr, xs.front(), ys.front(), xs.back(), ys.back(), int(rng() % 2));
    for (int c = 1; c < columns; ++c) doc.DrawVerticalLine(nullptr, xs[c], 1, xs[c], ys.back(), 0);
    for (int r = 1; r < rows; ++r) doc.DrawHorizontalLine(nullptr, 1, ys[r], xs.back(), ys[r], 0);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const int room = xs[c + 1] - xs[c] - 1 - (Halves(typed[r][c]) + 1) / 2;
            Type(doc, xs[c] + 1 + int(rng() % (room + 1)), ys[r] + 1, typed[r][c]);
        }
}

// The paste dialog's table from rows at (left, top) of a fresh canvas.
std::unique_ptr<CRuvlenDoc> Pasted(const Rows& rows, const CTableOptions& options, int left,
                                   int top, const std::vector<CTableMerge>& merges = {}) {
    auto doc = doc_test::SizedDoc(60, 40);
    const CTableLayout layout(rows, options, merges);
    CTableProblem problem;
    EXPECT_TRUE(PutTableInBuffer(*doc, layout, problem));
    doc->Paste(nullptr, left, top, left + layout.Width() - 1, top + layout.Height() - 1);
    return doc;
}

std::string Canvas(const CRuvlenDoc& doc) {
    return doc_test::Render(doc, 0, 0, doc.m_nColumns - 1, doc.m_nLines - 1);
}

CDrawnTable At(const CRuvlenDoc& doc, int x, int y) {
    CDrawnTable table;
    EXPECT_TRUE(RecognizeTable(doc, {x, y}, table));
    return table;
}

TEST(TableReLay, HandDrawnTablesBecomeThePastedTableOfTheirFields) {
    for (unsigned seed = 1; seed <= 120; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        auto doc = doc_test::SizedDoc(60, 40);
        Rows typed;
        DrawUnevenTable(*doc, rng, typed);
        const CDrawnTable table = At(*doc, 1, 1);
        ASSERT_EQ(table.Data(), typed);
        const CTableOptions options{int(seed % 2), int(seed / 2 % 2), int(seed / 4 % 2), 0};
        ASSERT_TRUE(ReLayTable(*doc, nullptr, table, options).Done());
        EXPECT_EQ(Canvas(*doc), Canvas(*Pasted(typed, options, 1, 1)));
    }
}

// A merged cell stays merged, and its text widens the last column it spans.
TEST(TableReLay, MergedCellsAreKept) {
    const Rows rows = {{"\x8D\x87\x8C\x76\x82\xCC\x8D\x80\x96\xDA\x96\xBC", "", "9"},
                       {"a", "b", "1,234"}};
    const std::vector<CTableMerge> merges = {{0, 0, 1, 2}};
    const CTableOptions options;
    auto doc = Pasted(rows, options, 2, 3, merges);
    const CDrawnTable table = At(*doc, 3, 4);
    EXPECT_EQ(table.Data(), rows);
    EXPECT_EQ(table.m_fields[0].m_nColumnSpan, 2);
    // Re-laid, it is the same table again.
    ASSERT_TRUE(ReLayTable(*doc, nullptr, table, TableOptionsOf(table)).Done());
    EXPECT_EQ(Canvas(*doc), Canvas(*Pasted(rows, TableOptionsOf(table), 2, 3, merges)));
    const CTableLayout layout(rows, options, merges);
    EXPECT_GT(layout.m_columnWidth[1], 2); // the long text widened the second column
    // A compact table keeps merged cells only in its header row.
    CTableOptions compact;
    compact.m_bCompact = 1;
    EXPECT_EQ(ReLayTable(*doc, nullptr, table, compact).m_nStatus,
              CTableCommandResult::MERGED_COMPACT);
    compact.m_bHeader = 1;
    EXPECT_TRUE(ReLayTable(*doc, nullptr, table, compact, true).Done());
}

class TableCommandFrame : public ::testing::Test {
protected:
    std::unique_ptr<CRuvlenDoc> doc = doc_test::SizedDoc(40, 20);
    RecordingView view;
};

// The change covers the old table and the new one; the old one's cells
// beyond the new table are blank.
TEST_F(TableCommandFrame, ReLayIsOneUndoStep) {
    std::mt19937 rng(7);
    Rows typed;
    DrawUnevenTable(*doc, rng, typed);
    const CDrawnTable table = At(*doc, 1, 1);
    const CTableLayout layout(typed, TableOptionsOf(table));
    const CCellRect& old = table.m_rcFrame;
    const CCellRect changed = {1, 1, std::max(old.right, layout.Width()),
                               std::max(old.bottom, layout.Height())};
    CHECK_EDIT(*doc, view, ReLayTable(*doc, &view, table, TableOptionsOf(table)), changed,
               {changed});
}

// The new table needs cells beyond the old one: blank ones are fine, others
// and the canvas's edges refuse it, telling how many are in the way.
TEST_F(TableCommandFrame, ReLayThatDoesNotFitChangesNothing) {
    doc->DrawRectangle(nullptr, 1, 1, 3, 3, 0);
    Type(*doc, 2, 2, "ab");
    CDrawnTable t = At(*doc, 2, 2);
    t.m_fields[0].m_strText = "abcdefgh"; // as if typed: the table grows to 7 cells
    doc->Cell(6, 1).SetText("zz");
    doc->Cell(1, 9).SetText("zz");
    CTableCommandResult result;
    CHECK_NO_EDIT(*doc, view, result = ReLayTable(*doc, &view, t, CTableOptions()));
    EXPECT_EQ(result.m_nStatus, CTableCommandResult::NO_ROOM);
    EXPECT_EQ(result.m_nColumns, 1); // column 6; 4, 5 and 7 are blank
    EXPECT_EQ(result.m_nLines, 0);
    EXPECT_NE(TableCommandMessage(result).find("1 桁"), std::string::npos);
    doc->Cell(6, 1).Erase();
    EXPECT_TRUE(ReLayTable(*doc, &view, t, CTableOptions(), true).Done());
    // At the canvas's right edge.
    auto edge = doc_test::SizedDoc(10, 10);
    edge->DrawRectangle(nullptr, 6, 0, 8, 2, 0);
    CDrawnTable e = At(*edge, 7, 1);
    e.m_fields[0].m_strText = "abcdefgh";
    CHECK_NO_EDIT(*edge, view, result = ReLayTable(*edge, &view, e, CTableOptions()));
    EXPECT_EQ(result.m_nStatus, CTableCommandResult::BEYOND_CANVAS);
    EXPECT_EQ(result.m_nColumns, 3); // columns 6..12 of a canvas of 10
}

// Sorting against the rows sorted apart: numbers by value, text by its
// Shift-JIS bytes, empty fields last either way, equal keys in their order.
TEST_F(TableCommandFrame, SortOrdersRowsAsTheirKeysDo) {
    struct Case {
        std::vector<std::string> keys;
        bool numbers;
    };
    const std::vector<Case> cases = {
        {{"1,200", "", "\x82\x52\x82\x53", "-5.5", "98", "34", ""}, true},
        {{"b", "\x82\xA0", "", "a", "B", "a", "10"}, false},
    };
    for (const Case& c : cases)
        for (bool descending : {false, true}) {
            Rows rows = {{"head", "n"}};
            for (size_t i = 0; i < c.keys.size(); ++i)
                rows.push_back({c.keys[i], std::string(1, char('a' + i))});
            auto d = Pasted(rows, CTableOptions{1, 0, 1, 0}, 0, 0);
            const CDrawnTable table = At(*d, 0, 0);
            ASSERT_TRUE(table.m_bHeader);
            ASSERT_TRUE(SortTable(*d, nullptr, table, 0, descending, true).Done());
            Rows expected(rows.begin() + 1, rows.end());
            std::stable_sort(expected.begin(), expected.end(), [&](const auto& a, const auto& b) {
                const std::string &x = a[0], &y = b[0];
                if (x.empty() || y.empty()) return !x.empty() && y.empty();
                const auto value = [](std::string s) {
                    std::string ascii;
                    for (size_t i = 0; i < s.size(); ++i)
                        if (s[i] == '\x82')
                            ascii += char('0' + (s[++i] - 0x4F));
                        else if (s[i] != ',')
                            ascii += s[i];
                    return std::stod(ascii);
                };
                const bool less = c.numbers ? value(x) < value(y) : x < y;
                const bool more = c.numbers ? value(y) < value(x) : y < x;
                return descending ? more : less;
            });
            expected.insert(expected.begin(), rows[0]);
            EXPECT_EQ(At(*d, 0, 0).Data(), expected) << descending;
        }
}

// Rows of several lines keep them; a row with merged columns takes its
// junctions along, so the table stays a table.
TEST_F(TableCommandFrame, SortMovesWholeRowsWithTheirJunctions) {
    const Rows rows = {
        {"h", "i", "j"}, {"3", "x\ny", "z"}, {"1", "wide text", ""}, {"2", "p", "q"}};
    auto d = Pasted(rows, CTableOptions{1, 0, 1, 0}, 1, 1, {{2, 1, 1, 2}});
    const CDrawnTable table = At(*d, 1, 1);
    RecordingView v;
    CHECK_EDIT(*d, v, SortTable(*d, &v, table, 0, false, true), table.m_rcFrame, {table.m_rcFrame});
    const CDrawnTable sorted = At(*d, 1, 1);
    EXPECT_EQ(sorted.Data(), (Rows{rows[0], rows[2], rows[3], rows[1]}));
    EXPECT_EQ(sorted.m_fields[sorted.FieldAt(1, 1)].m_nColumnSpan, 2);
    EXPECT_EQ(sorted.m_rows[3].m_nHeight, 2);
    // A cell merged across body rows cannot be sorted.
    auto m = Pasted(rows, CTableOptions{1, 0, 1, 0}, 1, 1, {{1, 2, 2, 1}});
    const CDrawnTable merged = At(*m, 1, 1);
    CTableCommandResult result;
    CHECK_NO_EDIT(*m, v, result = SortTable(*m, &v, merged, 0, false, true));
    EXPECT_EQ(result.m_nStatus, CTableCommandResult::MERGED_ROWS);
}

// Merging: the lines between go, junctions on the border lose their arms
// inside, the texts stay, and the result reads as one merged cell.
TEST_F(TableCommandFrame, MergeJoinsTheTouchedCells) {
    const Rows rows = {{"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}};
    auto d = Pasted(rows, CTableOptions(), 0, 0);
    const CDrawnTable table = At(*d, 0, 0);
    // From the text line of "a" into that of "e": four cells, widened.
    const CCellRect sel = {2, 1, table.m_areas[4].m_rcCells.left, 3};
    const CCellRect box = {0, 0, table.m_vRules[2].m_nAt, table.m_hRules[2].m_nAt};
    RecordingView v;
    CHECK_EDIT(*d, v, MergeTableCells(*d, &v, table, sel), box, {box});
    EXPECT_EQ(doc_test::Render(*d, 0, 0, box.right, box.bottom), "┏━━━━━┯\n"
                                                                 "┃( a)..( b).│\n"
                                                                 "┃.....├\n"
                                                                 "┃( d)..( e).│\n"
                                                                 "┠──┬──┼");
    const CDrawnTable merged = At(*d, 0, 0);
    EXPECT_EQ(merged.Columns(), 3);
    const CTableField& f = merged.m_fields[merged.FieldAt(0, 0)];
    EXPECT_EQ(f.m_nColumnSpan, 2);
    EXPECT_EQ(f.m_nRowSpan, 2);
    EXPECT_EQ(merged.m_fields.size(), 6u);
    // A selection inside one cell has no boundary to remove.
    CTableCommandResult result;
    CHECK_NO_EDIT(*d, v, result = MergeTableCells(*d, &v, merged, {1, 1, 2, 2}));
    EXPECT_EQ(result.m_nStatus, CTableCommandResult::NO_BOUNDARY);
}

// With no table at the selection, every command tells why and changes nothing.
TEST(TableCommands, RefusedWithoutATable) {
    tool_test::Canvas cv;
    cv.Command(ID_TOOL_SELECT);
    cv.doc->DrawRectangle(nullptr, 10, 10, 20, 15, 0);
    cv.Drag(2, 2, 4, 4); // blank cells
    cv.doc->SetModifiedFlag(0);
    const std::string before = tool_test::Render(*cv.doc);
    for (int id : {ID_COPY_TABLE_DATA, ID_MERGE_CELLS}) {
        cv.view.messages.clear();
        EXPECT_TRUE(cv.Command(id));
        ASSERT_EQ(cv.view.messages.size(), 1u) << id;
        EXPECT_NE(cv.view.messages[0].find("表がありません"), std::string::npos);
    }
    std::string message;
    EXPECT_FALSE(cv.ctl.FormatTable(CTableOptions(), false, message));
    EXPECT_FALSE(message.empty());
    EXPECT_FALSE(cv.ctl.SortTable(false, false, message));
    EXPECT_EQ(cv.clipboard.setCalls, 0);
    EXPECT_EQ(tool_test::Render(*cv.doc), before);
    EXPECT_FALSE(cv.doc->IsModified());
    // Inside the box, a copy puts its one empty field on the clipboard.
    cv.Drag(12, 12, 12, 12);
    EXPECT_TRUE(cv.Command(ID_COPY_TABLE_DATA));
    EXPECT_EQ(cv.clipboard.setCalls, 1);
}

} // namespace
