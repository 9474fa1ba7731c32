#include "canvas/io/FilePartFile.h"

#include "canvas/io/BinaryCheck.h"
#include "canvas/io/FileLines.h"
#include "canvas/io/LayoutReader.h"
#include "canvas/io/PartSplice.h"
#include "canvas/io/SafeWrite.h"
#include "canvas/io/SameFile.h"
#include "canvas/io/TextFile.h"

#include <sys/stat.h>

namespace {

constexpr size_t kMaxPartFileBytes = size_t(kMaxPartFileMiB) << 20;

bool StampOf(const std::string& path, CFileStamp& stamp) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return false;
    stamp.m_nSize = st.st_size;
    stamp.m_nModifiedSec = st.st_mtim.tv_sec;
    stamp.m_nModifiedNsec = st.st_mtim.tv_nsec;
    return true;
}

bool IoProblem(CPartProblem& problem, const std::string& message) {
    problem = CPartProblem();
    problem.m_kind = EPartProblem::Io;
    problem.m_strMessage = message;
    return false;
}

// A part keeps the whole file's format: another one is refused.
bool KeepsFormat(const CFilePart& part, const CTextFormat& format, CPartProblem& problem) {
    if (format == part.m_format) return true;
    problem = CPartProblem();
    problem.m_kind = EPartProblem::FormatFixed;
    return false;
}

// Writes the file with the canvas's lines in the range; the part takes them.
bool WriteAndAdopt(const CRuvlenDoc& doc, CFilePart& part, const std::string& path,
                   CPartProblem& problem) {
    int lines = 0;
    const std::string range = PartRangeText(doc, part, &lines);
    std::string error;
    if (!WriteFileSafely(path, part.m_strBefore + range + part.m_strAfter, error))
        return IoProblem(problem, error);
    part.m_strPath = path;
    part.m_strRange = range;
    part.m_nLines = lines;
    // Without a stamp the next save in place is refused, never unchecked.
    if (!StampOf(path, part.m_stamp)) part.m_stamp = CFileStamp();
    problem = CPartProblem();
    return true;
}

} // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, CFileStamp& stamp,
                   CPartProblem& problem) {
    // Stamped first: a change while reading then shows as a changed stamp.
    StampOf(path, stamp);
    bool more = false;
    std::string error;
    if (!ReadFileBytes(path, bytes, kMaxPartFileBytes, &more, error))
        return IoProblem(problem, error);
    problem = CPartProblem();
    if (more) {
        problem.m_kind = EPartProblem::TooLarge;
        return false;
    }
    return true;
}

// A file that is not text has no lines to open (LooksBinary).
bool ReadTextFile(const std::string& path, std::string& bytes, CFileStamp& stamp,
                  CPartProblem& problem) {
    if (!ReadWholeFile(path, bytes, stamp, problem)) return false;
    if (!LooksBinary(bytes)) return true;
    return IoProblem(problem, "「" + path + "」は" + kNotTextMessage + "。");
}

bool ReadDiagramBlocks(const std::string& path, std::vector<CDiagramBlock>& blocks, int& lines,
                       CPartProblem& problem) {
    std::string bytes;
    CFileStamp stamp;
    if (!ReadTextFile(path, bytes, stamp, problem)) return false;
    CTextFormat format = DetectTextFormat(bytes);
    format.m_layout = DetectBoxLayout(bytes, format);
    blocks = FindDiagramBlocks(bytes, format);
    lines = int(SplitFileLines(bytes, format).size());
    return true;
}

bool OpenFilePart(CRuvlenDoc& doc, const std::string& path, int first, int last, CFilePart& part,
                  CPartProblem& problem) {
    std::string bytes;
    CFileStamp stamp;
    if (!ReadTextFile(path, bytes, stamp, problem)) return false;
    CFilePart cut;
    CTextFormat format = DetectTextFormat(bytes);
    format.m_layout = DetectBoxLayout(bytes, format);
    if (!CutFilePart(bytes, format, first, last, cut, problem)) return false;
    cut.m_strPath = path;
    cut.m_stamp = stamp;
    if (!LoadFilePart(doc, cut, problem)) return false;
    part = std::move(cut);
    return true;
}

bool SaveFilePart(const CRuvlenDoc& doc, CFilePart& part, CPartProblem& problem) {
    CFileStamp now;
    std::string bytes;
    const bool unchanged = StampOf(part.m_strPath, now) && now == part.m_stamp &&
                           ReadWholeFile(part.m_strPath, bytes, now, problem) &&
                           now == part.m_stamp && bytes == part.Whole();
    if (!unchanged) {
        problem = CPartProblem();
        problem.m_kind = EPartProblem::ChangedOnDisk;
        return false;
    }
    return WriteAndAdopt(doc, part, part.m_strPath, problem);
}

bool SaveFilePartAs(const CRuvlenDoc& doc, CFilePart& part, const std::string& path,
                    const CTextFormat& format, CPartProblem& problem) {
    return KeepsFormat(part, format, problem) && WriteAndAdopt(doc, part, path, problem);
}

bool SaveFilePartTo(const CRuvlenDoc& doc, CFilePart& part, const std::string& path,
                    const CTextFormat& format, CPartProblem& problem) {
    if (path != part.m_strPath && !IsSameFile(path, part.m_strPath))
        return SaveFilePartAs(doc, part, path, format, problem);
    return KeepsFormat(part, format, problem) && SaveFilePart(doc, part, problem);
}
