// Typing into table cells. Tab is checked against the places the table
// layout gave the fields, typed words against the layout of the changed data,
// and every growth by reading the table back: the same grid, the other fields
// unchanged, tables above, below and beside it where they were.
#include "FakeViewPort.h"

#include "canvas/LineFlags.h"
#include "canvas/TableGrowth.h"
#include "canvas/TableLayout.h"
#include "canvas/TableRecognition.h"
#include "canvas/io/Cp932.h"
#include "tools/TypingCaret.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <tuple>
#include <utility>

using namespace tool_test;

namespace {

using Rows = std::vector<std::vector<std::string>>;
using K = CTypingCaret;

std::string Sjis(const std::string& utf8) {
    return Utf8ToCp932(utf8, '?');
}

std::string Utf8(const std::string& sjis) {
    std::string utf8;
    Cp932ToUtf8(sjis, utf8);
    return utf8;
}

struct TableCanvas : Canvas {
    explicit TableCanvas(int columns = 99, int lines = 60) {
        ctl.ApplyCanvasSettings(doc->m_nFontSize, columns, lines, 1, 96);
        Command(ID_TOOL_TYPE);
    }
    CTypingCaret& Caret() { return *CTypingCaret::Of(doc.get()); }
    CTableLayout PutTable(const Rows& rows, const CTableOptions& o, int left, int top,
                          const std::vector<CTableMerge>& merges = {}) {
        CTableLayout layout(rows, o, merges);
        layout.Render(&doc->Cell(left, top), CRuvlenDoc::GRID);
        return layout;
    }
    std::string Type(const std::string& utf8) {
        std::string status;
        Caret().TypeText(utf8, &status);
        return status;
    }
    void Keys(std::initializer_list<int> keys, int mods = 0) {
        for (int k : keys) Caret().PressKey(k, mods);
    }
    CDrawnTable Table(CCellPoint at) const {
        CDrawnTable t;
        EXPECT_TRUE(RecognizeTable(*doc, at, t));
        return t;
    }
    std::string Cells(const CCellRect& rc) const {
        std::string out;
        for (int y = rc.top; y <= rc.bottom; ++y)
            for (int x = rc.left; x <= rc.right; ++x)
                out += Text(x, y) + (x == rc.right ? "\n" : "|");
        return out;
    }
};

// Fields of every kind the layout aligns: text left, numbers right, empty,
// full- and half-width, several lines where the row is not split per line.
std::string RandomField(std::mt19937& rng, bool multiLine) {
    static const char* const words[] = {"A", "bc", "漢字", "ﾃｽﾄ", "ノート A4", "x y"};
    static const char* const numbers[] = {"1,200", "３４", "98", "12%", "0"};
    switch (rng() % 6) {
    case 0:
        return "";
    case 1:
        return Sjis(numbers[rng() % 5]);
    default:
        break;
    }
    std::string field = Sjis(words[rng() % 6]);
    if (rng() % 3 == 0) field += (multiLine ? "\n" : "") + Sjis(words[rng() % 6]);
    return field;
}

struct RandomTable {
    Rows rows;
    CTableOptions options;
    std::vector<CTableMerge> merges;
};

// A table of 1..4 columns and 1..5 rows; with merges, one or two merged cells
// (only in tables with lines between the rows).
RandomTable MakeRandomTable(std::mt19937& rng, bool merges) {
    RandomTable t;
    t.options = {int(rng() % 2), int(rng() % 2), int(rng() % 2), merges ? 0 : int(rng() % 2)};
    const size_t columns = 1 + rng() % 4, rows = 1 + rng() % 5;
    const size_t inner =
        t.options.m_bCompact ? (t.options.m_bHeader && rows > 1 ? 1 : 0) : rows - 1;
    t.rows.assign(rows, std::vector<std::string>(columns));
    for (size_t r = 0; r < rows; ++r) {
        const bool split = inner == 0 || (inner == 1 && r >= 1);
        for (auto& f : t.rows[r]) f = RandomField(rng, !split);
    }
    for (int k = 0; merges && k < 2 && rows > 1 && columns > 1; ++k) {
        const bool wide = rng() % 2;
        const CTableMerge m{int(rng() % (rows - !wide)), int(rng() % (columns - wide)),
                            wide ? 1 : 2, wide ? 2 : 1};
        bool free = true;
        for (const CTableMerge& o : t.merges)
            free = free &&
                   (m.m_nRow + m.m_nRowSpan <= o.m_nRow || o.m_nRow + o.m_nRowSpan <= m.m_nRow ||
                    m.m_nColumn + m.m_nColumnSpan <= o.m_nColumn ||
                    o.m_nColumn + o.m_nColumnSpan <= m.m_nColumn);
        if (!free) continue;
        t.merges.push_back(m);
        for (int r = m.m_nRow; r < m.m_nRow + m.m_nRowSpan; ++r)
            for (int c = m.m_nColumn; c < m.m_nColumn + m.m_nColumnSpan; ++c)
                if (r != m.m_nRow || c != m.m_nColumn) t.rows[r][c].clear();
    }
    return t;
}

// The places of the fields in reading order: row by row, a merged cell once,
// as the cells the layout gave it on its first line (canvas coordinates).
std::vector<CCellRect> Places(const RandomTable& t, const CTableLayout& layout, int left, int top) {
    std::vector<CCellRect> places;
    for (size_t r = 0; r < t.rows.size(); ++r) {
        for (size_t c = 0; c < t.rows[r].size(); ++c) {
            size_t last = c;
            bool covered = false;
            for (const CTableMerge& m : t.merges) {
                const bool in = int(r) >= m.m_nRow && int(r) < m.m_nRow + m.m_nRowSpan &&
                                int(c) >= m.m_nColumn && int(c) < m.m_nColumn + m.m_nColumnSpan;
                if (!in) continue;
                covered = int(r) != m.m_nRow || int(c) != m.m_nColumn;
                last = size_t(m.m_nColumn + m.m_nColumnSpan - 1);
            }
            if (covered) continue;
            const int y = top + layout.m_rowTop[r];
            places.push_back({left + layout.m_columnLeft[c], y,
                              left + layout.m_columnLeft[last] + layout.m_columnWidth[last] - 1,
                              y});
        }
    }
    return places;
}

bool InPlace(const CCellPoint& p, const CCellRect& place) {
    return place.Contains(p.x, p.y);
}

// Moves the caret to the k-th field: a click into the first, then Tab.
void GoToField(TableCanvas& c, const CCellRect& first, int k) {
    c.Click(first.left, first.top);
    for (int i = 0; i < k; ++i) c.Keys({K::KEY_TAB});
}

} // namespace

