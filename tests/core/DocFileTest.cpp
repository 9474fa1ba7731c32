// The canvas document: text file reading and writing, files on disk, display
// metrics and hit tests, the undo snapshot and ending a tool.
#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/TextFile.h"

#include "DocTestSupport.h"
#include "TempDirTest.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Write(const CRuvlenDoc& doc) {
    std::string out;
    CArchive ar = CArchive::ForStoring(out);
    doc.WriteText(ar);
    return out;
}

void Read(CRuvlenDoc& doc, const std::string& bytes) {
    CArchive ar = CArchive::ForLoading(bytes);
    doc.ReadText(ar);
}

std::string Text(const CCell& cell) {
    return std::string(cell.m_szText, 2);
}

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// The used cells of every line up to the last line holding one, each line's
// cells joined with '|'.
std::vector<std::string> UsedRows(const CRuvlenDoc& doc) {
    std::vector<std::string> rows;
    for (int y = 0; y < CRuvlenDoc::MAX_SIZE; ++y) {
        std::string row;
        for (int x = 0; x < CRuvlenDoc::MAX_SIZE && doc.Cell(x, y).m_bUsed; ++x)
            row += (x ? "|" : "") + Text(doc.Cell(x, y));
        rows.push_back(row);
    }
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    return rows;
}

void ExpectValidCanvas(const CRuvlenDoc& doc) {
    EXPECT_GE(doc.m_nColumns, 10);
    EXPECT_LE(doc.m_nColumns, 99);
    EXPECT_GE(doc.m_nLines, 10);
    EXPECT_LE(doc.m_nLines, 99);
    for (int y = 0; y < CRuvlenDoc::GRID; ++y)
        for (int x = 0; x < CRuvlenDoc::GRID; ++x)
            ASSERT_TRUE(doc.Cell(x, y).FirstByte() && doc.Cell(x, y).SecondByte()) << x << "," << y;
}

} // namespace

// --- Writing ---------------------------------------------------------------

TEST(DocWrite, EmptyTenByTenCanvasIsTwentyBytes) {
    EXPECT_EQ(Write(*doc_test::SizedDoc()), Repeat("\r\n", 10));
}

TEST(DocWrite, TrailingSpacesAreTrimmedByteByByte) {
    struct Case {
        std::vector<std::string> cells;
        std::string line;
    };
    const Case cases[] = {
        {{"ab", "c ", "  "}, "abc"},
        {{" a"}, " a"},
        {{"  ", "x "}, "  x"},
        {{"  ", "  ", "\x81\x40"}, "    \x81\x40"}, // full-width space kept
        {{"a ", "\x82\xA0", "  "}, "a \x82\xA0"},
        {{"  ", "  "}, ""},
    };
    for (const Case& c : cases) {
        auto doc = doc_test::SizedDoc();
        for (size_t x = 0; x < c.cells.size(); ++x)
            doc->Cell(int(x), 0).SetText(c.cells[x].c_str());
        EXPECT_EQ(Write(*doc), c.line + Repeat("\r\n", 10)) << c.line;
    }
}

TEST(DocWrite, CellsOutsideTheCanvasAreNotWritten) {
    auto doc = doc_test::SizedDoc(12, 11);
    doc->Cell(12, 0).SetText("zz");
    doc->Cell(0, 11).SetText("zz");
    doc->Cell(11, 10).SetText("ab");
    EXPECT_EQ(Write(*doc), Repeat("\r\n", 10) + Repeat(" ", 22) + "ab\r\n");
}

// --- Reading: tokens ---------------------------------------------------------

