// Parts of files: a range of a file's lines opened on a canvas and written
// back into the file. Saved with no edits, every range of a made-up note in
// every format and every diagram block of the installed documentation gives
// its file back byte for byte; an edit, an insert or a delete gives what
// replacing the same lines of the file by hand gives; a file changed on disk
// is never written over.
#include "canvas/RuvlenDoc.h"
#include "canvas/io/DocumentText.h"
#include "canvas/io/FileLines.h"
#include "canvas/io/FilePartFile.h"
#include "canvas/io/PartSplice.h"

#include "PartTestSupport.h"
#include "TempDirTest.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct COpened {
    std::unique_ptr<CRuvlenDoc> doc = std::make_unique<CRuvlenDoc>();
    CFilePart part;
    CPartProblem problem;
    bool ok = false;
};

COpened Open(const std::string& bytes, int first, int last) {
    COpened o;
    o.ok = CutFilePart(bytes, DetectTextFormat(bytes), first, last, o.part, o.problem) &&
           LoadFilePart(*o.doc, o.part, o.problem);
    return o;
}

// The file's lines with their line ends; the byte-order mark, if any, apart.
struct CSplit {
    std::string bom;
    std::vector<std::string> lines;
    std::string Join() const {
        std::string out = bom;
        for (const std::string& line : lines) out += line;
        return out;
    }
};

CSplit Split(const std::string& bytes) {
    const CTextFormat format = DetectTextFormat(bytes);
    CSplit split;
    const std::vector<CFileLine> lines = SplitFileLines(bytes, format);
    split.bom = bytes.substr(0, lines.empty() ? bytes.size() : lines[0].m_nStart);
    for (const CFileLine& l : lines)
        split.lines.push_back(bytes.substr(l.m_nStart, l.m_nEnd - l.m_nStart));
    return split;
}

std::string Eol(const CFilePart& part) {
    return part.m_format.m_lineEnding == LineEnding::Lf ? "\n" : "\r\n";
}

bool HasEnd(const std::string& line) {
    return !line.empty() && line.back() == '\n';
}

std::string Name(const std::string& file, int first, int last, const char* edit, int k) {
    return file + " " + std::to_string(first) + "-" + std::to_string(last) + " " + edit + " " +
           std::to_string(k);
}

// The canvas's lines as the writer writes them, without line ends, and blank
// lines after them up to the canvas's last line.
std::vector<std::string> Written(const COpened& o) {
    std::vector<std::string> lines =
        Split(DocumentText(*o.doc, PartBodyFormat(o.part.m_format))).lines;
    for (std::string& line : lines) line = line.substr(0, line.find_first_of("\r\n"));
    lines.resize(size_t(std::max(int(lines.size()), o.doc->m_nLines)));
    return lines;
}

// The file changed by hand: range line j of the result is the file's range
// line map[j] (-1: a new line), kept byte for byte while the canvas still
// writes it as it was read, else the canvas's line with a line end.
std::string ByHand(const std::string& bytes, const COpened& before, const COpened& after,
                   const std::vector<int>& map) {
    CSplit split = Split(bytes);
    const int first = before.part.m_nFirst, n = before.part.m_nLines;
    const std::vector<std::string> was = Written(before), now = Written(after);
    const std::vector<std::string> raw(split.lines.begin() + (first - 1),
                                       split.lines.begin() + (first - 1 + n));
    const bool finalEnd = HasEnd(raw.back());
    std::vector<std::string> range;
    for (size_t j = 0; j < map.size(); ++j) {
        const bool kept = map[j] >= 0 && now[j] == was[size_t(map[j])];
        std::string line = kept ? raw[size_t(map[j])] : now[j] + Eol(before.part);
        if (!HasEnd(line)) line += Eol(before.part);
        if (j + 1 == map.size() && !finalEnd) line.erase(line.find_last_not_of("\r\n") + 1);
        range.push_back(line);
    }
    split.lines.erase(split.lines.begin() + (first - 1), split.lines.begin() + (first - 1 + n));
    split.lines.insert(split.lines.begin() + (first - 1), range.begin(), range.end());
    return split.Join();
}

