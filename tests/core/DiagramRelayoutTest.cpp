// Diagrams drawn for Western fonts, as terminal-table libraries print them and
// as people draw them in documentation, opened onto the two-column grid: every
// text character kept in order, no joint lost, everything on the grid once
// saved, at most a quarter wider, and nothing changed by a second open and save.
#include "canvas/io/DiagramRelayout.h"
#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/Utf8Char.h"
#include "canvas/io/BoxDrawingMap.h"
#include "canvas/io/CharWidth.h"
#include "canvas/io/Cp932.h"
#include "canvas/io/DocumentText.h"
#include "canvas/io/LayoutReader.h"

#include "DocTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

// --- Diagrams from terminal-table libraries (their widths from East Asian
// Width, as such libraries compute them) ---

const char kConsoleTable[] = // a JavaScript console's table, as its manual shows it
    "┌─────────┬─────┬─────┐\n"
    "│ (index) │ a   │ b   │\n"
    "├─────────┼─────┼─────┤\n"
    "│ 0       │ 1   │ 'Y' │\n"
    "│ 1       │ 'Z' │ 2   │\n"
    "└─────────┴─────┴─────┘\n";

const char kRoundedCjkTable[] = "╭──────┬──────╮\n"
                                "│ 都市 │ 人口 │\n"
                                "├──────┼──────┤\n"
                                "│ 東京 │ 1396 │\n"
                                "│ 大阪 │  883 │\n"
                                "╰──────┴──────╯\n";

const char kHeavyHeaderTable[] = "┏━━━━━━┳━━━━━━┳━━━━━━━━━┓\n"
                                 "┃ 項目 ┃ 数量 ┃ 備考    ┃\n"
                                 "┡━━━━━━╇━━━━━━╇━━━━━━━━━┩\n"
                                 "│ ペン │    3 │ 赤 → 青 │\n"
                                 "│ ﾉｰﾄ  │   12 │ A4 ○    │\n"
                                 "└──────┴──────┴─────────┘\n";

const char kDoubleTable[] = "╔═══════╦═══════╗\n"
                            "║ Name  ║ Score ║\n"
                            "╠═══════╬═══════╣\n"
                            "║ Alice ║  92.5 ║\n"
                            "║ Bob   ║    88 ║\n"
                            "╚═══════╩═══════╝\n";

const char kAsciiGridTable[] = "+--------+-----+\n"
                               "| 名前   | 値  |\n"
                               "+========+=====+\n"
                               "| りんご | 120 |\n"
                               "| pear   | 7   |\n"
                               "+--------+-----+\n";

// --- Diagrams drawn by hand in documentation ---

// From a package manager's documentation of triggers (GPL-2+, a short excerpt).
const char kStateDiagram[] = "             │\n"
                             "             v\n"
                             "       ┌────────────┐\n"
                             "       │  unpacked  │\n"
                             "       └─────┬──────┘\n"
                             "             │\n"
                             "  (automatic)│      ┌───────────────┐\n"
                             "             │      │ config-failed │\n"
                             "             │      └─────┬─────────┘\n"
                             "             │            │   ^\n"
                             "             ├──────<─────┘   │\n"
                             "             │ (user request) │\n"
                             "             v                │\n"
                             "       ┌──────────────────────┴──┐\n"
                             "       │      installed          │\n"
                             "       └─────────────────────────┘\n";

// From a JavaScript runtime's manual of URLs (MIT, a short excerpt).
const char kUrlDiagram[] = "┌────────────────────────────────────────────────────────────────┐\n"
                           "│                              href                              │\n"
                           "├──────────┬──┬─────────────────────┬────────────────────────┬───┤\n"
                           "│ protocol │  │        auth         │          host          │   │\n"
                           "│          │  │                     ├─────────────────┬──────┤   │\n"
                           "│          │  │                     │    hostname     │ port │   │\n"
                           "\"  https:   //    user   :   pass   @ sub.example.com : 8080     \"\n"
                           "│          │  │          │          │    hostname     │ port │   │\n"
                           "├──────────┴──┼──────────┴──────────┼────────────────────────┤   │\n"
                           "│   origin    │                     │         origin         │   │\n"
                           "└─────────────┴─────────────────────┴────────────────────────┴───┘\n";