// Tab visits every field once in reading order and lands on its first line,
// merged cells included; Shift+Tab walks back; neither changes a cell.
TEST(TableTyping, TabWalksEveryFieldOnceInReadingOrder) {
    for (unsigned seed = 1; seed <= 80; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        const RandomTable t = MakeRandomTable(rng, seed % 2);
        TableCanvas c;
        const CTableLayout layout = c.PutTable(t.rows, t.options, 3, 2, t.merges);
        const std::vector<CCellRect> places = Places(t, layout, 3, 2);
        const std::string before = Render(*c.doc);
        GoToField(c, places[0], 0);
        for (size_t k = 0; k < places.size(); ++k) {
            EXPECT_TRUE(InPlace(c.Caret().Cell(), places[k])) << "field " << k;
            // The frame: the field's cells, one line of them in compact rows.
            CCellRect frame;
            ASSERT_TRUE(c.Caret().TableCell(frame));
            EXPECT_EQ(frame.left, places[k].left);
            EXPECT_EQ(frame.right, places[k].right);
            EXPECT_EQ(frame.top, places[k].top);
            if (t.options.m_bCompact && places[k].top > places[0].top) {
                EXPECT_EQ(frame.Height(), 1);
            }
            if (k + 1 < places.size()) c.Keys({K::KEY_TAB});
        }
        for (size_t k = places.size(); k-- > 0;) {
            EXPECT_TRUE(InPlace(c.Caret().Cell(), places[k])) << "back to field " << k;
            c.Keys({K::KEY_TAB}, K::MOD_SHIFT);
        }
        EXPECT_EQ(Render(*c.doc), before);
    }
}