// A line diff cannot tell which of two equal lines a new line stands for: the
// cases compared by hand are those where every new or changed line is unlike
// every line read.
bool Unambiguous(const COpened& before, const COpened& after, const std::vector<int>& map) {
    const std::vector<std::string> was = Written(before), now = Written(after);
    for (size_t j = 0; j < map.size(); ++j) {
        if (map[j] >= 0 && now[j] == was[size_t(map[j])]) continue;
        const auto read = was.begin() + before.part.m_nLines;
        if (std::find(was.begin(), read, now[j]) != read) return false;
    }
    return true;
}

void ExpectSameAsByHand(const std::string& what, const std::string& bytes, const COpened& before,
                        const COpened& after, const std::vector<int>& map) {
    if (!Unambiguous(before, after, map)) return;
    int lines = 0;
    const std::string saved = PartFileText(*after.doc, after.part, &lines);
    EXPECT_TRUE(saved == ByHand(bytes, before, after, map)) << what;
    EXPECT_EQ(lines, int(map.size())) << what;
}

// The ranges a test walks for a file: its diagram blocks, and a few others
// drawn from a fixed seed.
std::vector<std::pair<int, int>> RangesOf(const std::string& bytes, int drawn) {
    std::vector<std::pair<int, int>> ranges;
    const CTextFormat format = DetectTextFormat(bytes);
    for (const CDiagramBlock& b : FindDiagramBlocks(bytes, format))
        ranges.emplace_back(b.m_nFirst, b.m_nLast);
    const int count = int(SplitFileLines(bytes, format).size());
    std::mt19937 random(unsigned(bytes.size()));
    for (int i = 0; i < drawn && count > 0; ++i) {
        const int first = 1 + int(random() % unsigned(count));
        const int length = 1 + int(random() % 99u);
        ranges.emplace_back(first, std::min(count, first + length - 1));
    }
    return ranges;
}

// Saved with no edits, each range gives the file back; returns how many opened.
int ExpectExactRoundTrips(const std::string& name, const std::string& bytes,
                          const std::vector<std::pair<int, int>>& ranges) {
    int opened = 0;
    for (const auto& [first, last] : ranges) {
        const COpened o = Open(bytes, first, last);
        if (!o.ok) {
            EXPECT_TRUE(o.problem.m_kind == EPartProblem::TooWide ||
                        o.problem.m_kind == EPartProblem::TooLong)
                << Name(name, first, last, "open", 0);
            continue;
        }
        ++opened;
        EXPECT_TRUE(PartFileText(*o.doc, o.part) == bytes) << Name(name, first, last, "open", 0);
    }
    return opened;
}

// Writes ◎◎ over the start of canvas line k.
void MarkLine(CRuvlenDoc& doc, int k) {
    doc.PutTextHorizontal(nullptr, 0, k, 1, k, "\x81\x9D\x81\x9D");
}

// An edit of canvas line k: only file line first + k changes.
void ExpectEditReplacesOneLine(const std::string& name, const std::string& bytes, int first,
                               int last, int k) {
    const COpened before = Open(bytes, first, last);
    COpened after = Open(bytes, first, last);
    if (!after.ok) return;
    MarkLine(*after.doc, k);
    std::vector<int> map(size_t(last - first + 1));
    for (size_t j = 0; j < map.size(); ++j) map[j] = int(j) == k ? -1 : int(j);
    ExpectSameAsByHand(Name(name, first, last, "edit", k), bytes, before, after, map);
}

// Inserting m lines above canvas line k and drawing on them: the rest of the
// file moves down by m.
void ExpectInsertMovesTheRestDown(const std::string& name, const std::string& bytes, int first,
                                  int last, int k, int m) {
    const COpened before = Open(bytes, first, last);
    COpened after = Open(bytes, first, last);
    if (!after.ok) return;
    after.doc->Select(nullptr, 0, k, after.doc->m_nColumns - 1, k + m - 1);
    ASSERT_TRUE(after.doc->InsertLines(nullptr).Done());
    // Drawn on, so that no new line is like one read.
    for (int j = k; j < k + m; ++j) MarkLine(*after.doc, j);
    std::vector<int> map;
    for (int j = 0; j < last - first + 1 + m; ++j)
        map.push_back(j < k ? j : j < k + m ? -1 : j - m);
    ExpectSameAsByHand(Name(name, first, last, "insert", k), bytes, before, after, map);
}

