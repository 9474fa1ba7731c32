// Tables laid out into cells: the lines form one joined structure, every text
// line is as wide as the table, the fields can be read back from the cells
// alone, and the paste waits like any paste. The command line gives the same
// table as the core.
#include "DocTestSupport.h"
#include "FakeViewPort.h"

#include "canvas/ByteClass.h"
#include "canvas/LineFlags.h"
#include "canvas/TableLayout.h"
#include "canvas/io/Cp932.h"
#include "canvas/io/TableText.h"

#include <cstdio>
#include <random>

namespace {

using Rows = std::vector<std::vector<std::string>>;

struct Grid {
    int w = 0, h = 0;
    std::vector<CCell> cells;
    const CCell& At(int x, int y) const { return cells[x + w * y]; }
};

Grid Lay(const Rows& rows, const CTableOptions& options) {
    const CTableLayout table(rows, options);
    Grid g{table.Width(), table.Height(), {}};
    g.cells.resize(size_t(g.w) * g.h);
    table.Render(g.cells.data(), g.w);
    return g;
}

std::string Utf8Line(const Grid& g, int y) {
    std::string sjis;
    for (int x = 0; x < g.w; ++x) sjis += std::string(g.At(x, y).m_szText, 2);
    std::string utf8;
    Cp932ToUtf8(sjis, utf8);
    return utf8;
}

// Random fields of Latin letters, kana, numbers (half- and full-width, with
// grouping and decimals), several lines, or nothing.
std::string RandomField(std::mt19937& rng) {
    static const std::vector<std::string> pieces = {
        "A", "bc", "x-9", "\x83\x65",         "\x95\x69\x96\xBC",
        "1", "42", "7",   "\x82\x50\x82\x51", "\x83\x41"};
    switch (rng() % 6) {
    case 0:
        return std::string();
    case 1:
        return std::to_string(rng() % 100000) + (rng() % 2 ? ".5" : "");
    case 2:
        return "-1,234,567";
    default:
        break;
    }
    std::string field;
    const int n = 1 + int(rng() % 4);
    for (int i = 0; i < n; ++i) {
        field += pieces[rng() % pieces.size()];
        if (rng() % 5 == 0 && i + 1 < n) field += '\n';
    }
    return field;
}

Rows RandomRows(unsigned seed) {
    std::mt19937 rng(seed);
    const int columns = 1 + int(rng() % 5), rows = 1 + int(rng() % 5);
    Rows data(rows, std::vector<std::string>(columns));
    for (auto& row : data)
        for (auto& field : row) field = RandomField(rng);
    return data;
}

// The text of cells [x0, x1) of line y, blanks at both ends removed.
std::string Trimmed(const Grid& g, int x0, int x1, int y) {
    std::string s;
    for (int x = x0; x < x1; ++x) s += std::string(g.At(x, y).m_szText, 2);
    const size_t a = s.find_first_not_of(' ');
    return a == std::string::npos ? std::string() : s.substr(a, s.find_last_not_of(' ') - a + 1);
}

// Drops half-width blanks: those put beside a full-width character that would
// have straddled two cells (the random fields hold no blanks of their own).
std::string WithoutPads(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    return s;
}

// Reads the fields back from the cells alone: columns are where the first text
// line has a vertical rule, rows where the first text column has a rule.
Rows ReadBack(const Grid& g) {
    std::vector<int> xs, ys;
    for (int x = 0; x < g.w; ++x)
        if (g.At(x, 1).m_bLine) xs.push_back(x);
    for (int y = 0; y < g.h; ++y)
        if (g.At(1, y).m_bLine) ys.push_back(y);
    Rows rows;
    for (size_t r = 0; r + 1 < ys.size(); ++r) {
        rows.emplace_back();
        for (size_t c = 0; c + 1 < xs.size(); ++c) {
            std::string field;
            for (int y = ys[r] + 1; y < ys[r + 1]; ++y)
                field += (y > ys[r] + 1 ? "\n" : "") + Trimmed(g, xs[c] + 1, xs[c + 1], y);
            while (!field.empty() && field.back() == '\n') field.pop_back();
            rows.back().push_back(WithoutPads(field));
        }
    }
    return rows;
}

TEST(TableLayout, JunctionsOfFrameHeaderAndInnerLines) {
    const Rows rows = {{"ab", "c"}, {"1", "d"}, {"e", "f"}};
    CTableOptions options;
    options.m_bHeader = 1;
    const Grid g = Lay(rows, options);
    std::vector<std::string> lines;
    for (int y = 0; y < g.h; ++y) lines.push_back(Utf8Line(g, y));
    EXPECT_EQ(lines, (std::vector<std::string>{"┏━━┯━━┓", "┃ ab │ c  ┃", "┣━━┿━━┫", "┃  1 │ d  ┃",
                                               "┠──┼──┨", "┃ e  │ f  ┃", "┗━━┷━━┛"}));
    // Thin frame, thick inner lines, separators only under the header.
    options = CTableOptions{0, 1, 1, 1};
    const Grid t = Lay(rows, options);
    EXPECT_EQ(Utf8Line(t, 0), "┌──┰──┐");
    EXPECT_EQ(Utf8Line(t, 2), "├──╂──┤");
    EXPECT_EQ(Utf8Line(t, 4), "│ e  ┃ f  │");
    EXPECT_EQ(t.h, 6);
}

TEST(TableLayout, FullWidthTextNeverStraddlesAndNumbersAlignRight) {
    // a then 漢: a half-width blank keeps 漢 on a whole cell.
    const Rows rows = {{"a\x8a\xbf", "\x82\x50\x82\x52", "12.5%"}, {"x", "-3", "\x8a\xbf"}};
    const Grid g = Lay(rows, CTableOptions());
    EXPECT_EQ(Utf8Line(g, 1), "┃ a漢  │  １３  │  12.5% ┃");
    EXPECT_EQ(Utf8Line(g, 3), "┃ x    │     -3 │  漢    ┃");
}

TEST(TableLayout, NumbersAreRecognised) {
    for (const char* s : {"0", "-12", "+3.25", "1,234", "12,345,678.9", "50%", ".5",
                          "\x81\x7C\x82\x50\x81\x43\x82\x51\x82\x52\x82\x53\x81\x93"})
        EXPECT_TRUE(CTableLayout::IsNumber(s)) << s;
    for (const char* s :
         {"", "-", "1,23", "12,3456", "1.", "1.2.3", "A1", "1-2", "3\n4", "1 000", "%"})
        EXPECT_FALSE(CTableLayout::IsNumber(s)) << s;
}

// For many random tables and every option: the lines join (each arm has the
// facing arm of the same weight next to it, none leaves the table, every line
// cell has its glyph), each line is a whole table wide with a vertical rule at
// both ends, no cell holds half a character, and the fields read back.
TEST(TableLayout, RandomTablesAreJoinedAndReadBack) {
    for (unsigned seed = 1; seed <= 200; ++seed) {
        const Rows rows = RandomRows(seed);
        const CTableOptions options{int(seed % 2), int(seed / 2 % 2), int(seed / 4 % 2),
                                    int(seed / 8 % 2)};
        const Grid g = Lay(rows, options);
        SCOPED_TRACE("seed " + std::to_string(seed));
        for (int y = 0; y < g.h; ++y) {
            ASSERT_TRUE(g.At(0, y).m_bLine && g.At(g.w - 1, y).m_bLine);
            for (int x = 0; x < g.w; ++x) {
                const CCell& c = g.At(x, y);
                const unsigned char b0 = c.m_szText[0], b1 = c.m_szText[1];
                ASSERT_TRUE((IsSingleByteChar(b0) && IsSingleByteChar(b1)) ||
                            (IsLeadByte(b0) && IsTrailByte(b1)));
                ASSERT_TRUE(c.m_bUsed);
                if (!c.m_bLine) continue;
                ASSERT_NE(LineGlyphFor(c.m_nLineFlags), nullptr);
                const int f = c.m_nLineFlags;
                const auto arm = [&g](int x2, int y2, int bit) {
                    return x2 >= 0 && y2 >= 0 && x2 < g.w && y2 < g.h && g.At(x2, y2).m_bLine
                               ? g.At(x2, y2).m_nLineFlags & (bit | LF_HTHICK | LF_VTHICK)
                               : -1;
                };
                if (f & LF_RIGHT) {
                    EXPECT_EQ(arm(x + 1, y, LF_LEFT) & ~LF_VTHICK, LF_LEFT | (f & LF_HTHICK));
                }
                if (f & LF_LEFT) {
                    EXPECT_EQ(arm(x - 1, y, LF_RIGHT) & ~LF_VTHICK, LF_RIGHT | (f & LF_HTHICK));
                }
                if (f & LF_DOWN) {
                    EXPECT_EQ(arm(x, y + 1, LF_UP) & ~LF_HTHICK, LF_UP | (f & LF_VTHICK));
                }
                if (f & LF_UP) {
                    EXPECT_EQ(arm(x, y - 1, LF_DOWN) & ~LF_HTHICK, LF_DOWN | (f & LF_VTHICK));
                }
            }
        }
        if (!options.m_bCompact) {
            EXPECT_EQ(ReadBack(g), rows);
        }
    }
}

// Half a cell of blank at least between the text and the lines, and a column
// one cell narrower would leave no room for that in some line.
TEST(TableLayout, MarginsAreHalfACellAndNoMore) {
    for (unsigned seed = 300; seed < 400; ++seed) {
        const Rows rows = RandomRows(seed);
        const CTableLayout table(rows, CTableOptions());
        const Grid g = Lay(rows, CTableOptions());
        for (size_t c = 0; c < table.m_columnWidth.size(); ++c) {
            const int x0 = table.m_columnLeft[c], halves = 2 * table.m_columnWidth[c];
            int tightest = halves;
            for (int y = 1; y + 1 < g.h; ++y) {
                std::string s;
                for (int x = x0; x < x0 + table.m_columnWidth[c]; ++x)
                    s += std::string(g.At(x, y).m_szText, 2);
                if (g.At(x0, y).m_bLine || s.find_first_not_of(' ') == std::string::npos) continue;
                const int lead = int(s.find_first_not_of(' '));
                const int trail = halves - 1 - int(s.find_last_not_of(' '));
                EXPECT_GE(lead, 1) << "seed " << seed;
                EXPECT_GE(trail, 1) << "seed " << seed;
                tightest = std::min(tightest, lead + trail);
            }
            // A pad before a full-width character may add one half on either side.
            if (tightest < halves) {
                EXPECT_LE(tightest, 4) << "seed " << seed << " column " << c;
            }
        }
    }
}

TEST(TableLayout, TooLargeIsRefusedAndChangesNothing) {
    auto doc = doc_test::SizedDoc(12, 10);
    doc->BufferCell(0, 0).SetText("zz");
    doc->m_nBufferColumns = doc->m_nBufferLines = 1;
    const Rows rows = {{"abcdefghijklmnopqrst"}};
    const CTableLayout table(rows, CTableOptions());
    CTableProblem problem;
    EXPECT_FALSE(PutTableInBuffer(*doc, table, problem));
    EXPECT_EQ(problem.m_kind, TableProblem::TooLarge);
    EXPECT_EQ(problem.m_nNeedColumns, 13); // 1 + (1 + 20 + 1) / 2 + 1
    EXPECT_EQ(problem.m_nNeedLines, 3);
    EXPECT_FALSE(PutTableInBuffer(
        *doc, CTableLayout(Rows{{"a"}, {"b"}, {"c"}, {"d"}, {"e"}}, CTableOptions()), problem));
    EXPECT_EQ(problem.m_nNeedLines, 11);
    EXPECT_NE(TableProblemMessage(problem).find("11 行"), std::string::npos);
    EXPECT_EQ(doc_test::Text(doc->BufferCell(0, 0)), "zz");
    EXPECT_EQ(doc->m_nBufferColumns, 1);
}

TEST(TablePaste, WaitsForAClickAndEscDropsIt) {
    tool_test::Canvas cv;
    CTableData data;
    CTableProblem problem;
    ASSERT_TRUE(ReadTableUtf8("a,b\n", data, problem));
    cv.Put(6, 5, "qq");
    ASSERT_TRUE(cv.ctl.PasteTable(data, CTableOptions(), ID_EDIT_PASTE, problem));
    EXPECT_EQ(cv.doc->m_nToolMode, ID_EDIT_PASTE);
    EXPECT_FALSE(cv.ctl.CanPasteTable()); // one waiting paste at a time
    EXPECT_FALSE(cv.ctl.PasteTable(data, CTableOptions(), ID_EDIT_PASTE, problem));
    EXPECT_TRUE(cv.ctl.CancelGesture());
    EXPECT_EQ(doc_test::Text(cv.doc->Cell(6, 5)), "qq");
    EXPECT_EQ(cv.doc->m_nToolState, 0);
    // Transparent: the table's blanks let the canvas show through.
    ASSERT_TRUE(cv.ctl.PasteTable(data, CTableOptions(), ID_EDIT_TRANSPARENT_PASTE, problem));
    cv.Click(4, 4);
    const auto text = [&cv](int x, int y) { return doc_test::Text(cv.doc->Cell(x, y)); };
    EXPECT_EQ(text(4, 4), "\x84\xAC"); // ┏
    EXPECT_EQ(text(5, 5), " a");
    EXPECT_EQ(text(6, 5), "qq");
}

// A table pasted transparently joins a line already on the canvas exactly as
// that line joins the table when it is drawn after a plain paste; a clipboard
// paste keeps replacing lines as documented.
TEST(TablePaste, TransparentTableJoinsLinesAsDrawingDoes) {
    CTableData data;
    CTableProblem problem;
    ASSERT_TRUE(ReadTableUtf8("a,b\nc,d\n", data, problem));
    // A line of the inner lines' weight, so that neither route has a weight to choose.
    for (int thick : {0, 1}) {
        CTableOptions options;
        options.m_bThickInner = thick;
        const CTableLayout layout(data.m_rows, options);
        auto pasted = doc_test::SizedDoc(40, 20), drawn = doc_test::SizedDoc(40, 20);
        ASSERT_TRUE(PutTableInBuffer(*drawn, layout, problem));
        int divider = 1;
        while (divider < layout.Width() && !(drawn->BufferCell(divider, 0).m_nLineFlags & LF_DOWN))
            ++divider;
        ASSERT_LT(divider, layout.Width() - 1);
        pasted->DrawVerticalLine(nullptr, 2 + divider, 0, 2 + divider, 15, thick);
        ASSERT_TRUE(PutTableInBuffer(*pasted, layout, problem));
        pasted->PasteTransparent(nullptr, 2, 2, 1 + layout.Width(), 1 + layout.Height());
        drawn->Paste(nullptr, 2, 2, 1 + layout.Width(), 1 + layout.Height());
        drawn->DrawVerticalLine(nullptr, 2 + divider, 0, 2 + divider, 15, thick);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x)
                EXPECT_EQ(doc_test::Text(pasted->Cell(x, y)), doc_test::Text(drawn->Cell(x, y)))
                    << x << "," << y << " thick " << thick;
    }
    // Text from the clipboard pasted transparently still replaces line cells.
    auto plain = doc_test::SizedDoc(20, 10);
    plain->DrawVerticalLine(nullptr, 3, 0, 3, 9, 0);
    plain->ImportText("\x84\x9F\r\n"); // ─
    EXPECT_FALSE(plain->m_bBufferMergesLines);
    plain->PasteTransparent(nullptr, 3, 4, 3, 4);
    EXPECT_EQ(doc_test::Text(plain->Cell(3, 4)), "\x84\x9F");
}

