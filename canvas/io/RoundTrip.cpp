#include "canvas/io/RoundTrip.h"

#include "canvas/ByteClass.h"
#include "canvas/Utf8Char.h"
#include "canvas/io/CharWidth.h"

#include <algorithm>

namespace {

const unsigned char* Bytes(const std::string& s) {
    return reinterpret_cast<const unsigned char*>(s.data());
}

// Length of the character at p and its width in half-width cells.
struct CharSpan {
    size_t length;
    int width;
};

CharSpan NextChar(const unsigned char* p, size_t left, TextEncoding encoding, bool western) {
    if (encoding == TextEncoding::ShiftJis) {
        if (left >= 2 && IsLeadByte(p[0]) && IsTrailByte(p[1])) return {2, 2};
        return {1, 1};
    }
    if (p[0] < 0x80) return {1, 1};
    const Utf8Char ch = ReadUtf8(p, left);
    if (!ch.valid) return {ch.length, 1};
    if (ch.code == 0xFEFF) return {ch.length, 0}; // byte-order mark
    if (western) return {ch.length, WesternColumns(ch.code)};
    if (ch.code >= 0xFF61 && ch.code <= 0xFF9F) return {ch.length, 1}; // half-width kana
    return {ch.length, 2};
}

bool IsLineEndByte(int b) {
    return b == '\r' || b == '\n';
}

// Byte at i, or -1 past the end.
int At(const std::string& s, size_t i) {
    return i < s.size() ? Bytes(s)[i] : -1;
}

// The written bytes are the read ones with one space put in at i.
bool SpaceInserted(const std::string& read, const std::string& written, size_t i) {
    if (At(written, i) != ' ' || At(read, i) < 0x80) return false;
    const size_t n = std::min<size_t>(4, read.size() - i);
    return written.compare(i + 1, n, read, i, n) == 0;
}

bool IsStray(const std::string& read, size_t i, TextEncoding encoding) {
    const unsigned char* p = Bytes(read) + i;
    const size_t left = read.size() - i;
    if (encoding != TextEncoding::ShiftJis) return p[0] >= 0x80 && !ReadUtf8(p, left).valid;
    if (left >= 2 && IsLeadByte(p[0]) && IsTrailByte(p[1])) return false;
    return !IsSingleByteChar(p[0]);
}

RoundTripKind Classify(const std::string& read, const std::string& written, size_t i,
                       TextEncoding encoding) {
    const int r = At(read, i), w = At(written, i);
    if (r == '\t') return RoundTripKind::Tab;
    if (r == ' ' && (w < 0 || IsLineEndByte(w))) return RoundTripKind::TrailingSpaces;
    if (SpaceInserted(read, written, i)) return RoundTripKind::AlignmentSpace;
    // A stray byte first: one just before a line end is dropped with the blank
    // it became, which leaves the line end where the byte was.
    if (r >= 0 && !IsLineEndByte(r) && IsStray(read, i, encoding)) return RoundTripKind::StrayBytes;
    if (r < 0 || w < 0 || IsLineEndByte(r) || IsLineEndByte(w)) return RoundTripKind::LineEnd;
    return RoundTripKind::Character;
}

} // namespace

CRoundTripChange FindRoundTripChange(const std::string& read, const std::string& written,
                                     TextEncoding encoding, bool westernWidths) {
    CRoundTripChange change;
    if (read == written) return change;
    const auto mismatch = std::mismatch(read.begin(), read.end(), written.begin(), written.end());
    const size_t diff = size_t(mismatch.first - read.begin());
    // Walk the common prefix by characters: the change starts at the character
    // holding the first differing byte.
    size_t at = 0;
    int line = 1, width = 0;
    while (at < diff) {
        if (read[at] == '\n') {
            ++line;
            width = 0;
            ++at;
            continue;
        }
        const CharSpan span = NextChar(Bytes(read) + at, read.size() - at, encoding, westernWidths);
        if (at + span.length > diff) break;
        at += span.length;
        width += span.width;
    }
    change.m_kind = Classify(read, written, at, encoding);
    change.m_nLine = line;
    change.m_nColumn = width / 2 + 1;
    return change;
}

namespace {

const char* KindText(RoundTripKind kind) {
    switch (kind) {
    case RoundTripKind::AlignmentSpace:
        return "全角文字の前の半角文字が奇数個のため、間に空白が入ります";
    case RoundTripKind::TrailingSpaces:
        return "行末の空白がなくなります";
    case RoundTripKind::Tab:
        return "タブが空白になります";
    case RoundTripKind::LineEnd:
        return "改行が変わります";
    case RoundTripKind::StrayBytes:
        return "文字として読めないバイトが空白になるか、なくなります";
    default:
        return "文字が別の文字になります";
    }
}

const char* KindTextEnglish(RoundTripKind kind) {
    switch (kind) {
    case RoundTripKind::AlignmentSpace:
        return "a space goes in before a full-width character after an odd half-width run";
    case RoundTripKind::TrailingSpaces:
        return "trailing spaces are lost";
    case RoundTripKind::Tab:
        return "a tab becomes spaces";
    case RoundTripKind::LineEnd:
        return "line ends change";
    case RoundTripKind::StrayBytes:
        return "bytes that are no character become blanks or are dropped";
    default:
        return "a character changes";
    }
}

} // namespace

std::string DescribeRoundTripChange(const CRoundTripChange& c) {
    if (!c.Any()) return std::string();
    return "保存すると内容が変わります。最初は " + std::to_string(c.m_nLine) + " 行 " +
           std::to_string(c.m_nColumn) + " 桁で、" + KindText(c.m_kind) + "。";
}

std::string DescribeRoundTripChangeEnglish(const CRoundTripChange& c) {
    if (!c.Any()) return std::string();
    return std::string("saving would change the file, first at line ") + std::to_string(c.m_nLine) +
           ", column " + std::to_string(c.m_nColumn) + ": " + KindTextEnglish(c.m_kind);
}
