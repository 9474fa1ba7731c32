// Diagram blocks: fences and paragraphs of a made-up note in every format, and
// what must hold of the blocks of any file, checked over the installed
// documentation.
#include "canvas/io/DiagramBlocks.h"
#include "canvas/io/FileLines.h"

#include "PartTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct Range {
    int first, last;
    bool operator==(const Range& o) const { return first == o.first && last == o.last; }
};

std::vector<Range> Ranges(const std::vector<CDiagramBlock>& blocks) {
    std::vector<Range> ranges;
    for (const CDiagramBlock& b : blocks) ranges.push_back({b.m_nFirst, b.m_nLast});
    return ranges;
}

// Any character of U+2500..U+257F, read from the UTF-8 text.
bool HoldsBox(const std::string& utf8Line) {
    for (size_t i = 0; i + 2 < utf8Line.size(); ++i) {
        const auto b = [&](size_t k) { return static_cast<unsigned char>(utf8Line[i + k]); };
        const unsigned code = ((b(0) & 0x0Fu) << 12) | ((b(1) & 0x3Fu) << 6) | (b(2) & 0x3Fu);
        if ((b(0) & 0xF0) == 0xE0 && (b(1) & 0xC0) == 0x80 && (b(2) & 0xC0) == 0x80 &&
            code >= 0x2500 && code <= 0x257F)
            return true;
    }
    return false;
}

bool IsFenceLine(const std::string& utf8Line) {
    const size_t start = utf8Line.find_first_not_of(" \t");
    return start != std::string::npos &&
           (utf8Line.compare(start, 3, "```") == 0 || utf8Line.compare(start, 3, "~~~") == 0);
}

// What must hold of any file's blocks: in order without overlap; each holds a
// line with a box-drawing character and every such line is in one; each is
// bounded by a blank line, a fence line or the file's edge.
void ExpectSoundBlocks(const std::string& name, const std::string& bytes) {
    const CTextFormat format = DetectTextFormat(bytes);
    const std::vector<CFileLine> lines = SplitFileLines(bytes, format);
    const std::vector<CDiagramBlock> blocks = FindDiagramBlocks(bytes, format);
    const auto text = [&](int n) {
        return FileLineUtf8(bytes, lines[size_t(n - 1)], format.m_encoding);
    };
    const auto bound = [&](int n) {
        return n < 1 || n > int(lines.size()) ||
               IsBlankFileLine(bytes, lines[size_t(n - 1)], format.m_encoding) ||
               IsFenceLine(text(n));
    };
    std::vector<int> inBlock(lines.size() + 2, 0);
    int previousLast = 0;
    for (const CDiagramBlock& b : blocks) {
        SCOPED_TRACE(name + " block " + std::to_string(b.m_nFirst) + "-" +
                     std::to_string(b.m_nLast));
        ASSERT_LE(b.m_nFirst, b.m_nLast);
        ASSERT_LT(previousLast, b.m_nFirst);
        previousLast = b.m_nLast;
        EXPECT_TRUE(bound(b.m_nFirst - 1));
        EXPECT_TRUE(bound(b.m_nLast + 1));
        bool box = false;
        for (int n = b.m_nFirst; n <= b.m_nLast; ++n) {
            box = box || HoldsBox(text(n));
            ++inBlock[size_t(n)];
        }
        EXPECT_TRUE(box);
    }
    for (int n = 1; n <= int(lines.size()); ++n) {
        if (HoldsBox(text(n)) && !IsFenceLine(text(n))) {
            EXPECT_EQ(inBlock[size_t(n)], 1) << name << " line " << n;
        }
    }
}

} // namespace

TEST(DiagramBlocks, FencesAndParagraphsOfANote) {
    const std::vector<CDiagramBlock> blocks =
        FindDiagramBlocks(part_test::LongNote(), CTextFormat{TextEncoding::Utf8, LineEnding::Lf});
    const std::vector<Range> expected = {{42, 47}, {60, 64}, {128, 130}};
    EXPECT_EQ(Ranges(blocks), expected);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].m_strFirstLine, "┌──────┐");
    EXPECT_EQ(blocks[1].m_strFirstLine, "The boxes below:");
}

// The encoding, the line ends and a byte-order mark change nothing.
TEST(DiagramBlocks, EveryFormatOfTheNoteHasTheSameBlocks) {
    const std::string note = part_test::LongNote();
    const std::vector<CDiagramBlock> reference = FindDiagramBlocks(note, DetectTextFormat(note));
    for (const auto& [name, bytes] : part_test::NoteVariants()) {
        SCOPED_TRACE(name);
        const std::vector<CDiagramBlock> blocks = FindDiagramBlocks(bytes, DetectTextFormat(bytes));
        EXPECT_EQ(Ranges(blocks), Ranges(reference));
        for (size_t i = 0; i < blocks.size() && i < reference.size(); ++i)
            EXPECT_EQ(blocks[i].m_strFirstLine, reference[i].m_strFirstLine);
        ExpectSoundBlocks(name, bytes);
    }
}

TEST(DiagramBlocks, FenceRules) {
    const CTextFormat utf8{TextEncoding::Utf8, LineEnding::Lf};
    // A closing fence needs the opening mark, at least as long, and nothing after.
    const std::string text = "````md\n┌┐\n```\n└┘\n~~~~\n``` more\n````  \n│\n";
    EXPECT_EQ(Ranges(FindDiagramBlocks(text, utf8)), (std::vector<Range>{{2, 6}, {8, 8}}));
    // Inline code with backticks after the marks opens no fence.
    EXPECT_EQ(Ranges(FindDiagramBlocks("```a`b```\n│\n", utf8)), (std::vector<Range>{{1, 2}}));
    // No file, no lines, no blocks.
    EXPECT_TRUE(FindDiagramBlocks("", utf8).empty());
    EXPECT_TRUE(FindDiagramBlocks("```\n```\n", utf8).empty());
}

TEST(DiagramBlocks, BlocksOfTheInstalledDocumentationAreSound) {
    const auto docs = part_test::InstalledDocs();
    if (docs.empty()) GTEST_SKIP() << "no long text files under /usr/share/doc";
    for (const auto& [path, bytes] : docs) ExpectSoundBlocks(path, bytes);
}