TEST(DocRead, BytesBecomeCells) {
    struct Case {
        std::string bytes;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"abc", {"ab|c "}},
        {"a\x82\xA0", {"a |\x82\xA0"}}, // padded before a double-byte character
        {"ab\r\ncd\r\n", {"ab", "cd"}},
        {"\tab", {"  |ab"}}, // TAB: blank cell, next byte kept
        {"\t\t", {"  |  "}},
        {"a\tb", {"a |b "}},        // TAB after a lone half-width char is dropped
        {"ab\ncd\n", {"ab", "cd"}}, // LF-only line ends
        {"a\nb", {"a ", "b "}},
        {"ab\rcd", {"ab| c|d "}}, // a lone CR is a space
        {"\r\r\r", {"  |  |  "}},
        {"\r\n\r\nab", {"", "", "ab"}},
        {std::string("a\0b", 3), {"a |b "}},
        {std::string("\0\0ab", 4), {"  |ab"}},
        {"ab\x82", {"ab|  "}}, // lead byte at the very end
        {"\x82", {"  "}},
        {"\xFDz", {" z"}},
        {"\x7F\x7F", {"  "}},
        {"\xA0\xA0", {"  "}},
        {"\xFF\xFE\xFD", {"  |  "}},
        {"\x82\x20x", {"  |x "}}, // lead byte without a trail byte
        {"\x81\x7F", {"  "}},
        {"\x01\x82\xA0", {"  |\x82\xA0"}},
        {"\xB1\xDF\x81\x40", {"\xB1\xDF|\x81\x40"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        auto doc = doc_test::SizedDoc();
        Read(*doc, c.bytes);
        EXPECT_EQ(UsedRows(*doc), c.rows) << testing::PrintToString(c.bytes);
        EXPECT_EQ(doc->m_nColumns, 10);
        EXPECT_EQ(doc->m_nLines, 10);
        EXPECT_FALSE(doc->m_bLoadWrapped || doc->m_bLoadCut);
    }
}

TEST(DocRead, OnlyCarriageReturnsGiveBlankCells) {
    auto doc = doc_test::SizedDoc();
    Read(*doc, std::string(40, '\r'));
    EXPECT_EQ(UsedRows(*doc).size(), 1u);
    EXPECT_EQ(doc->m_nColumns, 40);
    EXPECT_EQ(Write(*doc), Repeat("\r\n", 10));
}

// --- Reading: size, wrapping, cutting ---------------------------------------

TEST(DocRead, LongLineWrapsAtNinetyNine) {
    auto doc = doc_test::SizedDoc();
    Read(*doc, std::string(250, 'x') + "\r\n");
    EXPECT_EQ(UsedRows(*doc),
              (std::vector<std::string>{Repeat("xx|", 98) + "xx", Repeat("xx|", 25) + "xx"}));
    EXPECT_EQ(doc->m_nColumns, 99);
    EXPECT_EQ(doc->m_nLines, 10);
    EXPECT_TRUE(doc->m_bLoadWrapped);
    EXPECT_FALSE(doc->m_bLoadCut);
}

TEST(DocRead, ExactlyNinetyNineCellsDoNotWrap) {
    auto doc = doc_test::SizedDoc();
    Read(*doc, std::string(198, 'x') + "\r\nab");
    EXPECT_EQ(UsedRows(*doc)[1], "ab");
    EXPECT_EQ(doc->m_nColumns, 99);
    EXPECT_FALSE(doc->m_bLoadWrapped);
}

TEST(DocRead, DoubleByteCharacterIsNotSplitAtTheWrap) {
    auto doc = doc_test::SizedDoc();
    Read(*doc, std::string(197, 'x') + "\x82\xA0");
    EXPECT_EQ(Text(doc->Cell(98, 0)), "x ");
    EXPECT_EQ(UsedRows(*doc)[1], "\x82\xA0");
    EXPECT_TRUE(doc->m_bLoadWrapped);
}

TEST(DocRead, StopsAfterNinetyNineLines) {
    struct Case {
        std::string tail; // after 99 lines of "L"
        bool cut;
    };
    const Case cases[] = {
        {"", false},
        {Repeat("L\r\n", 21), true},
        {Repeat("\r\n", 21), false},
        {Repeat("   \t\r\n", 21), false},
        {"\r\n\x81\x40\r\n", false}, // a full-width space is blank too
        {"x", true},
        {"\n\n\n\x82\xA0", true},
    };
    for (const Case& c : cases) {
        auto doc = doc_test::SizedDoc();
        Read(*doc, Repeat("L\r\n", 99) + c.tail);
        EXPECT_EQ(doc->m_nLines, 99);
        EXPECT_EQ(Text(doc->Cell(0, 98)), "L ");
        EXPECT_EQ(bool(doc->m_bLoadCut), c.cut) << testing::PrintToString(c.tail);
        EXPECT_FALSE(doc->m_bLoadWrapped);
    }
}

TEST(DocRead, WrapIntoTheHundredthLineIsCut) {
    auto doc = doc_test::SizedDoc();
    Read(*doc, Repeat("\r\n", 98) + std::string(200, 'y'));
    EXPECT_EQ(doc->m_nLines, 99);
    EXPECT_TRUE(doc->m_bLoadWrapped);
    EXPECT_TRUE(doc->m_bLoadCut);
}

TEST(DocRead, LastLineWithoutLineEndCounts) {
    auto doc = doc_test::SizedDoc();
    Read(*doc, Repeat("\r\n", 98) + "ab");
    EXPECT_EQ(doc->m_nLines, 99);
    EXPECT_FALSE(doc->m_bLoadCut);
}

TEST(DocRead, FlagsAreResetByTheNextRead) {
    auto doc = doc_test::SizedDoc();
    Read(*doc, std::string(300, 'x') + Repeat("\r\nL", 120));
    EXPECT_TRUE(doc->m_bLoadWrapped && doc->m_bLoadCut);
    Read(*doc, "ab");
    EXPECT_FALSE(doc->m_bLoadWrapped || doc->m_bLoadCut);
}

TEST(DocRead, CanvasGrowsButNeverShrinksBelowItsDefaults) {
    struct Case {
        int columns, lines; // defaults
        int fileCells, fileLines;
        int wantColumns, wantLines;
    };
    const Case cases[] = {
        {10, 10, 15, 12, 15, 12}, {40, 30, 5, 5, 40, 30},   {40, 30, 41, 30, 41, 30},
        {99, 99, 1, 1, 99, 99},   {10, 10, 10, 10, 10, 10},
    };
    for (const Case& c : cases) {
        auto doc = doc_test::SizedDoc(c.columns, c.lines);
        Read(*doc, Repeat(Repeat("ab", c.fileCells) + "\r\n", c.fileLines));
        EXPECT_EQ(doc->m_nColumns, c.wantColumns);
        EXPECT_EQ(doc->m_nLines, c.wantLines);
    }
}

TEST(DocRead, BoxDrawingCharactersBecomeLineCells) {
    std::string file;
    for (int flags : g_validLineFlags) file += LineGlyphFor(flags);
    auto doc = doc_test::SizedDoc();
    Read(*doc, file);
    for (int i = 0; i < 32; ++i) {
        EXPECT_TRUE(doc->Cell(i, 0).m_bLine) << i;
        EXPECT_EQ(doc->Cell(i, 0).m_nLineFlags, g_validLineFlags[i]);
    }
}

TEST(DocRead, LoadedLinesMergeWithDrawing) {
    auto doc = doc_test::SizedDoc();
    Read(*doc, "\x84\xA9\r\n\x84\xAA"); // ┼ over ━
    doc->DrawHorizontalLine(nullptr, 0, 0, 2, 0, 0);
    EXPECT_EQ(doc->Cell(0, 0).m_nLineFlags, 15);
    EXPECT_EQ(Text(doc->Cell(0, 0)), "\x84\xA9");
    doc->DrawVerticalLine(nullptr, 0, 1, 0, 1, 0);
    EXPECT_EQ(Text(doc->Cell(0, 1)), "\x84\xB9"); // ┿
}

// --- Round trip -------------------------------------------------------------

TEST(DocFile, WriteThenReadGivesIdenticalCells) {
    static const char* kTexts[] = {"ab",       "c ",       "  ",      " d",      "\x82\xA0",
                                   "\x81\x40", "\xB1\xDF", SJIS_STAR, "\x84\xA9"};
    auto doc = doc_test::SizedDoc(99, 99);
    for (int y = 0; y < 99; ++y)
        for (int x = 0; x < 99; ++x) {
            int k = (x * 7 + y * 3) % 11;
            if (x == 98 || k >= 9)
                doc->Cell(x, y).SetLineFlags(g_validLineFlags[(x + y) % 32]);
            else
                doc->Cell(x, y).SetText(kTexts[k]);
        }
    std::string bytes = Write(*doc);
    auto read = doc_test::SizedDoc();
    Read(*read, bytes);
    EXPECT_EQ(read->m_nColumns, 99);
    EXPECT_EQ(read->m_nLines, 99);
    for (int y = 0; y < 99; ++y)
        for (int x = 0; x < 99; ++x) ASSERT_EQ(read->Cell(x, y), doc->Cell(x, y)) << x << "," << y;
    EXPECT_EQ(Write(*read), bytes);
}

// --- Files on disk ----------------------------------------------------------

namespace {

class DocDiskFile : public TempDirTest {
protected:
    size_t EntryCount() const {
        return size_t(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()));
    }
    void ExpectSaveFailsKeepingOld(const std::string& path) {
        auto doc = doc_test::SizedDoc();
        std::string error;
        EXPECT_FALSE(SaveDocumentFile(*doc, path, error));
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_EQ(Get(path), "old");
    }
};

} // namespace