// Deleting canvas line k: the rest of the file moves up by one line, as long
// as the range's last line with something on it stays below the seam.
void ExpectDeleteMovesTheRestUp(const std::string& name, const std::string& bytes, int first,
                                int last, int k) {
    const COpened before = Open(bytes, first, last);
    COpened after = Open(bytes, first, last);
    if (!after.ok) return;
    const std::vector<std::string> was = Written(before);
    int content = int(was.size());
    while (content > 0 && was[size_t(content - 1)].empty()) --content;
    if (k + 2 >= content) return;
    after.doc->Select(nullptr, 0, k, after.doc->m_nColumns - 1, k);
    ASSERT_TRUE(after.doc->DeleteLines(nullptr).Done());
    std::vector<int> map;
    for (int j = 0; j < last - first; ++j) map.push_back(j < k ? j : j + 1);
    ExpectSameAsByHand(Name(name, first, last, "delete", k), bytes, before, after, map);
}

void ExpectEditsMatchByHand(const std::string& name, const std::string& bytes,
                            const std::vector<std::pair<int, int>>& ranges) {
    for (const auto& [first, last] : ranges) {
        const int n = last - first + 1;
        for (int k : {0, n / 2, n - 1}) ExpectEditReplacesOneLine(name, bytes, first, last, k);
        if (n + 3 <= CRuvlenDoc::MAX_SIZE)
            ExpectInsertMovesTheRestDown(name, bytes, first, last, n / 2, 3);
        ExpectDeleteMovesTheRestUp(name, bytes, first, last, n / 3);
    }
}

} // namespace

TEST(FilePart, EveryRangeOfTheNoteInEveryFormatRoundTripsExactly) {
    for (const auto& [name, bytes] : part_test::NoteVariants()) {
        std::vector<std::pair<int, int>> ranges = RangesOf(bytes, 0);
        for (int first = 1; first <= 130; ++first)
            for (int length : {1, 2, 9, 40, 99})
                if (first + length - 1 <= 130) ranges.emplace_back(first, first + length - 1);
        EXPECT_EQ(ExpectExactRoundTrips(name, bytes, ranges), int(ranges.size()));
    }
}

TEST(FilePart, EditsInsertsAndDeletesInTheNoteMatchTheFileChangedByHand) {
    for (const auto& [name, bytes] : part_test::NoteVariants()) {
        std::vector<std::pair<int, int>> ranges = RangesOf(bytes, 0);
        ranges.insert(ranges.end(),
                      {{1, 99}, {1, 1}, {100, 130}, {129, 130}, {130, 130}, {45, 70}});
        ExpectEditsMatchByHand(name, bytes, ranges);
    }
}

TEST(FilePart, InstalledDocumentationRoundTripsAndEditsMatchByHand) {
    const auto docs = part_test::InstalledDocs();
    if (docs.empty()) GTEST_SKIP() << "no long text files under /usr/share/doc";
    int opened = 0, blocks = 0;
    for (const auto& [path, bytes] : docs) {
        const auto ranges = RangesOf(bytes, 2);
        const size_t found = FindDiagramBlocks(bytes, DetectTextFormat(bytes)).size();
        blocks += int(found);
        opened += ExpectExactRoundTrips(path, bytes, ranges);
        // Edits where there are diagrams; the other files' ranges are plain text.
        if (found > 0) ExpectEditsMatchByHand(path, bytes, ranges);
    }
    EXPECT_GT(opened, 0);
    RecordProperty("files", int(docs.size()));
    RecordProperty("blocks", blocks);
}

