#include "canvas/io/PartSplice.h"

#include "canvas/RuvlenDoc.h"
#include "canvas/io/DocumentText.h"
#include "canvas/io/FileLines.h"
#include "canvas/io/FilePart.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

// The lines of written text, without their line ends.
std::vector<std::string> WrittenLines(const std::string& text) {
    std::vector<std::string> lines;
    const CTextFormat plain;
    for (const CFileLine& line : SplitFileLines(text, plain))
        lines.push_back(text.substr(line.m_nStart, line.m_nContentEnd - line.m_nStart));
    return lines;
}

// How the range's own lines write when read into a canvas and saved: what a
// canvas line must still write to count as untouched.
std::vector<std::string> BaselineLines(const CFilePart& part, const CTextFormat& body) {
    auto scratch = std::make_unique<CRuvlenDoc>();
    scratch->m_nColumns = scratch->m_nLines = CRuvlenDoc::MIN_SIZE;
    LoadDocumentTextAs(*scratch, part.m_strRange, body);
    // Every line ended, so that an empty last line is counted too.
    scratch->m_bFileFinalLineEnd = 1;
    return WrittenLines(DocumentText(*scratch, body));
}

// The longest common subsequence of two short lists of lines, as pairs of
// indices in ascending order.
std::vector<std::pair<size_t, size_t>> MatchLines(const std::vector<std::string>& a,
                                                  const std::vector<std::string>& b) {
    const size_t n = a.size(), m = b.size();
    std::vector<int> table((n + 1) * (m + 1), 0);
    const auto at = [&](size_t i, size_t j) -> int& { return table[i * (m + 1) + j]; };
    for (size_t i = n; i-- > 0;)
        for (size_t j = m; j-- > 0;)
            at(i, j) = a[i] == b[j] ? at(i + 1, j + 1) + 1 : std::max(at(i + 1, j), at(i, j + 1));
    std::vector<std::pair<size_t, size_t>> pairs;
    for (size_t i = 0, j = 0; i < n && j < m;) {
        if (a[i] == b[j]) {
            pairs.emplace_back(i++, j++);
        } else if (at(i + 1, j) >= at(i, j + 1)) {
            ++i;
        } else {
            ++j;
        }
    }
    return pairs;
}

} // namespace

namespace {

// How many lines the range becomes: the canvas's lines up to the last with
// something on it, or the range's own count when that is more, moved by as
// many lines as the last of its lines with something on it moved (lines put
// in or taken out above it). So blank lines that ended the range stay after
// the content, and drawing on them adds none.
size_t RangeLineCount(const std::vector<std::string>& baseline,
                      const std::vector<std::string>& content, int canvasLines) {
    long moved = 0;
    const auto pairs = MatchLines(baseline, content);
    for (auto it = pairs.rbegin(); it != pairs.rend(); ++it) {
        if (baseline[it->first].empty()) continue;
        moved = long(it->second) - long(it->first);
        break;
    }
    const long total = std::max(long(content.size()), long(baseline.size()) + moved);
    return size_t(std::min(total, std::max(long(content.size()), long(canvasLines))));
}

} // namespace

std::string PartRangeText(const CRuvlenDoc& doc, const CFilePart& part, int* lines) {
    const CTextFormat body = PartBodyFormat(part.m_format);
    const std::vector<CFileLine> read = SplitFileLines(part.m_strRange, body);
    std::vector<std::string> baseline = BaselineLines(part, body);
    if (baseline.size() != read.size()) baseline.clear(); // keep nothing rather than guess
    std::vector<std::string> now = WrittenLines(DocumentText(doc, body));
    while (!now.empty() && now.back().empty()) now.pop_back();
    now.resize(RangeLineCount(baseline, now, doc.m_nLines));
    if (lines) *lines = int(now.size());

    std::vector<long> source(now.size(), -1); // the read line each line keeps, if any
    for (const auto& pair : MatchLines(baseline, now)) source[pair.second] = long(pair.first);
    const std::string eol = body.m_lineEnding == LineEnding::Lf ? "\n" : "\r\n";
    const bool finalLineEnd = read.empty() || read.back().m_nEnd > read.back().m_nContentEnd;
    std::string out;
    for (size_t k = 0; k < now.size(); ++k) {
        std::string end = eol;
        if (source[k] >= 0) {
            const CFileLine& line = read[size_t(source[k])];
            out.append(part.m_strRange, line.m_nStart, line.m_nContentEnd - line.m_nStart);
            end = part.m_strRange.substr(line.m_nContentEnd, line.m_nEnd - line.m_nContentEnd);
        } else {
            out += now[k];
        }
        if (k + 1 == now.size() && !finalLineEnd)
            end.clear();
        else if (end.empty())
            end = eol;
        out += end;
    }
    return out;
}

std::string PartFileText(const CRuvlenDoc& doc, const CFilePart& part, int* lines) {
    return part.m_strBefore + PartRangeText(doc, part, lines) + part.m_strAfter;
}
