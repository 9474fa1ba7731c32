// The narrow and ASCII box-drawing layouts: random drawings written and read
// back, the narrow layout against a second spelling of its rules, the clipboard
// and Markdown forms, and the formats a canvas keeps.
#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/Utf8Char.h"
#include "canvas/io/CharWidth.h"
#include "canvas/io/Cp932.h"
#include "canvas/io/DocumentText.h"
#include "canvas/io/LayoutText.h"
#include "canvas/io/OutputFormat.h"

#include "DocTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

namespace {

std::string Sjis(const std::string& utf8) {
    return Utf8ToCp932(utf8, '?');
}

std::string Utf8(const std::string& sjis) {
    std::string utf8;
    Cp932ToUtf8(sjis, utf8);
    return utf8;
}

// Texts a drawing is labelled with: CJK, half-width kana, ASCII, and symbols
// that Western fonts show one column wide; each fills whole cells.
const char* const kLabels[] = {"品名", "ｶﾅ", "ab",   "→",       "○■",  "×①",
                               "α",    "Я",  "‘ab’", "東京ﾀﾜｰ", "xy→", "数量12"};

// Rectangles and lines of both weights, then labels. On the lattice every line
// runs along even columns and lines and labels keep a cell away from lines, so
// that ASCII, which cannot tell a line end pointing at a box from one that
// joins it, writes nothing ambiguous.
void DrawRandom(CRuvlenDoc& doc, std::mt19937& rng, bool lattice) {
    const auto pick = [&rng](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    const auto at = [&](int hi) { return lattice ? 2 * pick(0, hi / 2) : pick(0, hi); };
    for (int n = pick(1, 6); n > 0; --n) {
        const int thick = pick(0, 1), x1 = at(16), y1 = at(8);
        int x2 = at(16), y2 = at(8);
        if (lattice && x2 == x1) x2 = x1 + 2;
        if (lattice && y2 == y1) y2 = y1 + 2;
        switch (pick(0, 2)) {
        case 0:
            doc.DrawRectangle(nullptr, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2),
                              std::max(y1, y2), thick);
            break;
        case 1:
            doc.DrawHorizontalLine(nullptr, std::min(x1, x2), y1, std::max(x1, x2), y1, thick);
            break;
        default:
            doc.DrawVerticalLine(nullptr, x1, std::min(y1, y2), x1, std::max(y1, y2), thick);
        }
    }
    for (int n = pick(0, 4); n > 0; --n) {
        const std::string label = Sjis(kLabels[pick(0, int(std::size(kLabels)) - 1)]);
        const int x = pick(0, 14), y = lattice ? 2 * pick(0, 4) + 1 : pick(0, 9);
        bool clear = true;
        for (int cx = x - 1; lattice && cx <= x + 4; ++cx)
            for (int cy = y - 1; cy <= y + 1; ++cy)
                if (cx >= 0 && doc.Cell(cx, cy).m_bLine) clear = false;
        if (clear) doc.PutTextHorizontal(nullptr, x, y, x + 3, y, label.c_str());
    }
}

// The narrow layout spelled out on the characters themselves, beside
// AppendLayoutCells, which asks a table of the Shift-JIS repertoire: a line cell
// is its character and the line of its right arm or a space; a text cell is
// its text, and a space after a character that Western fonts show narrow.
std::string NarrowByTheRules(const CRuvlenDoc& doc) {
    std::string out;
    for (int y = 0; y < doc.m_nLines; ++y) {
        std::string line;
        for (int x = 0; x < doc.m_nColumns; ++x) {
            const CCell& cell = doc.Cell(x, y);
            const std::string text = Utf8(std::string(cell.m_szText, 2));
            line += text;
            if (cell.m_bLine) {
                const int f = cell.m_nLineFlags;
                line += !(f & LF_RIGHT) ? " " : f & LF_HTHICK ? "━" : "─";
                continue;
            }
            const auto* p = reinterpret_cast<const unsigned char*>(text.data());
            const Utf8Char ch = ReadUtf8(p, text.size());
            if (ch.length == text.size() && ch.code >= 0x80 && WesternColumns(ch.code) == 1)
                line += ' ';
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out += line + "\n";
    }
    return out;
}

const CTextFormat kNarrow{TextEncoding::Utf8, LineEnding::Lf, BoxLayout::Narrow};
const CTextFormat kAscii{TextEncoding::Utf8, LineEnding::Lf, BoxLayout::Ascii};

std::unique_ptr<CRuvlenDoc> Read(const std::string& bytes, LayoutChoice layout, bool ascii) {
    auto doc = doc_test::SizedDoc(20, 10);
    CLayoutReadOptions options;
    options.layout = layout;
    options.asciiLines = ascii;
    LoadDocumentText(*doc, bytes, false, options);
    return doc;
}

} // namespace

TEST(NarrowLayout, RandomDrawingsMatchTheRulesAndReadBackToTheSameCells) {
    std::mt19937 rng(29);
    int broken = 0;
    for (int round = 0; round < 300; ++round) {
        auto doc = doc_test::SizedDoc(20, 10);
        DrawRandom(*doc, rng, false);
        const std::string bytes = DocumentText(*doc, kNarrow);
        ASSERT_EQ(bytes, NarrowByTheRules(*doc)) << round;
        auto read = Read(bytes, LayoutChoice::Narrow, false);
        EXPECT_EQ(doc_test::Render(*read, 0, 0, 19, 9), doc_test::Render(*doc, 0, 0, 19, 9))
            << round << "\n"
            << bytes;
        EXPECT_FALSE(read->m_bLoadRelaid) << round << "\n" << bytes;
        EXPECT_FALSE(read->m_loadReplacements.Any()) << round;
        EXPECT_FALSE(read->m_loadRoundTrip.Any()) << round;
        EXPECT_EQ(read->m_textFormat, kNarrow);
        // Whenever the wide reading would pull vertical lines apart, the text is
        // recognised as narrow without being told.
        if (doc_test::CanvasJoints(*Read(bytes, LayoutChoice::Wide, false)) <
            doc_test::CanvasJoints(*doc)) {
            ++broken;
            EXPECT_EQ(Read(bytes, LayoutChoice::Detect, false)->m_textFormat.m_layout,
                      BoxLayout::Narrow)
                << round << "\n"
                << bytes;
        }
        // And the same drawing in the wide layout keeps being read wide.
        CTextFormat wide = kNarrow;
        wide.m_layout = BoxLayout::Wide;
        auto again = Read(DocumentText(*doc, wide), LayoutChoice::Detect, false);
        EXPECT_EQ(again->m_textFormat.m_layout, BoxLayout::Wide) << round << "\n" << bytes;
        EXPECT_EQ(doc_test::Render(*again, 0, 0, 19, 9), doc_test::Render(*doc, 0, 0, 19, 9));
    }
    EXPECT_GT(broken, 50);
}

// Whether ASCII can spell the drawing: every corner and junction meets a line on
// each of its arms, with one weight on both sides of a horizontal joint. A + has
// no way to show an arm that leads nowhere (a line ending on another line), nor
// a weight of its own.
bool AsciiCanSpell(const CRuvlenDoc& doc) {
    const int dx[4] = {1, 0, -1, 0}, dy[4] = {0, 1, 0, -1};
    const int arm[4] = {LF_RIGHT, LF_DOWN, LF_LEFT, LF_UP};
    for (int y = 0; y < doc.m_nLines; ++y)
        for (int x = 0; x < doc.m_nColumns; ++x) {
            const CCell& c = doc.Cell(x, y);
            const int arms = c.m_nLineFlags & LF_ARMS;
            if (!c.m_bLine || arms == (LF_RIGHT | LF_LEFT) || arms == (LF_UP | LF_DOWN)) continue;
            for (int i = 0; i < 4; ++i) {
                if (!(arms & arm[i])) continue;
                const int nx = x + dx[i], ny = y + dy[i];
                if (nx < 0 || ny < 0 || nx >= doc.m_nColumns || ny >= doc.m_nLines) return false;
                const CCell& n = doc.Cell(nx, ny);
                if (!n.m_bLine || !(n.m_nLineFlags & arm[(i + 2) % 4])) return false;
                if (dy[i] == 0 && ((n.m_nLineFlags ^ c.m_nLineFlags) & LF_HTHICK)) return false;
            }
        }
    return true;
}

TEST(AsciiLayout, RandomDrawingsReadBackWithTheirArmsAndHorizontalWeights) {
    std::mt19937 rng(2929);
    int drawings = 0;
    for (int round = 0; round < 600; ++round) {
        auto doc = doc_test::SizedDoc(20, 10);
        DrawRandom(*doc, rng, true);
        if (!AsciiCanSpell(*doc)) continue;
        ++drawings;
        const std::string bytes = DocumentText(*doc, kAscii);
        auto read = Read(bytes, LayoutChoice::Narrow, true);
        EXPECT_FALSE(read->m_bLoadRelaid) << round << "\n" << bytes;
        EXPECT_EQ(read->m_textFormat.m_layout, BoxLayout::Ascii);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x) {
                const CCell &a = doc->Cell(x, y), &b = read->Cell(x, y);
                ASSERT_EQ(a.m_bLine, b.m_bLine) << round << " at " << x << "," << y << "\n"
                                                << bytes;
                if (a.m_bLine)
                    ASSERT_EQ(a.m_nLineFlags & (LF_ARMS | LF_HTHICK),
                              b.m_nLineFlags & (LF_ARMS | LF_HTHICK))
                        << round << " at " << x << "," << y << "\n"
                        << bytes;
                else
                    ASSERT_EQ(doc_test::Text(a), doc_test::Text(b)) << round;
            }
        // Written again, the drawing gives the same bytes.
        EXPECT_EQ(DocumentText(*read, read->m_textFormat), bytes) << round;
    }
    EXPECT_GT(drawings, 150);
}