const char kFlowWithLabels[] = "利用者の流れ:\n"
                               "\n"
                               "  ┌────────┐     ┌──────────┐\n"
                               "  │ 入力 ① │────→│ 検証     │\n"
                               "  └───┬────┘     └────┬─────┘\n"
                               "      │ OK            │ NG\n"
                               "      ▼               ▼\n"
                               "  ┌────────┐     ┌──────────┐\n"
                               "  │ 保存   │←────┤ エラー   │\n"
                               "  └────────┘     └──────────┘\n"
                               "\n"
                               "図のあとの段落。\n";

const char kTree[] = "project/\n"
                     "├── src/\n"
                     "│   ├── main.cpp\n"
                     "│   └── 設定.h\n"
                     "└── README.md\n";

const char kAsciiArt[] = "  +-------+      +--------+\n"
                         "  | 入力  |----->| 処理 A |\n"
                         "  +---+---+      +--------+\n"
                         "      |\n"
                         "      v\n"
                         "  +-------+\n"
                         "  | 出力  |  1+1 and a-b stay text\n"
                         "  +-------+\n";

struct CChar {
    char32_t code;
    int column;
};

// The characters of each line with their columns in a Western font.
std::vector<std::vector<CChar>> WesternLines(const std::string& text) {
    std::vector<std::vector<CChar>> lines(1);
    int column = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    for (size_t i = 0; i < text.size();) {
        const Utf8Char ch = ReadUtf8(p + i, text.size() - i);
        i += ch.length;
        if (ch.code == '\n') {
            lines.emplace_back();
            column = 0;
            continue;
        }
        lines.back().push_back({ch.code, column});
        column += WesternColumns(ch.code);
    }
    if (lines.back().empty()) lines.pop_back();
    return lines;
}

bool IsBox(char32_t code, bool ascii) {
    return IsBoxDrawingCode(code) ||
           (ascii && std::string("+-=|").find(char(code)) != std::string::npos);
}

// A box-drawing character's arms (LF_ bits), from the nearest JIS glyph.
int Arms(char32_t code) {
    const CBoxDrawingCell cell = BoxDrawingCell(code);
    const int flags = cell.text ? LineFlagsForText(cell.text) : -1;
    return flags > 0 ? flags & LF_ARMS : 0;
}

// The text characters of each line, in order: what re-laying must keep.
std::vector<std::u32string> TextOf(const std::string& text, bool ascii) {
    std::vector<std::u32string> out;
    for (const auto& line : WesternLines(text)) {
        std::u32string chars;
        for (const CChar& c : line)
            if (c.code != ' ' && !IsBox(c.code, ascii)) chars += c.code;
        out.push_back(chars);
    }
    return out;
}

// Down arms over up arms in the same column, in the text.
int TextJoints(const std::string& text) {
    const auto lines = WesternLines(text);
    int joints = 0;
    for (size_t y = 0; y + 1 < lines.size(); ++y)
        for (const CChar& a : lines[y])
            for (const CChar& b : lines[y + 1])
                joints +=
                    a.column == b.column && (Arms(a.code) & LF_DOWN) && (Arms(b.code) & LF_UP);
    return joints;
}

// Pairs of vertical pieces in one line joined by a horizontal line, in the text
// and on the canvas.
int TextHorizontalJoins(const std::string& text) {
    int joins = 0;
    for (const auto& line : WesternLines(text)) {
        int last = -1; // index of the last vertical piece still joined to the right
        for (size_t i = 0; i < line.size(); ++i) {
            const int arms = Arms(line[i].code);
            const bool joined = i > 0 && (Arms(line[i - 1].code) & LF_RIGHT) && (arms & LF_LEFT);
            if (!joined) last = -1;
            if (arms & (LF_UP | LF_DOWN)) {
                joins += last >= 0;
                last = arms & LF_RIGHT ? int(i) : -1;
            }
        }
    }
    return joins;
}

