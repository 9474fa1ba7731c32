// Canvas files in UTF-8 and with LF line ends: loading through the Shift-JIS
// reader, the record of replaced characters, writing in every format, and saving
// on disk in the canvas' format or a chosen one.
#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/Cp932.h"
#include "canvas/io/DocumentText.h"
#include "canvas/io/TextFile.h"
#include "canvas/io/Utf8CellText.h"

#include "DocTestSupport.h"
#include "TempDirTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

std::unique_ptr<CRuvlenDoc> Load(const std::string& bytes, int columns = 10, int lines = 10) {
    auto doc = doc_test::SizedDoc(columns, lines);
    LoadDocumentText(*doc, bytes);
    return doc;
}

std::string Sjis(const std::string& utf8) {
    return Utf8ToCp932(utf8, '?');
}

// The cell's text as UTF-8.
std::string Shown(const CCell& cell) {
    std::string utf8;
    Cp932ToUtf8(std::string(cell.m_szText, 2), utf8);
    return utf8;
}

// Line y of the canvas as UTF-8, trailing spaces removed.
std::string Row(const CRuvlenDoc& doc, int y) {
    std::string sjis;
    for (int x = 0; x < doc.m_nColumns; ++x) sjis += std::string(doc.Cell(x, y).m_szText, 2);
    sjis.erase(sjis.find_last_not_of(' ') + 1);
    std::string utf8;
    Cp932ToUtf8(sjis, utf8);
    return utf8;
}

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

void ExpectReplaced(const CRuvlenDoc& doc, int box, int lookAlike, int unmappable, int line,
                    int column) {
    const CTextReplacements& r = doc.m_loadReplacements;
    EXPECT_EQ(r.m_nBoxChars, box);
    EXPECT_EQ(r.m_nLookAlikes, lookAlike);
    EXPECT_EQ(r.m_nUnmappable, unmappable);
    EXPECT_EQ(r.m_nFirstLine, line);
    EXPECT_EQ(r.m_nFirstColumn, column);
}

const CTextFormat kAllFormats[] = {
    {TextEncoding::ShiftJis, LineEnding::CrLf}, {TextEncoding::ShiftJis, LineEnding::Lf},
    {TextEncoding::Utf8, LineEnding::CrLf},     {TextEncoding::Utf8, LineEnding::Lf},
    {TextEncoding::Utf8Bom, LineEnding::CrLf},  {TextEncoding::Utf8Bom, LineEnding::Lf},
};

std::string NameOf(const CTextFormat& f) {
    return std::string(TextEncodingName(f.m_encoding)) + " " + LineEndingName(f.m_lineEnding);
}

} // namespace

// --- Loading ----------------------------------------------------------------

TEST(Utf8Load, GoesThroughTheShiftJisReader) {
    auto doc = Load("┌─┐ab表\n│x│ｱｲ　\r\n\tde\n");
    EXPECT_EQ(doc->m_textFormat.m_encoding, TextEncoding::Utf8);
    EXPECT_EQ(doc->m_textFormat.m_lineEnding, LineEnding::CrLf); // mixed
    EXPECT_EQ(Row(*doc, 0), "┌─┐ab表");
    EXPECT_EQ(Row(*doc, 1), "│x │ｱｲ　"); // a lone half-width letter is padded
    EXPECT_EQ(Row(*doc, 2), "  de");     // TAB as a blank cell
    EXPECT_TRUE(doc->Cell(0, 0).m_bLine);
    EXPECT_EQ(doc->Cell(1, 1).m_nLineFlags, 0);
    EXPECT_EQ(doc->Cell(0, 1).m_nLineFlags, LF_UP | LF_DOWN);
    EXPECT_FALSE(doc->m_loadReplacements.Any());
}

TEST(Utf8Load, DoubleLineBoxBecomesThickLineCells) {
    auto doc = Load("╔══╗\n║abcd║\n╚══╝\n");
    EXPECT_EQ(Row(*doc, 0), "┏━━┓");
    EXPECT_EQ(Row(*doc, 1), "┃abcd┃");
    EXPECT_EQ(Row(*doc, 2), "┗━━┛");
    EXPECT_EQ(doc->Cell(0, 0).m_nLineFlags, LF_RIGHT | LF_DOWN | LF_HTHICK | LF_VTHICK);
    ExpectReplaced(*doc, 10, 0, 0, 1, 1);
    doc->DrawHorizontalLine(nullptr, 0, 1, 3, 1, 0); // merges like a drawn box
    EXPECT_EQ(Row(*doc, 1), "┠──┨");
}

