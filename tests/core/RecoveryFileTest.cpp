// Recovery copies: a copy read back gives the same canvas as the document it
// was taken from, anything that is not a whole copy is refused without
// touching the result, and the file is private to its owner.
#include "canvas/io/RecoveryFile.h"
#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/DocumentText.h"
#include "canvas/io/FilePartFile.h"
#include "canvas/io/PartSplice.h"
#include "canvas/io/PrivateFolder.h"

#include "TempDirTest.h"

#include <gtest/gtest.h>

#include <random>
#include <sys/stat.h>

namespace {

// A canvas with lines, text, a ★ cell, content hidden beyond a shrunk size, a
// non-default format and load flags: everything a copy has to carry.
std::unique_ptr<CRuvlenDoc> BusyCanvas() {
    auto doc = std::make_unique<CRuvlenDoc>();
    doc->m_nColumns = 99;
    doc->m_nLines = 99;
    doc->DrawRectangle(nullptr, 1, 1, 30, 20, 1);
    doc->DrawHorizontalLine(nullptr, 0, 10, 90, 10, 0);
    doc->PutTextHorizontal(nullptr, 2, 2, 20, 2, "\x89\xbf\x8a\x69 ab");
    doc->Cell(95, 95).SetText("\x82\xa0"); // hidden once the canvas shrinks
    doc->Cell(50, 50).SetLineFlags(0x15);  // no glyph: shows ★
    doc->Cell(51, 50).m_bUsed = 1;
    doc->m_nColumns = 57;
    doc->m_nLines = 44;
    doc->m_nFontSize = 4;
    doc->m_bGrid = 0;
    doc->m_textFormat = {TextEncoding::Utf8Bom, LineEnding::Lf, BoxLayout::Narrow};
    doc->m_nFileLines = 12; // read from a 12-line file without a final line end
    doc->m_bFileFinalLineEnd = 0;
    doc->m_bLoadCut = 1;
    doc->m_loadReplacements.m_nUnmappable = 3;
    doc->m_loadReplacements.m_nFirstLine = 7;
    doc->m_loadReplacements.m_nFirstColumn = 2;
    return doc;
}

void ExpectSameCanvas(const CRuvlenDoc& a, const CRuvlenDoc& b) {
    for (int y = 0; y < CRuvlenDoc::GRID; ++y)
        for (int x = 0; x < CRuvlenDoc::GRID; ++x)
            ASSERT_TRUE(a.Cell(x, y) == b.Cell(x, y)) << x << "," << y;
    EXPECT_EQ(a.m_nColumns, b.m_nColumns);
    EXPECT_EQ(a.m_nLines, b.m_nLines);
    EXPECT_EQ(a.m_nFontSize, b.m_nFontSize);
    EXPECT_EQ(a.m_bGrid, b.m_bGrid);
    EXPECT_TRUE(a.m_textFormat == b.m_textFormat);
    EXPECT_EQ(a.m_bLoadWrapped, b.m_bLoadWrapped);
    EXPECT_EQ(a.m_bLoadCut, b.m_bLoadCut);
    EXPECT_EQ(a.m_loadReplacements.Total(), b.m_loadReplacements.Total());
    EXPECT_EQ(a.m_loadReplacements.m_nFirstLine, b.m_loadReplacements.m_nFirstLine);
    // The file the canvas would be saved as, a second route to the same answer.
    EXPECT_EQ(DocumentText(a, a.m_textFormat), DocumentText(b, b.m_textFormat));
}

class RecoveryFile : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        ASSERT_EQ(m_folder.Open(m_dir.string(), false), CPrivateFolder::Ok);
    }
    CPrivateFolder m_folder;
};