// Typing a word at the start of a field equals laying out the data with that
// field changed, wherever the word makes the column grow: text kept left,
// numbers kept right, the other fields unchanged.
TEST(TableTyping, TypedWordEqualsTheLayoutOfTheChangedData) {
    int compared = 0;
    for (unsigned seed = 1; seed <= 120; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        RandomTable t = MakeRandomTable(rng, false);
        TableCanvas c;
        const CTableLayout layout = c.PutTable(t.rows, t.options, 2, 1);
        const std::vector<CCellRect> places = Places(t, layout, 2, 1);
        const int k = int(rng() % places.size());
        std::string& field = t.rows[k / t.rows[0].size()][k % t.rows[0].size()];
        const bool number = CTableLayout::IsNumber(field);
        const std::string word = number ? std::string(1 + rng() % 9, '7')
                                        : Sjis("語x漢字ab語") + std::string(rng() % 5, 'q');
        if (CTableLayout::IsNumber(word + field) != number) continue; // the layout would turn it
        GoToField(c, places[0], k);
        EXPECT_EQ(c.Type(Utf8(word)), "");
        field = word + field;
        TableCanvas expected;
        expected.PutTable(t.rows, t.options, 2, 1);
        EXPECT_EQ(c.Cells({0, 0, 60, 40}), expected.Cells({0, 0, 60, 40}));
        EXPECT_EQ(Render(*c.doc) == Render(*expected.doc), true);
        EXPECT_EQ(c.Table({2, 1}).Data(), t.rows);
        ++compared;
    }
    EXPECT_GT(compared, 80);
}

// The areas of a table with their places in the grid.
std::vector<std::vector<int>> Grid(const CDrawnTable& t) {
    std::vector<std::vector<int>> grid;
    for (const CTableArea& a : t.m_areas)
        grid.push_back({a.m_nColumn, a.m_nColumnSpan, a.m_nBand, a.m_nBandSpan});
    return grid;
}

// In tables with merged cells too, a long word typed anywhere in a field
// widens its column: the table reads back with the same grid, the word in
// its field and every other field as it was; no border was written over.
TEST(TableTyping, LongWordKeepsTheGridAndTheOtherFields) {
    for (unsigned seed = 1; seed <= 120; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        const RandomTable t = MakeRandomTable(rng, true);
        TableCanvas c;
        const CTableLayout layout = c.PutTable(t.rows, t.options, 2, 1, t.merges);
        const std::vector<CCellRect> places = Places(t, layout, 2, 1);
        const CDrawnTable before = c.Table({2, 1});
        const int k = int(rng() % places.size());
        GoToField(c, places[0], k);
        const bool atEnd = rng() % 2;
        if (atEnd) c.Keys({K::KEY_END});
        const CTableField field = before.m_fields[size_t(k)];
        const std::string word = Sjis("長い言葉") + "abc" + std::string(rng() % 8, 'z');
        // Blanks aside: the cell rule may pad a full-width character.
        auto letters = [](std::string text) {
            text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
            return text;
        };
        EXPECT_EQ(c.Type(Utf8(word)), "");
        const CDrawnTable after = c.Table({2, 1});
        EXPECT_EQ(Grid(after), Grid(before));
        EXPECT_EQ(after.Rows(), before.Rows());
        EXPECT_EQ(after.m_rcFrame.left, 2);
        EXPECT_EQ(after.m_rcFrame.Height(), before.m_rcFrame.Height());
        ASSERT_EQ(after.m_fields.size(), before.m_fields.size());
        for (size_t i = 0; i < after.m_fields.size(); ++i) {
            if (int(i) != k) {
                EXPECT_EQ(after.m_fields[i].m_strText, before.m_fields[i].m_strText) << i;
                continue;
            }
            std::string expected = field.m_strText; // End: the end of its first line
            expected.insert(atEnd ? std::min(expected.find('\n'), expected.size()) : 0, word);
            EXPECT_EQ(letters(after.m_fields[i].m_strText), letters(expected));
        }
    }
}