TEST(FilePart, ARangeBeyondACanvasIsRefusedNamingTheLine) {
    std::string bytes = part_test::LongNote();
    const size_t line70 = SplitFileLines(bytes, CTextFormat())[69].m_nStart;
    bytes.insert(line70, std::string(250, 'w')); // 125 cells
    COpened o = Open(bytes, 60, 80);
    EXPECT_EQ(o.problem.m_kind, EPartProblem::TooWide);
    EXPECT_EQ(o.problem.m_nLine, 70);
    EXPECT_NE(DescribePartProblem(o.problem).find("70"), std::string::npos);
    EXPECT_NE(DescribePartProblemEnglish(o.problem).find("line 70"), std::string::npos);
    o = Open(bytes, 71, 130);
    EXPECT_TRUE(o.ok);

    o = Open(bytes, 1, 100);
    EXPECT_EQ(o.problem.m_kind, EPartProblem::TooLong);
    EXPECT_EQ(o.problem.m_nLine, 100);
    EXPECT_TRUE(Open(part_test::LongNote(), 2, 100).ok);
    o = Open(bytes, 120, 131);
    EXPECT_EQ(o.problem.m_kind, EPartProblem::NoSuchLine);
    EXPECT_EQ(o.problem.m_nFileLines, 130);
    o = Open(bytes, 0, 5);
    EXPECT_EQ(o.problem.m_kind, EPartProblem::NoSuchLine);
    o = Open(bytes, 9, 8);
    EXPECT_EQ(o.problem.m_kind, EPartProblem::Reversed);
    EXPECT_FALSE(Open("", 1, 1).ok);
}

TEST(FilePart, TheCanvasFitsThePartWithRoomToGrow) {
    CCanvasDefaults big;
    big.m_nDefaultColumns = big.m_nDefaultLines = 99;
    CRuvlenDoc doc(big);
    CFilePart part;
    CPartProblem problem;
    const std::string note = part_test::LongNote();
    ASSERT_TRUE(CutFilePart(note, DetectTextFormat(note), 60, 64, part, problem));
    ASSERT_TRUE(LoadFilePart(doc, part, problem));
    EXPECT_EQ(doc.m_nLines, CRuvlenDoc::MIN_SIZE + kPartRoom); // 5 lines, at least 10
    EXPECT_EQ(doc.m_nColumns, 12 + kPartRoom);                 // "(note under the boxes)"
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.m_textFormat == part.m_format);
}

// The byte-order mark stays before line 1; a last line without a line end
// stays without one, also when lines are added after it.
TEST(FilePart, TheFileEdgesStayAsTheyWere) {
    const std::string note = "\xEF\xBB\xBF" + part_test::LongNote();
    COpened o = Open(note, 1, 3);
    ASSERT_TRUE(o.ok);
    MarkLine(*o.doc, 0);
    EXPECT_EQ(PartFileText(*o.doc, o.part).compare(0, 6, "\xEF\xBB\xBF\xE2\x97\x8E"), 0);

    const std::string open = part_test::LongNote().substr(0, part_test::LongNote().size() - 1);
    o = Open(open, 129, 130);
    ASSERT_TRUE(o.ok);
    MarkLine(*o.doc, 4);
    int lines = 0;
    const std::string saved = PartFileText(*o.doc, o.part, &lines);
    EXPECT_EQ(lines, 5);
    EXPECT_EQ(saved.substr(saved.size() - 13), "tail\n\n\n◎◎");

    // A last line without a line end that writes as nothing still counts.
    for (const std::string& end : {std::string(" \t"), std::string("\x10"), std::string("\r")}) {
        const std::string file = "abc\n" + end;
        EXPECT_EQ(ExpectExactRoundTrips("blank end", file, {{1, 2}, {2, 2}}), 2);
    }
}

class FilePartOnDisk : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        m_strNote = part_test::WithCrLf(part_test::LongNote());
        Put(PathOf("note.md"), m_strNote);
        ASSERT_TRUE(OpenFilePart(m_doc, PathOf("note.md"), 60, 64, m_part, m_problem));
        MarkLine(m_doc, 1);
        m_strSaved = PartFileText(m_doc, m_part);
    }
    // Puts the modification time back, as a careful writer may.
    void SetModified(const std::string& path, const CFileStamp& stamp) {
        const timespec times[2] = {{stamp.m_nModifiedSec, long(stamp.m_nModifiedNsec)},
                                   {stamp.m_nModifiedSec, long(stamp.m_nModifiedNsec)}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }

    std::string m_strNote, m_strSaved;
    CRuvlenDoc m_doc;
    CFilePart m_part;
    CPartProblem m_problem;
};