TEST_F(RecoveryFile, WriteThenReadGivesTheSameCanvas) {
    auto doc = BusyCanvas();
    const std::string path = "/home/u/図面/表.txt";
    const CRecoveryFile copy = CRecoveryFile::FromDocument(*doc, path, true, 1765280000123);
    std::string error;
    ASSERT_TRUE(copy.Write(m_folder, "a.tvkr", error)) << error;

    CRecoveryFile read;
    ASSERT_TRUE(read.Read(m_folder, "a.tvkr", error)) << error;
    EXPECT_EQ(read.m_path, path);
    EXPECT_EQ(read.m_nSavedAt, 1765280000123);
    EXPECT_TRUE(read.m_bLossyLoad);
    EXPECT_EQ(read.Bytes(), copy.Bytes());

    CRuvlenDoc restored;
    read.RestoreTo(restored);
    EXPECT_TRUE(restored.IsModified());
    ExpectSameCanvas(*doc, restored);

    // An untitled canvas in the default format comes back the same way.
    CRuvlenDoc plain;
    plain.DrawVerticalLine(nullptr, 3, 0, 3, 29, 0);
    CRecoveryFile untitled;
    ASSERT_TRUE(untitled.Parse(CRecoveryFile::FromDocument(plain, "", false, 5).Bytes(), error));
    EXPECT_TRUE(untitled.m_path.empty());
    CRuvlenDoc back;
    untitled.RestoreTo(back);
    ExpectSameCanvas(plain, back);
}

TEST_F(RecoveryFile, RefusesWhatIsNotAWholeCopy) {
    auto doc = BusyCanvas();
    const std::string good = CRecoveryFile::FromDocument(*doc, "/x/y.txt", false, 42).Bytes();
    std::string why;
    CRecoveryFile result;
    result.m_path = "untouched";
    auto refused = [&](const std::string& bytes) {
        why.clear();
        const bool ok = result.Parse(bytes, why);
        return !ok && !why.empty() && result.m_path == "untouched";
    };

    EXPECT_TRUE(refused(""));
    EXPECT_TRUE(refused("一行目\r\n二行目\r\n")); // a text file put in the folder
    EXPECT_TRUE(refused(std::string(good.size(), 'x')));
    // Cut anywhere, or with bytes after the end.
    for (size_t n = 0; n < good.size(); n += (n < 200 ? 1 : 997))
        EXPECT_TRUE(refused(good.substr(0, n))) << "cut at " << n;
    EXPECT_TRUE(refused(good + "x"));
    // Any damaged byte (the checksum or a field catches it).
    for (size_t i = 0; i < good.size(); i += (i < 200 ? 1 : 613)) {
        std::string bad = good;
        bad[i] = static_cast<char>(bad[i] ^ 0x20);
        EXPECT_TRUE(refused(bad)) << "byte " << i;
    }
    // A later version, even when otherwise whole.
    std::string other = good;
    other[8] = char(CRecoveryFile::kVersion + 1);
    EXPECT_TRUE(refused(other));

    // A file with a valid checksum but impossible contents (a size of 120).
    CRecoveryFile wrong = CRecoveryFile::FromDocument(*doc, "", false, 1);
    wrong.m_nColumns = 120;
    EXPECT_TRUE(refused(wrong.Bytes()));
    wrong = CRecoveryFile::FromDocument(*doc, "", false, 1);
    wrong.m_cells[7].m_lineFlags = 64;
    EXPECT_TRUE(refused(wrong.Bytes()));

    // Through the file system: missing, a folder, a large foreign file.
    EXPECT_FALSE(result.Read(m_folder, "missing.tvkr", why));
    ::mkdir(PathOf("sub").c_str(), 0700);
    EXPECT_FALSE(result.Read(m_folder, "sub", why));
    Put(PathOf("big"), std::string(2 << 20, 'a'));
    EXPECT_FALSE(result.Read(m_folder, "big", why));
    EXPECT_EQ(result.m_path, "untouched");
}