TEST(Utf8Load, ReplacementCellCountAndPosition) {
    auto doc = Load("line one\nab x😀 y\n");
    EXPECT_EQ(Row(*doc, 1), "ab x〓 y");
    EXPECT_EQ(Shown(doc->Cell(2, 1)), "〓");
    ExpectReplaced(*doc, 0, 0, 1, 2, 3);
}

TEST(Utf8Load, KindsAreCountedApartAndTheFirstIsInReadingOrder) {
    auto doc = Load("abcd\n¥10 ╭╮\n\U0001F3F4\U000E0067\U000E007Fé\n");
    EXPECT_EQ(Row(*doc, 1), "\\10 ┌┐");
    EXPECT_EQ(Row(*doc, 2), "〓〓〓〓");
    ExpectReplaced(*doc, 2, 1, 4, 2, 1);
}

TEST(Utf8Load, EachKindKeepsThePlaceOfItsFirst) {
    auto doc = Load("abcd\n¥10 ╭╮\n\U0001F3F4\U000E0067\U000E007Fé\n");
    const CTextReplacements& r = doc->m_loadReplacements;
    EXPECT_EQ(r.m_firstLookAlike.line, 2);
    EXPECT_EQ(r.m_firstLookAlike.column, 1);
    EXPECT_EQ(r.m_firstBoxChar.line, 2);
    EXPECT_EQ(r.m_firstBoxChar.column, 3);
    EXPECT_EQ(r.m_firstUnmappable.line, 3);
    EXPECT_EQ(r.m_firstUnmappable.column, 1);
    EXPECT_NE(DescribeReplacements(r).find("〓に（最初は 3 行 1 桁）"), std::string::npos);
}

TEST(Utf8Load, ALookAlikeMayBeTheSecondHalfOfACell) {
    auto doc = Load("abcd a¥‾\n");
    EXPECT_EQ(Row(*doc, 0), "abcd a\\~");
    ExpectReplaced(*doc, 0, 2, 0, 1, 4); // "ab", "cd", " a", "\~"
}

TEST(Utf8Load, InvalidBytesAfterAByteOrderMarkAreReplacements) {
    auto doc = Load("\xEF\xBB\xBF"
                    "ab\xFF\xE2\x94\r\n");
    EXPECT_EQ(doc->m_textFormat.m_encoding, TextEncoding::Utf8Bom);
    EXPECT_EQ(Row(*doc, 0), "ab〓〓");
    ExpectReplaced(*doc, 0, 0, 2, 1, 2);
}

TEST(Utf8Load, PositionsFollowWrapping) {
    auto doc = Load(std::string(200, 'x') + "═\n");
    EXPECT_TRUE(doc->m_bLoadWrapped);
    EXPECT_EQ(Shown(doc->Cell(1, 1)), "━");
    ExpectReplaced(*doc, 1, 0, 0, 2, 2);
}

TEST(Utf8Load, WhatWasCutOffIsNotCounted) {
    auto doc = Load("a😀\n" + Repeat("b\n", 98) + "═😀\n");
    EXPECT_TRUE(doc->m_bLoadCut);
    ExpectReplaced(*doc, 0, 0, 1, 1, 2);
    doc = Load(Repeat("b\n", 99) + "═😀\n");
    EXPECT_FALSE(doc->m_loadReplacements.Any());
    EXPECT_EQ(doc->m_loadReplacements.m_nFirstLine, 0);
}

TEST(Utf8Load, ShiftJisLoadKeepsBytesAndResetsTheRecord) {
    auto doc = Load("═😀\n");
    ASSERT_TRUE(doc->m_loadReplacements.Any());
    const std::string sjis = Sjis("┏━┓\r\n┃ｱｲ表┃\r\n");
    LoadDocumentText(*doc, sjis);
    EXPECT_EQ(doc->m_textFormat, CTextFormat());
    EXPECT_FALSE(doc->m_loadReplacements.Any());
    EXPECT_EQ(DocumentText(*doc, doc->m_textFormat).substr(0, sjis.size()), sjis);
}

