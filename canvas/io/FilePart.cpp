#include "canvas/io/FilePart.h"

#include "canvas/RuvlenDoc.h"
#include "canvas/io/DocumentText.h"
#include "canvas/io/FileLines.h"

#include <algorithm>
#include <memory>
#include <vector>

CTextFormat PartBodyFormat(const CTextFormat& format) {
    CTextFormat body = format;
    if (body.m_encoding == TextEncoding::Utf8Bom) body.m_encoding = TextEncoding::Utf8;
    return body;
}

namespace {

bool Refuse(CPartProblem& problem, EPartProblem kind, int line) {
    problem.m_kind = kind;
    problem.m_nLine = line;
    return false;
}

// The range's first line that the reader would wrap, 0-based; -1 when none.
int FirstWideLine(const std::string& range, const CTextFormat& body) {
    auto scratch = std::make_unique<CRuvlenDoc>();
    const std::vector<CFileLine> lines = SplitFileLines(range, body);
    for (size_t i = 0; i < lines.size(); ++i) {
        LoadDocumentTextAs(
            *scratch, range.substr(lines[i].m_nStart, lines[i].m_nEnd - lines[i].m_nStart), body);
        if (scratch->m_bLoadWrapped) return int(i);
    }
    return -1;
}

} // namespace

bool CheckPartRange(int first, int last, int fileLines, CPartProblem& problem) {
    problem = CPartProblem();
    problem.m_nFileLines = fileLines;
    if (last < first) {
        problem.m_nFirst = first;
        problem.m_nLast = last;
        return Refuse(problem, EPartProblem::Reversed, first);
    }
    if (first < 1 || first > fileLines) return Refuse(problem, EPartProblem::NoSuchLine, first);
    if (last > fileLines) return Refuse(problem, EPartProblem::NoSuchLine, last);
    if (last - first + 1 > CRuvlenDoc::MAX_SIZE)
        return Refuse(problem, EPartProblem::TooLong, first + CRuvlenDoc::MAX_SIZE);
    return true;
}

bool CutFilePart(const std::string& bytes, const CTextFormat& format, int first, int last,
                 CFilePart& part, CPartProblem& problem) {
    const std::vector<CFileLine> lines = SplitFileLines(bytes, format);
    if (!CheckPartRange(first, last, int(lines.size()), problem)) return false;
    const size_t start = lines[first - 1].m_nStart, end = lines[last - 1].m_nEnd;
    part.m_format = format;
    part.m_nFirst = first;
    part.m_nLines = last - first + 1;
    part.m_strBefore = bytes.substr(0, start);
    part.m_strRange = bytes.substr(start, end - start);
    part.m_strAfter = bytes.substr(end);
    return true;
}

bool LoadFilePart(CRuvlenDoc& doc, const CFilePart& part, CPartProblem& problem) {
    problem = CPartProblem();
    if (part.m_nLines > CRuvlenDoc::MAX_SIZE)
        return Refuse(problem, EPartProblem::TooLong, part.m_nFirst + CRuvlenDoc::MAX_SIZE);
    const CTextFormat body = PartBodyFormat(part.m_format);
    // Sized by the lines alone, not by the defaults for new canvases.
    doc.m_nColumns = doc.m_nLines = CRuvlenDoc::MIN_SIZE;
    LoadDocumentTextAs(doc, part.m_strRange, body);
    if (doc.m_bLoadWrapped)
        return Refuse(problem, EPartProblem::TooWide,
                      part.m_nFirst + std::max(0, FirstWideLine(part.m_strRange, body)));
    doc.m_nColumns = std::min(CRuvlenDoc::MAX_SIZE, doc.m_nColumns + kPartRoom);
    doc.m_nLines = std::min(CRuvlenDoc::MAX_SIZE, doc.m_nLines + kPartRoom);
    doc.m_textFormat = part.m_format;
    // Lines left as they were are written back as they were read
    // (PartRangeText), so nothing read here is changed by a save.
    doc.m_loadRoundTrip = CRoundTripChange();
    doc.SetModifiedFlag(0);
    return true;
}
