// Opening and saving with no edits gives back the bytes read, or the open tells
// where and how a save would change them. Saving a canvas read from a file
// writes that file's own lines; a few stray bytes keep a UTF-8 file UTF-8.
#include "canvas/io/RoundTrip.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/Cp932.h"
#include "canvas/io/DocumentText.h"

#include "DocTestSupport.h"

#include <gtest/gtest.h>

#include <iconv.h>
#include <memory>
#include <random>
#include <string>

namespace {

std::unique_ptr<CRuvlenDoc> Load(const std::string& bytes) {
    auto doc = doc_test::SizedDoc(40, 30);
    LoadDocumentText(*doc, bytes);
    return doc;
}

// What a save right after opening writes.
std::string Resaved(const CRuvlenDoc& doc) {
    return DocumentText(doc, doc.m_textFormat);
}

struct Expected {
    const char* name;
    std::string bytes;
    RoundTripKind kind;
    int line, column;
};

} // namespace

// Every file either comes back byte for byte or names the first change: never
// a silent difference, never a warning for a file that comes back the same.
TEST(RoundTrip, EveryChangeIsNamedWithItsKindAndPlace) {
    const Expected cases[] = {
        {"odd run before full-width",
         "# \x8C\xA9\x8F\x6F\x82\xB5"
         "a\x95\x5C\r\n",
         RoundTripKind::AlignmentSpace, 1, 5},
        {"trailing spaces", "ab\r\ncd  \r\n", RoundTripKind::TrailingSpaces, 2, 2},
        {"tab", "ab\r\n\tcd\r\n", RoundTripKind::Tab, 2, 1},
        {"mixed line ends", "ab\r\ncd\nef\r\n", RoundTripKind::LineEnd, 2, 2},
        {"stray Shift-JIS byte",
         "ab\xFF"
         "cd\r\n",
         RoundTripKind::StrayBytes, 1, 2},
        {"stray UTF-8 byte", "\xE2\x94\x8C\xE2\x94\x80\xE2\x94\x90\xE8\xA1\xA8\nx\xFF\n",
         RoundTripKind::StrayBytes, 2, 1},
        {"stray lead byte before LF", "ab\x81\nxy\n", RoundTripKind::StrayBytes, 1, 2},
        {"stray lead byte before CR LF", "ab\x81\r\nxy\r\n", RoundTripKind::StrayBytes, 1, 2},
        {"box character outside JIS", "\xE2\x95\x94\xE2\x95\x90\n", RoundTripKind::Character, 1, 1},
        {"utf-8 trailing spaces", "\xE8\xA1\xA8  \n", RoundTripKind::TrailingSpaces, 1, 2},
    };
    for (const Expected& c : cases) {
        auto doc = Load(c.bytes);
        const CRoundTripChange& r = doc->m_loadRoundTrip;
        EXPECT_EQ(r.m_kind, c.kind) << c.name;
        EXPECT_EQ(r.m_nLine, c.line) << c.name;
        EXPECT_EQ(r.m_nColumn, c.column) << c.name;
        EXPECT_NE(Resaved(*doc), c.bytes) << c.name;
        EXPECT_FALSE(DescribeRoundTripChange(r).empty()) << c.name;
    }
    // The cells stay as read: the inserted space is only in what a save writes.
    auto doc = Load(cases[0].bytes);
    EXPECT_EQ(std::string(doc->Cell(4, 0).m_szText), "a ");
}

// Files this program writes, short notes, files without a final line end, LF
// files and UTF-8 files read and write back the same, with no warning.
TEST(RoundTrip, FilesThatFitComeBackByteForByte) {
    const std::string files[] = {
        "",
        "note\n\n- one\n- two\n",
        "no final line end",
        "two lines\r\nand no end",
        "\x82\xA0\x82\xA2\r\n\r\n\r\n",
        "\xEF\xBB\xBF\xE2\x94\x8C\xE2\x94\x80\xE2\x94\x90\n",
        "\xE2\x94\x83\xE8\xA1\xA8\xE3\x80\x80\n",
        std::string(99, '\n'),
    };
    for (const std::string& file : files) {
        auto doc = Load(file);
        EXPECT_FALSE(doc->m_loadRoundTrip.Any()) << testing::PrintToString(file);
        EXPECT_EQ(Resaved(*doc), file);
    }
}