// Tables above and below a widened table, and beside a heightened one, keep
// every cell; one below within its columns moves down by exactly the lines
// added, whether Enter grows a row or Tab adds one.
TEST(TableTyping, OnlyTheTablesBandMoves) {
    TableCanvas c(60, 40);
    const Rows small = {{Sjis("品"), "1"}, {"a", "2"}, {"b", "3"}};
    c.PutTable({{"above", "x", "wide table"}}, CTableOptions(), 0, 0); // lines 0..2
    const CTableLayout a = c.PutTable(small, CTableOptions(), 2, 4);   // lines 4..8
    const CCellRect frame = {2, 4, 2 + a.Width() - 1, 4 + a.Height() - 1};
    c.PutTable({{"b"}}, CTableOptions(), 3, frame.bottom + 2);     // below, inside A's columns
    c.PutTable({{"beside"}}, CTableOptions(), frame.right + 3, 5); // right of A, on its lines
    const CCellRect above = {0, 0, 30, 2}, below = {0, frame.bottom + 1, frame.right, 20};
    const CCellRect beside = {frame.right + 1, 0, 59, 39};
    const std::string top = c.Cells(above), bottom = c.Cells(below), side = c.Cells(beside);

    c.Click(frame.left + 1, frame.top + 1);
    c.Type("a rather long text");
    EXPECT_EQ(c.Cells(above), top);
    EXPECT_EQ(c.Cells(below), bottom);
    EXPECT_NE(c.Cells(beside), side); // it is on the table's lines: it moved right

    const CCellRect wider = c.Table({frame.left, frame.top}).m_rcFrame;
    const CCellRect side2 = {wider.right + 1, 0, 59, 39},
                    below2 = {0, wider.bottom + 1, wider.right, 20};
    const std::string besideNow = c.Cells(side2), belowNow = c.Cells(below2);
    c.Keys({K::KEY_ENTER}); // on the row's last line: one more line
    CCellRect moved = below2;
    ++moved.top;
    ++moved.bottom;
    EXPECT_EQ(c.Cells(moved), belowNow);
    EXPECT_EQ(c.Cells(side2), besideNow);
    EXPECT_EQ(c.Cells(above), top);

    // Tab in the last field: a row as high as the last one, and its line.
    const CDrawnTable t = c.Table({frame.left, frame.top});
    const std::string belowTab = c.Cells(moved);
    c.Click(t.m_areas.back().m_rcCells.left, t.m_areas.back().m_rcCells.top);
    c.Keys({K::KEY_TAB});
    const int added = 1 + t.m_rows.back().m_nHeight;
    moved.top += added;
    moved.bottom += added;
    EXPECT_EQ(c.Cells(moved), belowTab);
    const CDrawnTable grown = c.Table({frame.left, frame.top});
    EXPECT_EQ(grown.Rows(), t.Rows() + 1);
    EXPECT_EQ(grown.m_hRules[grown.Bands() - 1].m_bThick, t.m_hRules[t.Bands() - 1].m_bThick);
    EXPECT_EQ(grown.m_rows.back().m_nHeight, t.m_rows.back().m_nHeight);
    EXPECT_EQ(c.Caret().Cell(), (CCellPoint{frame.left + 1, grown.m_rows.back().m_nTop}));
}

// A line that runs into the table from outside is broken where the band
// moves away from it, as a right click breaks it.
TEST(TableTyping, LinesIntoTheTableAreBrokenAtTheBand) {
    TableCanvas c(40, 20);
    const CTableLayout a = c.PutTable({{"ab", "c"}}, CTableOptions(), 2, 4);
    c.doc->DrawVerticalLine(nullptr, 6, 0, 6, 4, 0); // down onto the top border
    c.Click(3, 5);
    c.Type("long words here");
    for (int y = 0; y < c.doc->m_nLines; ++y)
        for (int x = 0; x < c.doc->m_nColumns; ++x) {
            const CCell& cell = c.doc->Cell(x, y);
            if (!cell.m_bLine) continue;
            for (auto [arm, dx, dy, facing] : {std::tuple{LF_RIGHT, 1, 0, LF_LEFT},
                                               {LF_DOWN, 0, 1, LF_UP},
                                               {LF_LEFT, -1, 0, LF_RIGHT},
                                               {LF_UP, 0, -1, LF_DOWN}}) {
                if (!(cell.m_nLineFlags & arm)) continue;
                const int nx = x + dx, ny = y + dy;
                const bool inside = nx >= 0 && ny >= 0 && nx < 40 && ny < 20;
                const CCell* next = inside ? &c.doc->Cell(nx, ny) : nullptr;
                const bool joined = next && next->m_bLine && (next->m_nLineFlags & facing);
                // Only a straight line may end in an arm that meets nothing.
                EXPECT_TRUE(joined || (cell.m_nLineFlags & LF_ARMS) == (LF_UP | LF_DOWN) ||
                            (cell.m_nLineFlags & LF_ARMS) == (LF_LEFT | LF_RIGHT))
                    << x << "," << y;
            }
        }
    EXPECT_EQ(c.Table({3, 5}).m_rcFrame.Width(),
              CTableLayout({{"long words hereab", "c"}}, CTableOptions()).Width());
    EXPECT_EQ(a.Width(), 7);
}