// The command line's table word against the core's layout of the same data.
TEST(TablePaste, CommandLineGivesTheCoreTable) {
    const std::string csv = "品番,価格\nAB-1,\"1,200\"\n長い名前,-5%\n";
    CTableData data;
    CTableProblem problem;
    ASSERT_TRUE(ReadTableUtf8(csv, data, problem));
    const Grid g = Lay(data.m_rows, CTableOptions{0, 0, 1, 0});
    std::string expected;
    for (int y = 0; y < g.h; ++y) expected += Utf8Line(g, y) + "\n";

    std::string quoted;
    for (char c : csv)
        quoted += c == '\n'  ? std::string("\\n")
                  : c == '"' ? std::string("\\\"")
                             : std::string(1, c);
    const std::string script =
        "new 30 12\nclipboard \"" + quoted + "\"\ntable - thin header\nclick 0 0\nshow\n";
    const std::string path = testing::TempDir() + "table_route.tvk";
    FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_TRUE(f);
    std::fputs(script.c_str(), f);
    std::fclose(f);
    FILE* p = popen((std::string(TAVIK_CLI_PATH) + " " + path).c_str(), "r");
    ASSERT_TRUE(p);
    std::string out;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    ASSERT_EQ(pclose(p), 0) << out;
    // The table sits at the top left; show prints the canvas's lines.
    std::string shown;
    for (size_t start = 0, y = 0; y < size_t(g.h); ++y) {
        const size_t end = out.find('\n', start);
        ASSERT_NE(end, std::string::npos);
        shown += out.substr(start, end - start) + "\n";
        start = end + 1;
    }
    EXPECT_EQ(shown, expected);
}

} // namespace