TEST_F(FilePartOnDisk, SavesInPlaceAgainAndAgain) {
    ASSERT_TRUE(SaveFilePart(m_doc, m_part, m_problem)) << DescribePartProblem(m_problem);
    EXPECT_EQ(Get(PathOf("note.md")), m_strSaved);
    EXPECT_EQ(m_part.m_strRange,
              m_strSaved.substr(m_part.m_strBefore.size(), m_part.m_strRange.size()));
    // The saved file is the part's file now; another edit saves over it too.
    MarkLine(m_doc, 3);
    const std::string again = PartFileText(m_doc, m_part);
    ASSERT_TRUE(SaveFilePartTo(m_doc, m_part, PathOf("note.md"), m_part.m_format, m_problem));
    EXPECT_EQ(Get(PathOf("note.md")), again);
    const std::vector<std::string> was = Split(m_strNote).lines, now = Split(again).lines;
    ASSERT_EQ(now.size(), was.size());
    for (size_t i = 0; i < was.size(); ++i) EXPECT_EQ(now[i] != was[i], i == 60 || i == 62) << i;
}

TEST_F(FilePartOnDisk, AFileChangedOnDiskIsNeverWrittenOver) {
    const std::string path = PathOf("note.md");
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    const CFileStamp read = m_part.m_stamp;
    const auto refused = [&](const std::string& now) {
        CFilePart part = m_part;
        const bool saved = SaveFilePart(m_doc, part, m_problem);
        return !saved && m_problem.m_kind == EPartProblem::ChangedOnDisk && Get(path) == now &&
               part.m_strRange == m_part.m_strRange;
    };
    // Longer.
    Put(path, m_strNote + "x");
    EXPECT_TRUE(refused(m_strNote + "x"));
    // The same size and time, one byte outside the range changed.
    std::string other = m_strNote;
    other[3] = 'X';
    Put(path, other);
    SetModified(path, read);
    EXPECT_TRUE(refused(other));
    // The same bytes, a later time.
    Put(path, m_strNote);
    CFileStamp later = read;
    later.m_nModifiedSec += 5;
    SetModified(path, later);
    EXPECT_TRUE(refused(m_strNote));
    // Gone: not made again.
    std::filesystem::remove(path);
    EXPECT_TRUE(refused(""));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_NE(DescribePartProblemEnglish(m_problem).find("nothing was written"), std::string::npos);
}

TEST_F(FilePartOnDisk, SaveAsWritesTheWholeFileAndStandsForIt) {
    ASSERT_TRUE(SaveFilePartTo(m_doc, m_part, PathOf("copy.md"), m_part.m_format, m_problem));
    EXPECT_EQ(Get(PathOf("copy.md")), m_strSaved);
    EXPECT_EQ(Get(PathOf("note.md")), m_strNote);
    EXPECT_EQ(m_part.m_strPath, PathOf("copy.md"));
    // Another format is refused and writes nothing.
    CTextFormat lf = m_part.m_format;
    lf.m_lineEnding = LineEnding::Lf;
    EXPECT_FALSE(SaveFilePartTo(m_doc, m_part, PathOf("lf.md"), lf, m_problem));
    EXPECT_EQ(m_problem.m_kind, EPartProblem::FormatFixed);
    EXPECT_FALSE(std::filesystem::exists(PathOf("lf.md")));
    // The same file under another name is saved in place, through the link.
    std::filesystem::create_symlink(PathOf("copy.md"), PathOf("link.md"));
    MarkLine(m_doc, 2);
    const std::string through = PartFileText(m_doc, m_part);
    ASSERT_TRUE(SaveFilePartTo(m_doc, m_part, PathOf("link.md"), m_part.m_format, m_problem));
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("link.md")));
    EXPECT_EQ(Get(PathOf("copy.md")), through);
}

TEST_F(FilePartOnDisk, ReadsListAndRefusesWhatIsNoFile) {
    std::vector<CDiagramBlock> blocks;
    int lines = 0;
    ASSERT_TRUE(ReadDiagramBlocks(PathOf("note.md"), blocks, lines, m_problem));
    EXPECT_EQ(lines, 130);
    EXPECT_EQ(blocks.size(), 3u);
    EXPECT_FALSE(ReadDiagramBlocks(PathOf("missing.md"), blocks, lines, m_problem));
    EXPECT_EQ(m_problem.m_kind, EPartProblem::Io);
    EXPECT_FALSE(ReadDiagramBlocks(m_dir.string(), blocks, lines, m_problem));
    EXPECT_FALSE(m_problem.m_strMessage.empty());
}
