#include "canvas/TableCellLine.h"

#include "canvas/ByteClass.h"
#include "canvas/Cell.h"
#include "canvas/RuvlenDoc.h"

#include <algorithm>

bool CTableCellLine::CChar::Blank() const {
    return bytes == " " || bytes == SJIS_IDEO_SPACE;
}

CTableCellLine::CTableCellLine(const CRuvlenDoc& doc, int left, int right, int line, bool keepRight)
    : m_nLeft(left), m_nRight(right), m_bKeepRight(keepRight) {
    Read(doc, right, line);
    DropPads();
}

void CTableCellLine::Read(const CRuvlenDoc& doc, int right, int line) {
    for (int x = m_nLeft; x <= right; ++x) {
        const char* text = doc.Cell(x, line).m_szText;
        if (IsLeadByte(static_cast<unsigned char>(text[0])) &&
            IsTrailByte(static_cast<unsigned char>(text[1]))) {
            m_chars.push_back({std::string(text, 2), 2 * x, 2});
        } else {
            m_chars.push_back({std::string(1, text[0]), 2 * x, 1});
            m_chars.push_back({std::string(1, text[1]), 2 * x + 1, 1});
        }
    }
}

// The half blanks that laying the line out again puts back by itself.
void CTableCellLine::DropPads() {
    std::vector<CChar> kept;
    for (size_t i = 0; i < m_chars.size(); ++i) {
        const CChar& c = m_chars[i];
        const bool halfBlank = c.bytes == " ";
        const bool next = i + 1 < m_chars.size();
        const bool pad =
            halfBlank && (m_bKeepRight ? c.half % 2 == 0 && i > 0 && m_chars[i - 1].halves == 2
                                       : c.half % 2 == 1 && next && m_chars[i + 1].halves == 2);
        if (!pad) kept.push_back(c);
    }
    m_chars.swap(kept);
}

int CTableCellLine::IndexAt(int half) const {
    int n = 0;
    for (const CChar& c : m_chars)
        if (c.half + c.halves <= half) ++n;
    return n;
}

int CTableCellLine::FirstPlace() const {
    return !m_chars.empty() && m_chars.front().bytes == " " && m_chars.front().half == 2 * m_nLeft
               ? 1
               : 0;
}

int CTableCellLine::LastPlace() const {
    return !m_chars.empty() && m_chars.back().bytes == " " &&
                   m_chars.back().half == 2 * m_nRight + 1
               ? Size() - 1
               : Size();
}

int CTableCellLine::TextStart() const {
    for (const CChar& c : m_chars)
        if (!c.Blank()) return c.half;
    return m_bKeepRight ? 2 * m_nRight + 1 : 2 * m_nLeft + 1;
}

int CTableCellLine::TextEnd() const {
    for (auto it = m_chars.rbegin(); it != m_chars.rend(); ++it)
        if (!it->Blank()) return it->half + it->halves;
    return TextStart();
}

int CTableCellLine::TextIndex(bool start) const {
    int first = -1, last = -1;
    for (int i = 0; i < Size(); ++i) {
        if (m_chars[size_t(i)].Blank()) continue;
        if (first < 0) first = i;
        last = i;
    }
    if (first < 0) return start ? LastPlace() : FirstPlace();
    return start ? first : last + 1;
}

void CTableCellLine::Insert(int index, const std::string& sjis) {
    m_chars.insert(m_chars.begin() + index, {sjis, 0, static_cast<int>(sjis.size())});
}

// Where each character goes, laid from the left border on or up to the right
// border, a full-width character always on a whole cell.
std::vector<int> CTableCellLine::Positions(int right, int caret, int& caretHalf) const {
    std::vector<int> at(m_chars.size());
    const int end = 2 * (right + 1);
    if (!m_bKeepRight) {
        int pos = 2 * m_nLeft;
        for (int i = 0; i < Size(); ++i) {
            if (i == caret) caretHalf = pos;
            if (m_chars[i].halves == 2 && pos % 2) ++pos;
            at[i] = pos;
            pos += m_chars[i].halves;
        }
        if (caret >= Size()) caretHalf = pos;
        return at;
    }
    int pos = end;
    if (caret >= Size()) caretHalf = pos;
    for (int i = Size() - 1; i >= 0; --i) {
        if (m_chars[i].halves == 2 && pos % 2) --pos;
        pos -= m_chars[i].halves;
        at[i] = pos;
        if (i == caret) caretHalf = pos;
    }
    return at;
}

CTableCellLine::CLaid CTableCellLine::Lay(int right, int caret) const {
    CLaid laid;
    const std::vector<int> at = Positions(right, caret, laid.m_nCaretHalf);
    const int begin = 2 * m_nLeft, end = 2 * (right + 1);
    // The text's extent; before the caret even blanks count in text kept left.
    int from = m_bKeepRight ? end : begin, to = m_bKeepRight ? end : laid.m_nCaretHalf;
    for (int i = 0; i < Size(); ++i) {
        if (m_chars[i].Blank()) continue;
        from = std::min(from, at[i]);
        to = std::max(to, at[i] + m_chars[i].halves);
    }
    laid.m_nShortHalves =
        m_bKeepRight ? std::max(0, begin + 1 - from) : std::max(0, to - (end - 1));
    std::string halves(size_t(end - begin), ' ');
    for (int i = 0; i < Size(); ++i)
        if (at[i] >= begin && at[i] + m_chars[i].halves <= end)
            halves.replace(size_t(at[i] - begin), m_chars[i].bytes.size(), m_chars[i].bytes);
    for (size_t k = 0; k < halves.size(); k += 2) laid.m_cells.push_back(halves.substr(k, 2));
    return laid;
}
