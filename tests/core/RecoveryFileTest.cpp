// Recovery copies: a copy read back gives the same canvas as the document it
// was taken from, anything that is not a whole copy is refused without
// touching the result, and the file is private to its owner.
#include "canvas/io/RecoveryFile.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/DocumentText.h"

#include "TempDirTest.h"

#include <gtest/gtest.h>

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

class RecoveryFile : public TempDirTest {};

TEST_F(RecoveryFile, WriteThenReadGivesTheSameCanvas) {
    auto doc = BusyCanvas();
    const std::string path = "/home/u/図面/表.txt";
    const CRecoveryFile copy = CRecoveryFile::FromDocument(*doc, path, true, 1765280000123);
    std::string error;
    ASSERT_TRUE(copy.Write(PathOf("a.tvkr"), error)) << error;

    CRecoveryFile read;
    ASSERT_TRUE(read.Read(PathOf("a.tvkr"), error)) << error;
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
    other[8] = CRecoveryFile::kVersion + 1;
    EXPECT_TRUE(refused(other));

    // A file with a valid checksum but impossible contents (a size of 120).
    CRecoveryFile wrong = CRecoveryFile::FromDocument(*doc, "", false, 1);
    wrong.m_nColumns = 120;
    EXPECT_TRUE(refused(wrong.Bytes()));
    wrong = CRecoveryFile::FromDocument(*doc, "", false, 1);
    wrong.m_cells[7].m_lineFlags = 64;
    EXPECT_TRUE(refused(wrong.Bytes()));

    // Through the file system: missing, a folder, a large foreign file.
    EXPECT_FALSE(result.Read(PathOf("missing.tvkr"), why));
    EXPECT_FALSE(result.Read(m_dir.string(), why));
    Put(PathOf("big"), std::string(2 << 20, 'a'));
    EXPECT_FALSE(result.Read(PathOf("big"), why));
    EXPECT_EQ(result.m_path, "untouched");
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

// A copy written before the layout was kept (version 1: the same body without
// its last byte) reads as the full-width layout, the rest unchanged.
TEST_F(RecoveryFile, ACopyOfTheFirstVersionReadsAsFullWidth) {
    auto doc = BusyCanvas();
    const std::string now = CRecoveryFile::FromDocument(*doc, "/x/y.txt", false, 42).Bytes();
    const size_t header = 16, body = now.size() - header - 4;
    std::string first = now.substr(0, header + body - 1);
    first[8] = 1;
    PutLittleEndian(first, 12, std::uint32_t(body - 1));
    first += "1234";
    PutLittleEndian(first, first.size() - 4, Crc32(first.substr(header, body - 1)));
    CRecoveryFile read;
    std::string why;
    ASSERT_TRUE(read.Parse(first, why)) << why;
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
    ASSERT_TRUE(copy.Write(PathOf("c.tvkr"), error)) << error;
    ASSERT_TRUE(copy.Write(PathOf("c.tvkr"), error)) << error; // replacing keeps it private
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

} // namespace