// A copy with a right checksum but cells or a path that no edit can make is
// refused whole; every canvas that edits do make passes, hidden cells and
// ★ cells included.
TEST_F(RecoveryFile, RefusesCellsNoEditCanMake) {
    auto doc = BusyCanvas();
    const CRecoveryFile good = CRecoveryFile::FromDocument(*doc, "/x/y.txt", false, 42);
    std::string why;
    CRecoveryFile result;
    ASSERT_TRUE(result.Parse(good.Bytes(), why)) << why;
    const char* glyph = LineGlyphFor(g_validLineFlags[3]); // a line cell's own glyph
    const std::uint8_t own = std::uint8_t(g_validLineFlags[3]);
    const std::uint8_t other = std::uint8_t(g_validLineFlags[4]);
    ASSERT_EQ(LineGlyphFor(LF_RIGHT), nullptr);
    struct Crafted {
        const char* name;
        char text[2];
        std::uint8_t flags, bits;
    };
    const Crafted crafted[] = {
        {"CR LF", {'\r', '\n'}, 0, 1},
        {"a lead byte with no trail", {'\x82', ' '}, 0, 1},
        {"a lead byte before a control byte", {'\x82', '\x0A'}, 0, 1},
        {"a control byte", {'a', '\x1B'}, 0, 1},
        {"DEL", {'\x7F', ' '}, 0, 0},
        {"a stray trail-only byte", {'\xFD', '\x40'}, 0, 1},
        {"a line cell holding letters", {'a', 'b'}, own, 3},
        {"a line cell with no glyph", {glyph[0], glyph[1]}, LF_RIGHT, 3},
        {"a line cell showing another glyph", {glyph[0], glyph[1]}, other, 3},
    };
    for (const Crafted& c : crafted) {
        for (int cell : {0, 99 * 100 + 99}) { // on the canvas and hidden beyond it
            CRecoveryFile bad = good;
            bad.m_cells[size_t(cell)] = {{c.text[0], c.text[1]}, c.flags, c.bits};
            result.m_path = "untouched";
            EXPECT_FALSE(result.Parse(bad.Bytes(), why)) << c.name;
            EXPECT_EQ(result.m_path, "untouched") << c.name;
        }
    }
    CRecoveryFile line = good;
    line.m_cells[5] = {{glyph[0], glyph[1]}, own, 3};
    EXPECT_TRUE(result.Parse(line.Bytes(), why)) << why;
    for (const char* path : {"relative.txt", "/a\nb.txt", "/tab\there", "/\x7F"}) {
        CRecoveryFile bad = good;
        bad.m_path = path;
        EXPECT_FALSE(result.Parse(bad.Bytes(), why)) << path;
    }

    // Canvases made by edits of every kind, with text, lines, symbols and
    // erasures in random places, all come back.
    std::mt19937 rng(30);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const char* const texts[] = {"ab", "\x95\x5C\x82\xA0", "\xB1 \xB2", "x \x81\x40y", "\x81\x9A"};
    // (Texts as the text dialog lays them out: double-byte characters at even offsets.)
    for (int round = 0; round < 20; ++round) {
        CRuvlenDoc edited;
        edited.m_nColumns = edited.m_nLines = 99;
        for (int n = 0; n < 40; ++n) {
            const int x = pick(0, 90), y = pick(0, 90), w = pick(0, 8), h = pick(0, 8);
            switch (pick(0, 4)) {
            case 0:
                edited.DrawRectangle(nullptr, x, y, x + w, y + h, pick(0, 1));
                break;
            case 1:
                edited.DrawHorizontalLine(nullptr, x, y, x + w, y, pick(0, 1));
                break;
            case 2:
                edited.PutTextHorizontal(nullptr, x, y, x + w, y, texts[pick(0, 4)]);
                break;
            case 3:
                edited.Cell(x, y).ToggleArm(pick(1, 4));
                break;
            default:
                edited.EraseRectNoUndo(x, y, x + w, y + h);
                break;
            }
        }
        edited.m_nColumns = pick(10, 99);
        ASSERT_TRUE(result.Parse(CRecoveryFile::FromDocument(edited, "", false, 1).Bytes(), why))
            << round << ": " << why;
    }
}

namespace {

std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
}