// The field's text as the table reads back, by its row and column.
std::string FieldText(const TableCanvas& c, int row, int column) {
    const CDrawnTable t = c.Table({2, 1});
    return Utf8(t.m_fields[size_t(t.FieldAt(row, column))].m_strText);
}

// Enter, Backspace, Delete, Home and End inside a cell, which never reach
// its borders.
TEST(TableTyping, EditingKeysStayInsideTheCell) {
    TableCanvas c(40, 20);
    c.PutTable({{"h1", "h2"}, {"abc", "x"}, {"d", "e"}}, {1, 0, 1, 0}, 2, 1);
    c.Click(3, 4); // abc, whose text starts half a cell in
    c.Keys({K::KEY_END, K::KEY_BACKSPACE});
    EXPECT_EQ(FieldText(c, 1, 0), "ab");
    c.Keys({K::KEY_HOME, K::KEY_DELETE});
    EXPECT_EQ(FieldText(c, 1, 0), "b");
    c.Keys({K::KEY_BACKSPACE, K::KEY_BACKSPACE}); // at the start: nothing
    EXPECT_EQ(FieldText(c, 1, 0), "b");
    c.Keys({K::KEY_DELETE, K::KEY_DELETE, K::KEY_DELETE, K::KEY_DELETE});
    EXPECT_EQ(FieldText(c, 1, 0), "");
    EXPECT_EQ(c.Type("漢x"), "");
    c.Keys({K::KEY_HOME});
    c.Type("y");
    EXPECT_EQ(FieldText(c, 1, 0), "y漢x");
    // Enter on the row's last line adds one; on the next line the text starts
    // where the line above starts.
    c.Keys({K::KEY_ENTER});
    c.Type("z");
    EXPECT_EQ(FieldText(c, 1, 0), "y漢x\nz");
    EXPECT_EQ(FieldText(c, 1, 1), "x");
    EXPECT_EQ(c.Table({2, 1}).m_rows[1].m_nHeight, 2);
    c.Keys({K::KEY_UP, K::KEY_ENTER}); // not the last line: only a move
    EXPECT_EQ(c.Table({2, 1}).m_rows[1].m_nHeight, 2);
    EXPECT_EQ(c.Caret().Cell(), (CCellPoint{3, 5}));
    EXPECT_EQ(c.Caret().Half(), 1);
}

