#include "canvas/TableAreaText.h"

#include "canvas/ByteClass.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/TableLayout.h"

namespace {

// One character of a line of cells: its bytes, the half cell it starts on,
// and its width in half cells.
struct CPiece {
    std::string bytes;
    int half = 0;
    int halves = 1;

    bool Blank() const { return bytes == " " || bytes == SJIS_IDEO_SPACE; }
    bool HalfBlank() const { return bytes == " "; }
    bool Full() const { return halves == 2; }
};

std::vector<CPiece> Pieces(const CRuvlenDoc& doc, int left, int right, int line) {
    std::vector<CPiece> pieces;
    for (int x = left; x <= right; ++x) {
        const CCell& cell = doc.Cell(x, line);
        const unsigned char a = static_cast<unsigned char>(cell.m_szText[0]);
        const unsigned char b = static_cast<unsigned char>(cell.m_szText[1]);
        if (IsLeadByte(a) && IsTrailByte(b)) {
            pieces.push_back({std::string(cell.m_szText, 2), 2 * x, 2});
        } else {
            pieces.push_back({std::string(1, cell.m_szText[0]), 2 * x, 1});
            pieces.push_back({std::string(1, cell.m_szText[1]), 2 * x + 1, 1});
        }
    }
    return pieces;
}

// Drops the pad of the cell rule: the second half of a cell, blank, before a
// full-width character.
void DropPadsBeforeFullWidth(std::vector<CPiece>& pieces) {
    std::vector<CPiece> kept;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const bool pad = pieces[i].HalfBlank() && pieces[i].half % 2 == 1 &&
                         i + 1 < pieces.size() && pieces[i + 1].Full();
        if (!pad) kept.push_back(pieces[i]);
    }
    pieces.swap(kept);
}

std::string Join(const std::vector<CPiece>& pieces, size_t from, size_t to) {
    std::string text;
    for (size_t i = from; i < to; ++i) text += pieces[i].bytes;
    return text;
}

// The pieces without the blanks at both ends: [first, last).
void TrimmedRange(const std::vector<CPiece>& pieces, size_t& first, size_t& last) {
    first = 0;
    last = pieces.size();
    while (first < last && pieces[first].Blank()) ++first;
    while (last > first && pieces[last - 1].Blank()) --last;
}

// Right alignment's pad: the first half of a cell, blank, between a full-width
// character and a half-width one. Dropped only when the line then reads as a
// number, so that "ノート A4" keeps its blank.
void DropNumberPads(std::vector<CPiece>& pieces) {
    std::vector<CPiece> kept;
    bool any = false;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const bool pad = pieces[i].HalfBlank() && pieces[i].half % 2 == 0 && i > 0 &&
                         pieces[i - 1].Full() && i + 1 < pieces.size() && !pieces[i + 1].Blank() &&
                         !pieces[i + 1].Full();
        any = any || pad;
        if (!pad) kept.push_back(pieces[i]);
    }
    if (!any) return;
    size_t first, last;
    TrimmedRange(kept, first, last);
    if (CTableLayout::IsNumber(Join(kept, first, last))) pieces.swap(kept);
}

} // namespace

CTableTextLine ReadTableTextLine(const CRuvlenDoc& doc, int left, int right, int line) {
    std::vector<CPiece> pieces = Pieces(doc, left, right, line);
    DropPadsBeforeFullWidth(pieces);
    DropNumberPads(pieces);
    size_t first, last;
    TrimmedRange(pieces, first, last);
    CTableTextLine result;
    result.m_nLine = line;
    result.m_nStartHalf = 2 * left;
    if (first == last) return result;
    result.m_strText = Join(pieces, first, last);
    result.m_nStartHalf = pieces[first].half;
    result.m_nHalves = pieces[last - 1].half + pieces[last - 1].halves - pieces[first].half;
    return result;
}

namespace {

// Whether the first and the last character of Shift-JIS text are full-width.
void FullAtEnds(const std::string& text, bool& first, bool& last) {
    first = last = false;
    for (size_t i = 0; i < text.size();) {
        const bool full = IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        if (i == 0) first = full;
        last = full;
        i += full ? 2 : 1;
    }
}

} // namespace

bool IsRightAligned(const std::vector<CTableTextLine>& lines, int leftHalf, int endHalf,
                    const std::string& text) {
    bool any = false;
    for (const CTableTextLine& line : lines) {
        if (line.m_strText.empty()) continue;
        any = true;
        // Blank beyond the half-cell margin and the pad a full-width character
        // at the end may need.
        bool fullFirst, fullLast;
        FullAtEnds(line.m_strText, fullFirst, fullLast);
        int firstStart = leftHalf + 1, lastEnd = endHalf - 1;
        if (fullFirst && firstStart % 2) ++firstStart;
        if (fullLast && lastEnd % 2) --lastEnd;
        const int before = line.m_nStartHalf - firstStart;
        const int after = lastEnd - (line.m_nStartHalf + line.m_nHalves);
        if (after > before || (after == before && !CTableLayout::IsNumber(text))) return false;
    }
    return any;
}

std::string JoinTableTextLines(const std::vector<CTableTextLine>& lines) {
    size_t first = 0, last = lines.size();
    while (first < last && lines[first].m_strText.empty()) ++first;
    while (last > first && lines[last - 1].m_strText.empty()) --last;
    std::string text;
    for (size_t i = first; i < last; ++i) {
        if (i > first) text += '\n';
        text += lines[i].m_strText;
    }
    return text;
}