int CanvasHorizontalJoins(const CRuvlenDoc& doc) {
    int joins = 0;
    for (int y = 0; y < doc.m_nLines; ++y) {
        bool open = false;
        for (int x = 0; x < doc.m_nColumns; ++x) {
            const CCell& c = doc.Cell(x, y);
            const int arms = c.m_bLine ? c.m_nLineFlags & LF_ARMS : 0;
            const CCell* left = x > 0 ? &doc.Cell(x - 1, y) : nullptr;
            if (!(left && left->m_bLine && (left->m_nLineFlags & LF_RIGHT) && (arms & LF_LEFT)))
                open = false;
            if (arms & (LF_UP | LF_DOWN)) {
                joins += open;
                open = arms & LF_RIGHT;
            }
        }
    }
    return joins;
}

int WidestLine(const std::string& text) {
    int widest = 0;
    for (const auto& line : WesternLines(text))
        if (!line.empty())
            widest = std::max(widest, line.back().column + WesternColumns(line.back().code));
    return widest;
}

std::unique_ptr<CRuvlenDoc> Open(const std::string& text, bool ascii) {
    auto doc = doc_test::SizedDoc(10, 10);
    CLayoutReadOptions options;
    options.asciiLines = ascii;
    LoadDocumentText(*doc, text, false, options);
    return doc;
}

// Everything "What must be true" asks of a real diagram.
void ExpectOpensOntoTheGrid(const char* name, const std::string& text, bool ascii) {
    SCOPED_TRACE(name);
    auto doc = Open(text, ascii);
    EXPECT_EQ(doc->m_textFormat.m_layout, ascii ? BoxLayout::Ascii : BoxLayout::Narrow);
    const std::string saved = DocumentText(*doc, doc->m_textFormat);
    EXPECT_EQ(TextOf(saved, ascii), TextOf(text, ascii)) << saved;
    if (!ascii) {
        EXPECT_GE(doc_test::CanvasJoints(*doc), TextJoints(text)) << saved;
        EXPECT_EQ(CanvasHorizontalJoins(*doc), TextHorizontalJoins(text)) << saved;
    }
    for (const CLayoutLine& line : ReadLayoutLines(saved, 0, true, ColumnModel::Western, 1000))
        EXPECT_TRUE(IsOnCellGrid(line)) << saved;
    EXPECT_LE(4 * WidestLine(saved), 5 * WidestLine(text)) << saved;
    auto again = Open(saved, ascii);
    EXPECT_FALSE(again->m_bLoadRelaid) << saved;
    EXPECT_EQ(DocumentText(*again, again->m_textFormat), saved);
}

} // namespace

TEST(RealDiagrams, TerminalTablesOpenOntoTheGrid) {
    ExpectOpensOntoTheGrid("console table", kConsoleTable, false);
    ExpectOpensOntoTheGrid("rounded CJK table", kRoundedCjkTable, false);
    ExpectOpensOntoTheGrid("heavy header table", kHeavyHeaderTable, false);
    ExpectOpensOntoTheGrid("double table", kDoubleTable, false);
    ExpectOpensOntoTheGrid("ASCII grid table", kAsciiGridTable, true);
}

TEST(RealDiagrams, HandDrawnDiagramsOpenOntoTheGrid) {
    ExpectOpensOntoTheGrid("state diagram", kStateDiagram, false);
    ExpectOpensOntoTheGrid("URL diagram", kUrlDiagram, false);
    ExpectOpensOntoTheGrid("flow with labels", kFlowWithLabels, false);
    ExpectOpensOntoTheGrid("tree", kTree, false);
    ExpectOpensOntoTheGrid("ASCII art", kAsciiArt, true);
}