// A number kept to the right grows to the left, and widens its column only
// when it no longer fits; it stays kept to the right.
TEST(TableTyping, RightAlignedFieldGrowsToTheLeft) {
    TableCanvas c(40, 20);
    c.PutTable({{"price"}, {"12"}}, CTableOptions(), 2, 1);
    const CDrawnTable before = c.Table({2, 1});
    const CTableTextLine line = before.m_areas[1].m_lines[0];
    c.Click(3, 2);
    c.Keys({K::KEY_TAB});
    c.Type("3");
    CDrawnTable t = c.Table({2, 1});
    EXPECT_EQ(Utf8(t.m_fields[1].m_strText), "312");
    EXPECT_EQ(t.m_areas[1].m_lines[0].m_nStartHalf + t.m_areas[1].m_lines[0].m_nHalves,
              line.m_nStartHalf + line.m_nHalves);
    EXPECT_EQ(t.m_rcFrame, before.m_rcFrame);
    c.Type("4444444");
    t = c.Table({2, 1});
    EXPECT_EQ(Utf8(t.m_fields[1].m_strText), "3444444412");
    EXPECT_TRUE(t.m_fields[1].m_bRight);
    const CTableArea& area = t.m_areas[1];
    EXPECT_EQ(area.m_lines[0].m_nStartHalf + area.m_lines[0].m_nHalves,
              2 * area.m_rcCells.right + 1);
    EXPECT_EQ(area.m_lines[0].m_nStartHalf, 2 * area.m_rcCells.left + 1);
    // Deleting the number and typing another keeps it to the right.
    c.Keys({K::KEY_HOME});
    for (int i = 0; i < 10; ++i) c.Keys({K::KEY_DELETE});
    c.Type("5");
    t = c.Table({2, 1});
    EXPECT_TRUE(t.m_fields[1].m_bRight);

    // A full column: the first keystroke widens it, the other number of the
    // column moves with the border, and one undo takes it all back.
    TableCanvas full(40, 20);
    full.PutTable({{"pr"}, {"12"}, {"5"}}, CTableOptions(), 2, 1);
    const std::string canvas = Render(*full.doc);
    const int right = full.Table({2, 1}).m_rcFrame.right;
    full.Click(3, 2);
    full.Keys({K::KEY_TAB});
    full.Type("3");
    t = full.Table({2, 1});
    EXPECT_EQ(Utf8(t.m_fields[1].m_strText), "312");
    EXPECT_EQ(t.m_rcFrame.right, right + 1);
    const CTableTextLine& five = t.m_areas[2].m_lines[0];
    EXPECT_EQ(five.m_nStartHalf + five.m_nHalves, 2 * t.m_areas[2].m_rcCells.right + 1);
    full.Command(ID_EDIT_UNDO);
    EXPECT_EQ(Render(*full.doc), canvas);
}

// A growth that would push a non-blank cell off the canvas types nothing and
// says how many columns or lines the canvas needs.
TEST(TableTyping, GrowthWithoutRoomTypesNothing) {
    TableCanvas c(20, 12);
    c.PutTable({{"ab", "c"}, {"d", "e"}}, CTableOptions(), 1, 1);
    c.Put(19, 2, "Z"); // on the table's lines, at the right edge
    c.Put(4, 11, "Y"); // in the table's columns, at the bottom
    c.Click(2, 2);
    const std::string before = Render(*c.doc);
    EXPECT_EQ(c.Type("abcdefgh"), TableGrowthMessage(false, 21));
    EXPECT_EQ(c.Caret().NeededColumns(), 21);
    EXPECT_EQ(Render(*c.doc), before);
    std::string status;
    c.Caret().PressKey(K::KEY_ENTER, 0, &status);
    EXPECT_EQ(status, TableGrowthMessage(true, 13));
    EXPECT_EQ(c.Caret().NeededLines(), 13);
    EXPECT_EQ(Render(*c.doc), before);
    EXPECT_FALSE(c.doc->CanUndo());
}

// One undo takes back a run of typing with all the growth it caused, at one
// level (where a second undo brings it back), two and a hundred; a row that
// Tab added goes with the typing that follows it.
TEST(TableTyping, OneUndoStepTakesBackARunWithItsGrowth) {
    for (int levels : {1, 2, 100}) {
        SCOPED_TRACE(levels);
        TableCanvas c(50, 30);
        c.doc->SetUndoLevels(levels);
        c.PutTable({{"h1", "h2"}, {"a", "1"}}, {1, 0, 1, 0}, 2, 1);
        c.PutTable({{"other"}}, CTableOptions(), 30, 2);
        const std::string before = Render(*c.doc);
        c.Click(3, 4);
        c.Type("a long word\nand a second line");
        c.Keys({K::KEY_BACKSPACE});
        const std::string typed = Render(*c.doc);
        EXPECT_NE(typed, before);
        EXPECT_TRUE(c.Command(ID_EDIT_UNDO));
        EXPECT_EQ(Render(*c.doc), before);
        EXPECT_TRUE(c.Command(levels == 1 ? ID_EDIT_UNDO : ID_EDIT_REDO));
        EXPECT_EQ(Render(*c.doc), typed);

        c.Click(c.Table({2, 1}).m_areas.back().m_rcCells.left, 4);
        c.Keys({K::KEY_TAB});
        c.Type("new row");
        EXPECT_EQ(c.Table({2, 1}).Rows(), 3);
        EXPECT_TRUE(c.Command(ID_EDIT_UNDO));
        EXPECT_EQ(Render(*c.doc), typed);
    }
}