// Each character either comes back as itself when the cells are written as
// UTF-8, or is counted as replaced: nothing changes silently.
TEST(Utf8Load, EveryCharacterRoundTripsOrIsCounted) {
    const auto check = [](char32_t code) {
        std::string utf8;
        if (code < 0x800)
            utf8 = {char(0xC0 | (code >> 6)), char(0x80 | (code & 0x3F))};
        else if (code < 0x10000)
            utf8 = {char(0xE0 | (code >> 12)), char(0x80 | ((code >> 6) & 0x3F)),
                    char(0x80 | (code & 0x3F))};
        else
            utf8 = {char(0xF0 | (code >> 18)), char(0x80 | ((code >> 12) & 0x3F)),
                    char(0x80 | ((code >> 6) & 0x3F)), char(0x80 | (code & 0x3F))};
        std::vector<CCharChange> changes;
        const std::string cells = Utf8ToCellBytes(utf8, 0, changes);
        ASSERT_FALSE(cells.empty()) << std::hex << code;
        std::string back;
        Cp932ToUtf8(cells, back);
        ASSERT_EQ(changes.empty(), back == utf8) << std::hex << code;
        ASSERT_LE(changes.size(), 1u) << std::hex << code;
    };
    for (char32_t code = 0x80; code < 0x10000; ++code)
        if (code < 0xD800 || code > 0xDFFF) check(code);
    for (char32_t code = 0x10000; code <= 0x10FFFF; code += 61) check(code);
    for (char32_t code = 0xE0000; code < 0xE0200; ++code) check(code);
}

// --- Writing ----------------------------------------------------------------

// A canvas never read from a file: every canvas line, as WriteText writes them.
// One read from a file: the same lines, as many as the file had.
TEST(Utf8Write, ShiftJisWithCrLfIsWhatWriteTextWrites) {
    const std::string file = Sjis("┏━┓ab\r\n┃表┃ ｱ\r\n");
    auto doc = Load(file);
    std::string written;
    CArchive ar = CArchive::ForStoring(written);
    doc->WriteText(ar);
    EXPECT_EQ(DocumentText(*doc, CTextFormat()), file);
    EXPECT_EQ(written.compare(0, file.size(), file), 0);
    doc->m_nFileLines = -1; // as if drawn, never read
    EXPECT_EQ(DocumentText(*doc, CTextFormat()), written);
}

TEST(Utf8Write, TrailingBlanksAreCutAsInShiftJis) {
    auto doc = doc_test::SizedDoc();
    doc->Cell(0, 0).SetText("a ");
    doc->Cell(2, 1).SetText("\x81\x40"); // full-width space stays
    doc->Cell(1, 2).SetText(" b");
    const std::string tail = Repeat("\n", 7);
    EXPECT_EQ(DocumentText(*doc, {TextEncoding::Utf8, LineEnding::Lf}),
              "a\n    \u3000\n   b\n" + tail);
    EXPECT_EQ(DocumentText(*doc_test::SizedDoc(), {TextEncoding::Utf8Bom, LineEnding::CrLf}),
              "\xEF\xBB\xBF" + Repeat("\r\n", 10));
}

// Files written in each format read back to the same cells and the same format,
// and write the same bytes again.
TEST(Utf8Write, RoundTripInEveryFormatIsByteForByte) {
    static const char* kTexts[] = {"ab",       "c ",       "  ",       " d",       "\x82\xA0",
                                   "\x81\x40", "\xB1\xDF", "\x81\xAC", "\x95\x5C", "\x81\x60"};
    auto doc = doc_test::SizedDoc(99, 99);
    for (int y = 0; y < 99; ++y)
        for (int x = 0; x < 99; ++x) {
            const int k = (x * 7 + y * 3) % 13;
            if (x == 98 || k >= 10)
                doc->Cell(x, y).SetLineFlags(g_validLineFlags[(x + y) % 32]);
            else
                doc->Cell(x, y).SetText(kTexts[k]);
        }
    for (const CTextFormat& format : kAllFormats) {
        const std::string bytes = DocumentText(*doc, format);
        auto read = Load(bytes);
        EXPECT_EQ(read->m_textFormat, format) << NameOf(format);
        EXPECT_FALSE(read->m_loadReplacements.Any()) << NameOf(format);
        ASSERT_EQ(read->m_nColumns, 99);
        ASSERT_EQ(read->m_nLines, 99);
        for (int y = 0; y < 99; ++y)
            for (int x = 0; x < 99; ++x)
                ASSERT_EQ(read->Cell(x, y), doc->Cell(x, y)) << NameOf(format) << x << "," << y;
        EXPECT_EQ(DocumentText(*read, read->m_textFormat), bytes) << NameOf(format);
    }
}