namespace {

// The first lines of a format's text, as UTF-8.
std::string Head(const CRuvlenDoc& doc, const CTextFormat& format, int lines) {
    std::string text = DocumentText(doc, format);
    if (format.m_encoding == TextEncoding::ShiftJis) text = Utf8(text);
    size_t end = 0;
    for (int i = 0; i < lines; ++i) end = text.find('\n', end) + 1;
    return text.substr(0, end);
}

} // namespace

TEST(BoxLayouts, EachCellIsTwoColumnsInEveryLayout) {
    auto doc = doc_test::SizedDoc(10, 10);
    doc_test::PutRows(*doc, 0, 0, {"┌─┐", "│.│", "└━┘"});
    doc->Cell(1, 1).SetText(Sjis("→").c_str());
    doc->Cell(3, 1).SetText(Sjis("品").c_str());
    doc->Cell(4, 1).SetText("ab");
    EXPECT_EQ(Head(*doc, kNarrow, 3), "┌───┐\n│ → │ 品ab\n└─━━┘\n");
    EXPECT_EQ(Head(*doc, kAscii, 3), "+---+\n| → | 品ab\n+-==+\n");
    // In Shift-JIS, text cells keep the widths Japanese fonts give them.
    CTextFormat sjisAscii = kAscii;
    sjisAscii.m_encoding = TextEncoding::ShiftJis;
    EXPECT_EQ(Head(*doc, sjisAscii, 2), "+---+\n| →| 品ab\n");
    // Narrow box drawing is UTF-8 even when Shift-JIS is asked for.
    CTextFormat sjisNarrow = kNarrow;
    sjisNarrow.m_encoding = TextEncoding::ShiftJis;
    EXPECT_EQ(DocumentText(*doc, sjisNarrow), DocumentText(*doc, kNarrow));
    EXPECT_EQ(WrittenFormat(sjisNarrow), kNarrow);
}