TEST_F(DocDiskFile, SaveThenLoadAndClearTheModifiedFlag) {
    auto doc = doc_test::SizedDoc(12, 10);
    doc->Cell(11, 9).SetLineFlags(63);
    std::string error, path = PathOf("a.txt");
    ASSERT_TRUE(SaveDocumentFile(*doc, path, error)) << error;
    EXPECT_EQ(Get(path), Write(*doc));
    auto read = doc_test::SizedDoc();
    read->SetModifiedFlag();
    ASSERT_TRUE(LoadDocumentFile(*read, path, error)) << error;
    EXPECT_EQ(read->m_nColumns, 12);
    EXPECT_EQ(read->Cell(11, 9).m_nLineFlags, 63);
    EXPECT_FALSE(read->IsModified());
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(DocDiskFile, SaveIntoAMissingDirectoryFails) {
    auto doc = doc_test::SizedDoc();
    std::string error, path = PathOf("no/such/dir.txt");
    EXPECT_FALSE(SaveDocumentFile(*doc, path, error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
}

// A writable file in a read-only folder is written through its inode; a new
// file cannot be made there.
TEST_F(DocDiskFile, SaveIntoAReadOnlyDirectoryWritesTheFileThrough) {
    std::string path = PathOf("old.txt");
    Put(path, "old");
    fs::permissions(m_dir, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(PathOf("probe")).good()) GTEST_SKIP() << "directory stays writable (root)";
    auto doc = doc_test::SizedDoc();
    std::string error;
    EXPECT_TRUE(SaveDocumentFile(*doc, path, error)) << error;
    EXPECT_EQ(Get(path), Write(*doc));
    EXPECT_FALSE(SaveDocumentFile(*doc, PathOf("new.txt"), error));
    EXPECT_EQ(EntryCount(), 1u);
}

// A name too long for the file system is refused; the longest valid name saves
// (the temporary name cuts its copy of it short).
TEST_F(DocDiskFile, TooLongANameIsRefusedAndTheLongestValidOneSaves) {
    auto doc = doc_test::SizedDoc();
    std::string error;
    EXPECT_FALSE(SaveDocumentFile(*doc, PathOf(std::string(256, 'n')), error));
    EXPECT_NE(error.find(std::string(256, 'n')), std::string::npos) << error;
    EXPECT_EQ(EntryCount(), 0u);
    std::string path = PathOf(std::string(250, 'n'));
    Put(path, "old");
    ASSERT_TRUE(SaveDocumentFile(*doc, path, error)) << error;
    EXPECT_EQ(Get(path), Write(*doc));
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(DocDiskFile, SaveFailingWhileWritingKeepsTheOldFile) {
    std::string path = PathOf("old.txt");
    Put(path, "old");
    rlimit saved;
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 5;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    ExpectSaveFailsKeepingOld(path);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(EntryCount(), 1u); // the temporary file is gone
}

TEST_F(DocDiskFile, LoadOfAMissingFileFails) {
    auto doc = doc_test::SizedDoc();
    std::string error, path = PathOf("missing.txt");
    EXPECT_FALSE(LoadDocumentFile(*doc, path, error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_EQ(doc->m_nColumns, 10);
}

TEST_F(DocDiskFile, HugeFileLoadsIntoAValidCanvas) {
    std::string bytes(10 * 1024 * 1024, ' ');
    unsigned state = 12345;
    for (char& b : bytes) b = char((state = state * 1103515245u + 12345u) >> 23);
    // Garbage that still passes for text (files that do not are refused, see
    // BinaryFileTest): no NUL and no control bytes but line ends.
    for (char& b : bytes)
        if ((static_cast<unsigned char>(b) < 0x20 && b != '\r' && b != '\n') || b == 0x7F) b = ' ';
    std::string error, path = PathOf("huge.txt");
    Put(path, bytes);
    auto doc = doc_test::SizedDoc();
    ASSERT_TRUE(LoadDocumentFile(*doc, path, error)) << error;
    ExpectValidCanvas(*doc);
    EXPECT_TRUE(doc->m_bLoadCut);
}

TEST_F(DocDiskFile, OnlyFilesLongerThanFourMegabytesCountAsCutBySize) {
    const size_t limit = 4 * 1024 * 1024;
    for (size_t size : {limit, limit + 1}) {
        std::string error, path = PathOf("blank.txt");
        Put(path, std::string(size, ' '));
        auto doc = doc_test::SizedDoc();
        ASSERT_TRUE(LoadDocumentFile(*doc, path, error)) << error;
        EXPECT_EQ(bool(doc->m_bLoadCut), size > limit) << size;
    }
}

// --- Metrics and hit tests --------------------------------------------------

TEST(DocMetrics, CellSizeForEachIndexAndResolution) {
    const int at96[] = {7, 9, 12, 15, 19, 25};
    const int at120[] = {8, 11, 15, 19, 24, 32};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(CRuvlenDoc::GetCellSize(96, i), at96[i]) << i;
        EXPECT_EQ(CRuvlenDoc::GetCellSize(120, i), at120[i]) << i;
    }
    for (int outside : {-1, 6, 9}) EXPECT_EQ(CRuvlenDoc::GetCellSize(96, outside), 9);
}

TEST(DocMetrics, ComputeMetricsDerivesTheCanvasGeometry) {
    auto doc = doc_test::SizedDoc(40, 30);
    doc->m_nFontSize = 0; // 7 pixels at 96 dpi: an odd cell
    doc->ComputeMetrics(96);
    EXPECT_EQ(doc->m_nCellSize, 7);
    EXPECT_EQ(doc->m_nCanvasWidth, 281);
    EXPECT_EQ(doc->m_nCanvasHeight, 211);
    EXPECT_EQ(doc->m_nTotalWidth, 281 + 28 + 3);
    EXPECT_EQ(doc->m_nTotalHeight, 211 + 28 + 3);
    EXPECT_EQ(doc->m_nOriginX, 14);
    EXPECT_EQ(doc->m_nOriginY, 14);
    CCellRect rc = doc->CellToLogical({1, 2, 3, 4});
    EXPECT_EQ(rc, (CCellRect{21, 28, 42, 49}));
}

namespace {

// A 40 x 30 canvas of 12-pixel cells with its origin at (24, 24).
std::unique_ptr<CRuvlenDoc> MeasuredDoc() {
    auto doc = doc_test::SizedDoc(40, 30);
    doc->ComputeMetrics(96);
    return doc;
}

} // namespace

TEST(DocHitTest, IsInCanvasBoundsAreInclusive) {
    auto doc = MeasuredDoc();
    const int right = 24 + 481, bottom = 24 + 361;
    struct Case {
        int x, y, in;
    };
    const Case cases[] = {{24, 24, 1},        {23, 24, 0},         {24, 23, 0},
                          {right, bottom, 1}, {right + 1, 100, 0}, {100, bottom + 1, 0},
                          {right, 24, 1},     {24, bottom, 1},     {-5, -5, 0}};
    for (const Case& c : cases) EXPECT_EQ(doc->IsInCanvas(c.x, c.y), c.in) << c.x << "," << c.y;
}

TEST(DocHitTest, CellFromPointClampsOnAllSides) {
    auto doc = MeasuredDoc();
    struct Case {
        int x, y, col, line;
    };
    const Case cases[] = {{24, 24, 0, 0},     {35, 35, 0, 0},    {36, 36, 1, 1},
                          {0, 0, 0, 0},       {-100, 50, 0, 2},  {503, 383, 39, 29},
                          {504, 384, 39, 29}, {9999, -1, 39, 0}, {50, 9999, 2, 29}};
    for (const Case& c : cases)
        EXPECT_EQ(doc->CellFromPoint(c.x, c.y), (CCellPoint{c.col, c.line})) << c.x << "," << c.y;
}

TEST(DocHitTest, ArmFromPointPicksTheTriangle) {
    auto doc = MeasuredDoc();
    struct Case {
        int px, py, arm; // offset inside a 12-pixel cell
    };
    const Case cases[] = {
        // inside the four triangles
        {1, 6, ARM_LEFT},
        {10, 6, ARM_RIGHT},
        {6, 1, ARM_UP},
        {6, 10, ARM_DOWN},
        // on the main diagonal: up before the centre, right from it
        {0, 0, ARM_UP},
        {5, 5, ARM_UP},
        {6, 6, ARM_RIGHT},
        {11, 11, ARM_RIGHT},
        // on the other diagonal (px + py = 12): down or right; just inside it: left or up
        {1, 11, ARM_DOWN},
        {11, 1, ARM_RIGHT},
        {0, 11, ARM_LEFT},
        {11, 0, ARM_UP},
    };
    for (const Case& c : cases)
        for (int cell : {2, 5, 41}) // any cell, margins included
            EXPECT_EQ(doc->ArmFromPoint(cell * 12 + c.px, cell * 12 + c.py), c.arm)
                << c.px << "," << c.py;
}

// --- Undo snapshot ----------------------------------------------------------

namespace {

class RecordingView : public CDocView {
public:
    void InvalidateCells(const CCellRect& rc) override { m_rects.push_back(rc); }
    void OnUpdate(int) override {}
    std::vector<CCellRect> m_rects;
};

} // namespace

TEST(DocUndo, UndoExchangesTheSnapshotAndActsAsRedo) {
    auto doc = doc_test::SizedDoc();
    doc->Cell(1, 1).SetText("ab");
    doc->SaveUndo(1, 1, 3, 2);
    doc->Cell(1, 1).SetLineFlags(5);
    doc->Cell(3, 2).SetText("zz");
    doc->Cell(4, 2).SetText("ou"); // outside the snapshot
    doc->SetModifiedFlag(0);
    RecordingView view;
    doc->Undo(&view);
    EXPECT_EQ(Text(doc->Cell(1, 1)), "ab");
    EXPECT_FALSE(doc->Cell(1, 1).m_bLine);
    EXPECT_EQ(Text(doc->Cell(3, 2)), "  ");
    EXPECT_EQ(Text(doc->Cell(4, 2)), "ou");
    EXPECT_EQ(view.m_rects, (std::vector<CCellRect>{{1, 1, 3, 2}}));
    doc->Undo(&view);
    EXPECT_EQ(doc->Cell(1, 1).m_nLineFlags, 5);
    EXPECT_EQ(Text(doc->Cell(3, 2)), "zz");
    EXPECT_TRUE(doc->m_bUndo);
    EXPECT_EQ(doc->m_rcUndo, (CCellRect{1, 1, 3, 2}));
    EXPECT_TRUE(doc->IsModified()); // the cells may differ from the file
}

TEST(DocUndo, SaveUndoCellSnapshotsOneCell) {
    auto doc = doc_test::SizedDoc();
    doc->SaveUndo(0, 0, 5, 5);
    CCell old = doc->Cell(2, 3);
    doc->Cell(2, 3).SetText("xy");
    doc->Cell(0, 0).SetText("ke");
    doc->SaveUndoCell(old, 2, 3);
    EXPECT_EQ(doc->m_rcUndo, (CCellRect{2, 3, 2, 3}));
    doc->SetModifiedFlag(1);
    doc->Undo(nullptr);
    EXPECT_EQ(doc->Cell(2, 3), old);
    EXPECT_EQ(Text(doc->Cell(0, 0)), "ke");
    EXPECT_TRUE(doc->IsModified());
}

TEST(DocUndo, UndoWithoutSnapshotDoesNothing) {
    auto doc = doc_test::SizedDoc();
    doc->Cell(0, 0).SetText("ab");
    doc->UndoCell(0, 0).SetText("zz");
    RecordingView view;
    doc->Undo(&view);
    EXPECT_EQ(Text(doc->Cell(0, 0)), "ab");
    EXPECT_TRUE(view.m_rects.empty());
}

TEST(DocUndo, DrawingThenUndoRestoresTheCanvas) {
    auto doc = doc_test::SizedDoc();
    doc->Cell(2, 2).SetText("ab");
    doc->DrawRectangle(nullptr, 1, 1, 5, 4, 1);
    EXPECT_TRUE(doc->IsModified());
    doc->Undo(nullptr);
    EXPECT_EQ(Write(*doc), Repeat("\r\n", 2) + "    ab\r\n" + Repeat("\r\n", 7));
    EXPECT_TRUE(doc->IsModified());
}

// --- Ending a tool ----------------------------------------------------------

namespace {

class CountingTool : public CToolObject {
public:
    CountingTool(int* erased, int* deleted) : m_erased(erased), m_deleted(deleted) {}
    ~CountingTool() override { ++*m_deleted; }
    void EraseFeedback() override { ++*m_erased; }

private:
    int* m_erased;
    int* m_deleted;
};

} // namespace

TEST(DocTool, EndToolByState) {
    struct Case {
        int state, erased, deleted, toolMode;
    };
    const Case cases[] = {
        {0, 0, 0, ID_TOOL_HLINE}, {1, 1, 1, ID_TOOL_HLINE}, {2, 1, 1, ID_TOOL_SELECT}};
    for (const Case& c : cases) {
        int erased = 0, deleted = 0; // outlive the document, which owns the tool
        auto doc = doc_test::SizedDoc();
        doc->m_pTool = std::make_unique<CountingTool>(&erased, &deleted);
        doc->m_nToolState = c.state;
        doc->m_nToolMode = ID_TOOL_HLINE;
        doc->m_nPrevToolMode = ID_TOOL_SELECT;
        doc->m_bDragSelection = 1;
        doc->EndTool();
        EXPECT_EQ(erased, c.erased) << c.state;
        EXPECT_EQ(deleted, c.deleted) << c.state;
        EXPECT_EQ(doc->m_nToolMode, c.toolMode) << c.state;
        EXPECT_EQ(doc->m_nToolState, 0);
        EXPECT_EQ(doc->m_bDragSelection, c.state ? 0 : 1);
        EXPECT_EQ(doc->m_pTool == nullptr, c.state != 0);
    }
}

TEST(DocTool, EndToolWithoutToolObject) {
    auto doc = doc_test::SizedDoc();
    doc->m_nToolState = 2;
    doc->m_nPrevToolMode = ID_TOOL_ERASE;
    doc->EndTool();
    EXPECT_EQ(doc->m_nToolMode, ID_TOOL_ERASE);
    EXPECT_EQ(doc->m_nToolState, 0);
}