TEST(Utf8Write, LfFileFromAnotherProgramRoundTrips) {
    const std::string file = "# Notes\n\n┌─┐\n│ok│\n└─┘\n" + Repeat("\n", 5);
    auto doc = Load(file);
    EXPECT_EQ(doc->m_textFormat, (CTextFormat{TextEncoding::Utf8, LineEnding::Lf}));
    EXPECT_EQ(DocumentText(*doc, doc->m_textFormat), file);
}

// --- Files on disk ----------------------------------------------------------

namespace {

class Utf8DiskFile : public TempDirTest {};

} // namespace

TEST_F(Utf8DiskFile, SaveKeepsTheFormatTheFileWasReadIn) {
    const std::string path = PathOf("notes.md");
    Put(path, "\xEF\xBB\xBF╔═╗\n║║║\n╚═╝\n");
    auto doc = doc_test::SizedDoc();
    std::string error;
    ASSERT_TRUE(LoadDocumentFile(*doc, path, error)) << error;
    EXPECT_EQ(doc->m_textFormat, (CTextFormat{TextEncoding::Utf8Bom, LineEnding::Lf}));
    ExpectReplaced(*doc, 9, 0, 0, 1, 1);
    doc->DrawVerticalLine(nullptr, 1, 0, 1, 2, 1);
    ASSERT_TRUE(SaveDocumentFile(*doc, path, error)) << error;
    EXPECT_EQ(Get(path), "\xEF\xBB\xBF┏┳┓\n┃┃┃\n┗┻┛\n"); // the file's own three lines
}

TEST_F(Utf8DiskFile, ShiftJisCanvasSavedAsUtf8AndBack) {
    const std::string sjis = Sjis("┏━━┯━━┓\r\n┃品名│ｶﾅ  ┃\r\n┗━━┷━━┛\r\n") + Repeat("\r\n", 7);
    const std::string path = PathOf("table.txt"), utf8Path = PathOf("table-utf8.txt");
    Put(path, sjis);
    auto doc = doc_test::SizedDoc();
    std::string error;
    ASSERT_TRUE(LoadDocumentFile(*doc, path, error)) << error;
    EXPECT_EQ(doc->m_textFormat, CTextFormat());

    const CTextFormat utf8Lf{TextEncoding::Utf8, LineEnding::Lf};
    ASSERT_TRUE(SaveDocumentFile(*doc, utf8Path, utf8Lf, error)) << error;
    EXPECT_EQ(doc->m_textFormat, utf8Lf);
    EXPECT_EQ(Get(utf8Path), "┏━━┯━━┓\n┃品名│ｶﾅ  ┃\n┗━━┷━━┛\n" + Repeat("\n", 7));

    auto back = doc_test::SizedDoc();
    ASSERT_TRUE(LoadDocumentFile(*back, utf8Path, error)) << error;
    EXPECT_EQ(back->m_textFormat, utf8Lf);
    ASSERT_TRUE(SaveDocumentFile(*back, path, CTextFormat(), error)) << error;
    EXPECT_EQ(Get(path), sjis);
}

TEST_F(Utf8DiskFile, FailedSaveKeepsTheCanvasFormat) {
    auto doc = doc_test::SizedDoc();
    std::string error;
    EXPECT_FALSE(SaveDocumentFile(*doc, PathOf("missing/x.txt"),
                                  {TextEncoding::Utf8, LineEnding::Lf}, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(doc->m_textFormat, CTextFormat());
}

TEST_F(Utf8DiskFile, Utf8SequenceCutByTheSizeLimitStillReadsAsUtf8) {
    // Past four megabytes the reader stops; the cut may fall inside a character.
    const std::string path = PathOf("big.txt");
    std::string bytes = "┌┐ \n"; // 8 bytes: the limit falls inside a "─"
    while (bytes.size() < 4 * 1024 * 1024 + 10) bytes += "─";
    Put(path, bytes.substr(0, 4 * 1024 * 1024 + 1));
    auto doc = doc_test::SizedDoc();
    std::string error;
    ASSERT_TRUE(LoadDocumentFile(*doc, path, error)) << error;
    EXPECT_EQ(doc->m_textFormat.m_encoding, TextEncoding::Utf8);
    EXPECT_TRUE(doc->m_bLoadCut);
    EXPECT_EQ(Row(*doc, 0), "┌┐");
}