TEST(RealDiagrams, ReLayingTellsHowMuchWiderAndLeavesParagraphsAlone) {
    auto doc = Open(kFlowWithLabels, false);
    EXPECT_TRUE(doc->m_bLoadRelaid);
    const std::string saved = DocumentText(*doc, doc->m_textFormat);
    std::istringstream before(kFlowWithLabels), after(saved);
    std::string a, b, first, last;
    std::getline(before, first);
    std::getline(after, b);
    EXPECT_EQ(b, first); // the paragraph before
    while (std::getline(after, b)) last = b;
    EXPECT_EQ(last, "図のあとの段落。");
    EXPECT_EQ(doc->m_nLoadAddedColumns,
              (WidestLine(saved) + 1) / 2 - (WidestLine(kFlowWithLabels) + 1) / 2);
    EXPECT_GT(doc->m_nLoadAddedColumns, 0);
    // A table already on the grid opens as it is.
    EXPECT_FALSE(Open(kConsoleTable, false)->m_bLoadRelaid);
}

TEST(RealDiagrams, ArrowheadsAndLabelsMoveWithTheirLines) {
    auto doc = Open(kStateDiagram, false);
    const std::string saved = DocumentText(*doc, doc->m_textFormat);
    const auto lines = WesternLines(saved);
    // Each v and ^ sits right under or over the end of a vertical line.
    for (size_t y = 0; y < lines.size(); ++y)
        for (const CChar& c : lines[y]) {
            if (c.code != 'v' && c.code != '^') continue;
            const size_t other = c.code == 'v' ? y - 1 : y + 1;
            const auto& line = lines[other];
            const bool joined = std::any_of(line.begin(), line.end(), [&](const CChar& o) {
                return o.column == c.column && (Arms(o.code) & (c.code == 'v' ? LF_DOWN : LF_UP));
            });
            EXPECT_TRUE(joined) << "line " << y + 1 << "\n" << saved;
        }
}

TEST(AsciiLines, OnlyJoiningCharactersBecomeLines) {
    auto doc = Open("a-b 1+1 C++ --verbose x = y\n+---+\n|   |\n+===+\n", true);
    std::string first;
    for (int x = 0; x < 16; ++x) first += doc_test::Text(doc->Cell(x, 0));
    EXPECT_EQ(first.substr(0, 30), "a-b 1+1 C++ --verbose x = y   ");
    for (int x = 0; x < 16; ++x) EXPECT_FALSE(doc->Cell(x, 0).m_bLine) << x;
    EXPECT_EQ(doc_test::Render(*doc, 0, 1, 2, 3), "┌─┐\n│.│\n┗━┛");
}

TEST(LayoutDetection, WideTextKeepsTodaysReadingAndNarrowTextIsRecognised) {
    // Drawn for Japanese fonts: full-width box characters in even columns.
    const std::string wide = "┌──┬──┐\n│品名│数量│\n└──┴──┘\n";
    EXPECT_FALSE(IsNarrowDrawing(wide, 0));
    EXPECT_FALSE(IsNarrowDrawing("━━━━━━━━\n見出し\n━━━━━━━━\n", 0));
    EXPECT_FALSE(IsNarrowDrawing("no drawing at all\n", 0));
    for (const char* narrow : {kConsoleTable, kRoundedCjkTable, kStateDiagram, kTree, kUrlDiagram})
        EXPECT_TRUE(IsNarrowDrawing(narrow, 0)) << narrow;
    EXPECT_FALSE(IsNarrowDrawing(kAsciiArt, 0));
    // The paste route reads what the file route reads.
    auto file = Open(kRoundedCjkTable, false);
    auto pasted = doc_test::SizedDoc(10, 10);
    pasted->ImportText(ClipboardCellBytes(kRoundedCjkTable).c_str());
    EXPECT_EQ(pasted->m_nBufferColumns, 9);
    EXPECT_EQ(doc_test::RenderBuffer(*pasted, 8, 5), doc_test::Render(*file, 0, 0, 8, 5));
}