TEST(BoxLayouts, CopyInALayoutLeavesThePlainCopyAsItWas) {
    auto doc = doc_test::SizedDoc(10, 10);
    doc->DrawRectangle(nullptr, 1, 1, 3, 2, 1);
    doc->Cell(2, 1).SetText(Sjis("○").c_str());
    doc->Select(nullptr, 1, 1, 4, 2);
    EXPECT_EQ(doc->CopyToClipboard(), Sjis("┏○┓") + "  \r\n" + Sjis("┗━┛") + "  \r\n" + '\0');
    EXPECT_EQ(Utf8(CopySelectionInLayout(*doc, BoxLayout::Narrow)),
              std::string("┏━○ ┓\r\n┗━━━┛\r\n") + '\0');
    EXPECT_EQ(CopySelectionInLayout(*doc, BoxLayout::Narrow).back(), '\0');
    EXPECT_EQ(Utf8(CopySelectionInLayout(*doc, BoxLayout::Ascii)),
              std::string("+=○ +\r\n+===+\r\n") + '\0');
    doc->Deselect(nullptr);
    EXPECT_EQ(CopySelectionInLayout(*doc, BoxLayout::Narrow), std::string(1, '\0'));
}

TEST(BoxLayouts, MarkdownIsAFencedNarrowBlockOfTheArea) {
    auto doc = doc_test::SizedDoc(10, 10);
    doc->DrawRectangle(nullptr, 2, 1, 4, 3, 0);
    doc->Cell(3, 2).SetText(Sjis("名").c_str());
    EXPECT_EQ(MarkdownText(*doc, {2, 1, 4, 3}), "```text\n┌───┐\n│ 名│\n└───┘\n```\n");
    EXPECT_EQ(MarkdownText(*doc, {0, 0, 1, 0}), "```text\n\n```\n");
}

TEST(OutputFormats, OneRowPerFormatFoundByNameAndSuffix) {
    std::set<std::string> names;
    for (const COutputFormat& row : OutputFormats()) {
        EXPECT_TRUE(names.insert(row.name).second) << row.name;
        EXPECT_NE(std::string(row.filter).find(std::string("*.") + row.suffix), std::string::npos)
            << row.name;
        EXPECT_EQ(FindOutputFormat(row.name), &row);
        // The first row with a suffix is what a file name ending in it means.
        const COutputFormat* bySuffix = OutputFormatForPath(std::string("a/b.") + row.suffix);
        ASSERT_NE(bySuffix, nullptr);
        EXPECT_STREQ(bySuffix->suffix, row.suffix);
        // Only the pictures the window system paints wait for their writer.
        const bool windowed = std::string(row.name) == "png" || std::string(row.name) == "pdf";
        if (!windowed) {
            EXPECT_NE(row.writer, nullptr) << row.name;
        }
    }
    EXPECT_STREQ(OutputFormatForPath("X.SVG")->name, "svg");
    EXPECT_STREQ(OutputFormatForPath("notes.txt")->name, "txt");
    EXPECT_EQ(OutputFormatForPath("picture.gif"), nullptr);
    EXPECT_EQ(OutputFormatForPath("svg"), nullptr);
}