void PutLittleEndian(std::string& bytes, size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + size_t(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace

// A copy written before the layout was kept (version 2: the same body without
// its last byte) reads as the full-width layout, the rest unchanged.
TEST_F(RecoveryFile, ASecondVersionCopyReadsAsFullWidth) {
    auto doc = BusyCanvas();
    const std::string now = CRecoveryFile::FromDocument(*doc, "/x/y.txt", false, 42).Bytes();
    const size_t header = 16, body = now.size() - header - 4;
    std::string old = now.substr(0, header + body - 1);
    old[8] = 2;
    PutLittleEndian(old, 12, std::uint32_t(body - 1));
    old += "1234";
    PutLittleEndian(old, old.size() - 4, Crc32(old.substr(header, body - 1)));
    CRecoveryFile read;
    std::string why;
    ASSERT_TRUE(read.Parse(old, why)) << why;
    EXPECT_EQ(read.m_format, (CTextFormat{TextEncoding::Utf8Bom, LineEnding::Lf, BoxLayout::Wide}));
    CRuvlenDoc restored;
    read.RestoreTo(restored);
    doc->m_textFormat.m_layout = BoxLayout::Wide;
    ExpectSameCanvas(*doc, restored);
}

TEST_F(RecoveryFile, CopiesArePrivateAndLeaveNothingBehind) {
    const mode_t old = ::umask(022);
    CRuvlenDoc doc;
    doc.DrawRectangle(nullptr, 0, 0, 5, 5, 0);
    std::string error;
    const CRecoveryFile copy = CRecoveryFile::FromDocument(doc, "", false, 1);
    ASSERT_TRUE(copy.Write(m_folder, "c.tvkr", error)) << error;
    ASSERT_TRUE(copy.Write(m_folder, "c.tvkr", error)) << error; // replacing keeps it private
    struct stat st {};
    ASSERT_EQ(::stat(PathOf("c.tvkr").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    // The program's umask is never touched: other files keep their modes.
    EXPECT_EQ(::umask(old), mode_t(022));
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir)) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

// A canvas that stands for a part of its file keeps that part in its copy:
// restored, it saves in place what the canvas would have saved before.
TEST_F(RecoveryFile, APartComesBackAndStillSavesInPlace) {
    std::string note;
    for (int i = 1; i <= 150; ++i)
        note += i == 120 ? "┌─┐\r\n" : "line " + std::to_string(i) + "\r\n";
    Put(PathOf("note.txt"), note);
    CRuvlenDoc doc;
    CFilePart part;
    CPartProblem problem;
    ASSERT_TRUE(OpenFilePart(doc, PathOf("note.txt"), 118, 122, part, problem));
    doc.DrawVerticalLine(nullptr, 1, 2, 1, 6, 0);
    CRecoveryFile copy = CRecoveryFile::FromDocument(doc, part.m_strPath, false, 7);
    copy.m_part = part;
    std::string why;
    CRecoveryFile read;
    ASSERT_TRUE(read.Parse(copy.Bytes(), why)) << why;
    ASSERT_TRUE(read.m_part.has_value());
    EXPECT_EQ(read.m_part->m_strPath, part.m_strPath);
    EXPECT_EQ(read.m_part->Whole(), note);
    EXPECT_EQ(read.m_part->m_nFirst, 118);
    EXPECT_TRUE(read.m_part->m_stamp == part.m_stamp);
    EXPECT_EQ(read.Bytes(), copy.Bytes());

    CRuvlenDoc restored;
    read.RestoreTo(restored);
    CFilePart back = *read.m_part;
    ASSERT_TRUE(SaveFilePart(restored, back, problem)) << DescribePartProblem(problem);
    EXPECT_EQ(Get(PathOf("note.txt")), PartFileText(doc, part));
    EXPECT_EQ(back.m_nLines, 7);

    // A part whose line count does not fit its bytes is no copy of a canvas.
    copy.m_part->m_nLines = 4;
    EXPECT_FALSE(read.Parse(copy.Bytes(), why));
}

// Copies written before parts existed (version 1) still read.
TEST_F(RecoveryFile, AFirstVersionCopyStillReads) {
    auto doc = BusyCanvas();
    const std::string now = CRecoveryFile::FromDocument(*doc, "/x/y.txt", true, 9).Bytes();
    // Version 1 had no part flag at the end of the body, nor the layout after it.
    std::string body = now.substr(16, now.size() - 16 - 4 - 2);
    const auto crc = [](const std::string& data) {
        std::uint32_t c = 0xFFFFFFFFu;
        for (unsigned char b : data) {
            c ^= b;
            for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
        }
        return c ^ 0xFFFFFFFFu;
    };
    const auto le32 = [](std::uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    const std::string old =
        now.substr(0, 8) + le32(1) + le32(std::uint32_t(body.size())) + body + le32(crc(body));
    CRecoveryFile read;
    std::string why;
    ASSERT_TRUE(read.Parse(old, why)) << why;
    EXPECT_FALSE(read.m_part.has_value());
    EXPECT_EQ(read.m_path, "/x/y.txt");
    CRuvlenDoc restored;
    read.RestoreTo(restored);
    doc->m_textFormat.m_layout = BoxLayout::Wide; // no layout kept then
    ExpectSameCanvas(*doc, restored);
}

} // namespace