// Random files of mixed lines: whenever a save would differ, the open says so.
TEST(RoundTrip, RandomFilesNeverChangeSilently) {
    const char* pieces[] = {
        "a",        "b ",       " ",    "\t",   "\r\n",   "\n",           "\r",
        "\x82\xA0", "\x84\xA5", "\xFF", "\x81", "  \r\n", "\xE8\xA1\xA8", "\xE2\x94\x80"};
    std::mt19937 random(15);
    for (int round = 0; round < 2000; ++round) {
        std::string file;
        const int count = int(random() % 30);
        for (int i = 0; i < count; ++i) file += pieces[random() % std::size(pieces)];
        auto doc = Load(file);
        const bool same = Resaved(*doc) == file;
        EXPECT_EQ(same, !doc->m_loadRoundTrip.Any()) << testing::PrintToString(file);
    }
}

TEST(SavedLines, ShortFileKeepsItsLineCountAndANewCanvasWritesEveryLine) {
    auto doc = Load("a\r\nb\r\n");
    EXPECT_EQ(SavedLineCount(*doc), 2);
    EXPECT_EQ(doc->m_nLines, 30);
    // Drawing further down writes up to the last non-blank line, no further.
    doc->Cell(3, 5).SetText("xy");
    EXPECT_EQ(Resaved(*doc), "a\r\nb\r\n\r\n\r\n\r\n      xy\r\n");
    // A file without a final line end keeps it that way.
    auto open = Load("a\r\nb");
    open->Cell(0, 3).SetText("c ");
    EXPECT_EQ(Resaved(*open), "a\r\nb\r\n\r\nc");
    // Shrinking the canvas writes no line outside it.
    open->m_nLines = 2;
    EXPECT_EQ(Resaved(*open), "a\r\nb");
    // A canvas never read from a file keeps one line per canvas line.
    auto fresh = doc_test::SizedDoc(10, 12);
    EXPECT_EQ(SavedLineCount(*fresh), 12);
    std::string twelve;
    for (int i = 0; i < 12; ++i) twelve += "\r\n";
    EXPECT_EQ(DocumentText(*fresh, CTextFormat()), twelve);
}

// A few invalid bytes in a file with real UTF-8 keep it UTF-8; each becomes 〓
// and is counted. Shift-JIS text with many bytes that UTF-8 rejects stays
// Shift-JIS.
TEST(Utf8Detection, FewStrayBytesStayUtf8ManyMakeShiftJis) {
    auto doc = Load("\xE2\x94\x8C\xE2\x94\x80\xE2\x94\x90 \xE8\xA1\xA8\nx\xFF\n");
    EXPECT_EQ(doc->m_textFormat.m_encoding, TextEncoding::Utf8);
    EXPECT_EQ(doc->m_loadReplacements.m_nUnmappable, 1);
    EXPECT_EQ(doc->m_loadReplacements.m_nFirstLine, 2);
    EXPECT_EQ(std::string(doc->Cell(0, 0).m_szText), "\x84\xA1"); // ┌ stays a line cell
    EXPECT_EQ(std::string(doc->Cell(1, 1).m_szText), SJIS_REPLACEMENT);
    // Only two-byte sequences besides the stray byte: no proof of UTF-8.
    EXPECT_EQ(DetectTextFormat("\xC3\xA9\xC3\xA9\xFF").m_encoding, TextEncoding::ShiftJis);
    // As many invalid bytes as valid sequences: Shift-JIS.
    EXPECT_EQ(DetectTextFormat("\xE8\xA1\xA8\xFF").m_encoding, TextEncoding::ShiftJis);
    EXPECT_EQ(DetectTextFormat("\xE8\xA1\xA8\xE8\xA1\xA8\xFF").m_encoding, TextEncoding::Utf8);
    // Typical Shift-JIS text.
    EXPECT_EQ(DetectTextFormat(Utf8ToCp932("罫線の表を書きます。┌─┐", '?')).m_encoding,
              TextEncoding::ShiftJis);
}

// The decoding table gives what the system converter gives, character by
// character, for every single byte and every lead and trail byte pair.
TEST(Cp932Table, AgreesWithTheConverterOnEveryCharacter) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "no CP932 converter on this system";
    const auto convert = [cd](std::string in) {
        char out[16];
        char* ip = in.data();
        char* op = out;
        size_t il = in.size(), ol = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &ip, &il, &op, &ol) == size_t(-1) || il) return std::string("\xEF\xBF\xBD");
        return std::string(out, size_t(op - out));
    };
    for (int b = 0; b < 256; ++b) {
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        std::string utf8;
        Cp932ToUtf8(std::string(1, char(b)), utf8);
        if (!lead) {
            EXPECT_EQ(utf8, convert(std::string(1, char(b)))) << b;
        }
        for (int t = 0x40; lead && t <= 0xFC; ++t) {
            if (t == 0x7F) continue; // no trail byte: the two bytes decode apart
            const std::string pair{char(b), char(t)};
            Cp932ToUtf8(pair, utf8);
            EXPECT_EQ(utf8, convert(pair)) << b << " " << t;
        }
    }
    iconv_close(cd);
}