using CellSet = std::set<std::pair<int, int>>;

CellSet CellsOf(const std::vector<CCellRect>& rects) {
    CellSet cells;
    for (const CCellRect& r : rects)
        for (int y = r.top; y <= r.bottom; ++y)
            for (int x = r.left; x <= r.right; ++x) cells.insert({x, y});
    return cells;
}

// The stored cells whose contents differ between two copies of a canvas.
CellSet Changed(const std::vector<CCell>& a, const CRuvlenDoc& b) {
    CellSet cells;
    for (int y = 0; y < CRuvlenDoc::GRID; ++y)
        for (int x = 0; x < CRuvlenDoc::GRID; ++x)
            if (a[size_t(x + CRuvlenDoc::GRID * y)] != b.Cell(x, y)) cells.insert({x, y});
    return cells;
}

std::vector<CCell> Copy(const CRuvlenDoc& doc) {
    return std::vector<CCell>(&doc.Cell(0, 0),
                              &doc.Cell(0, 0) + CRuvlenDoc::GRID * CRuvlenDoc::GRID);
}

// A keystroke repaints the cells it changed and the caret's two cells; a
// growth also the band of the table that moved; a move to another cell the
// frames of both cells. Every window of the canvas repaints alike.
TEST(TableTyping, RepaintsWhatChangedAndWhatMoved) {
    TableCanvas c(40, 20);
    c.PutTable({{"ab", "c"}, {"defghij", "e"}}, CTableOptions(), 1, 1);
    c.Click(2, 2);
    auto step = [&](auto act) {
        const std::vector<CCell> before = Copy(*c.doc);
        const CCellPoint from = c.Caret().Cell();
        c.view.invalidated.clear();
        c.other.invalidated.clear();
        act();
        EXPECT_EQ(CellsOf(c.view.invalidated), CellsOf(c.other.invalidated));
        CellSet expected = Changed(before, *c.doc);
        for (const CCellPoint& p : {from, c.Caret().Cell()}) expected.insert({p.x, p.y});
        return std::pair{CellsOf(c.view.invalidated), expected};
    };
    auto frameOf = [](const CCellRect& a) { return CellsOf({{a.left, a.top, a.right, a.top}}); };
    // Fits: exactly the changed cells and the caret's.
    const auto [fits, fitsExpected] = step([&] { c.Type("x"); });
    EXPECT_EQ(fits, fitsExpected);
    // Grows: also the table's lines from the seam on with the lines beside
    // them, and the frame of the wider cell.
    const CCellRect cell = c.Table({1, 1}).m_areas[0].m_rcCells;
    const auto [grows, growsExpected] = step([&] { c.Type("yzyzyzyz"); });
    // The frame's lines 1..5 and the lines beside them, hidden cells included.
    CellSet band = CellsOf({{cell.right + 1, 0, CRuvlenDoc::GRID - 1, 6}});
    band.insert(growsExpected.begin(), growsExpected.end());
    const CellSet wider = frameOf(c.Table({1, 1}).m_areas[0].m_rcCells);
    band.insert(wider.begin(), wider.end());
    EXPECT_EQ(grows, band);
    // Tab: the caret's cells and the frames of the two cells.
    auto [tab, tabExpected] = step([&] { c.Keys({K::KEY_TAB}); });
    const CCellRect next = c.Table({1, 1}).m_areas[1].m_rcCells;
    for (const CellSet& frame : {wider, frameOf(next)})
        tabExpected.insert(frame.begin(), frame.end());
    EXPECT_EQ(tab, tabExpected);
    CCellRect shown;
    EXPECT_TRUE(c.Caret().TableCell(shown));
    EXPECT_EQ(shown, next);
}
