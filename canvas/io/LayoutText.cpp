#include "canvas/io/LayoutText.h"

#include "canvas/ByteClass.h"
#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/CharWidth.h"
#include "canvas/io/Cp932.h"

namespace {

const char kThinHorizontal[] = "\x84\x9F";  // ─
const char kThickHorizontal[] = "\x84\xAA"; // ━

// The ASCII character of a line cell: + for corners and junctions, - or = for a
// straight horizontal line, | for a vertical one.
char AsciiLineChar(int flags) {
    switch (flags & LF_ARMS) {
    case LF_RIGHT | LF_LEFT:
        return flags & LF_HTHICK ? '=' : '-';
    case LF_UP | LF_DOWN:
        return '|';
    default:
        return '+';
    }
}

void AppendLineCell(const CCell& cell, BoxLayout layout, std::string& out) {
    const int flags = cell.m_nLineFlags;
    const bool right = flags & LF_RIGHT, thick = flags & LF_HTHICK;
    if (layout == BoxLayout::Ascii) {
        out += AsciiLineChar(flags);
        out += right ? (thick ? '=' : '-') : ' ';
        return;
    }
    out.append(cell.m_szText, 2);
    if (right)
        out += thick ? kThickHorizontal : kThinHorizontal;
    else
        out += ' ';
}

void AppendTextCell(const CCell& cell, bool westernWidths, std::string& out) {
    const auto lead = static_cast<unsigned char>(cell.m_szText[0]);
    const auto trail = static_cast<unsigned char>(cell.m_szText[1]);
    out.append(cell.m_szText, 2);
    if (westernWidths && IsLeadByte(lead) && IsTrailByte(trail) &&
        IsNarrowInWesternFonts(lead, trail))
        out += ' ';
}

void TrimSpaces(std::string& text, size_t from) {
    size_t end = text.size();
    while (end > from && text[end - 1] == ' ') --end;
    text.resize(end);
}

} // namespace

void AppendLayoutCells(const CRuvlenDoc& doc, int y, int left, int right, BoxLayout layout,
                       bool westernWidths, std::string& out) {
    for (int x = left; x <= right; ++x) {
        const CCell& cell = doc.Cell(x, y);
        if (layout != BoxLayout::Wide && cell.m_bLine)
            AppendLineCell(cell, layout, out);
        else if (layout != BoxLayout::Wide)
            AppendTextCell(cell, westernWidths, out);
        else
            out.append(cell.m_szText, 2);
    }
}

std::string LayoutLines(const CRuvlenDoc& doc, const CCellRect& cells, const CTextFormat& format,
                        const char* eol) {
    const bool western = UsesWesternWidths(format);
    std::string sjis;
    for (int y = cells.top; y <= cells.bottom; ++y) {
        const size_t start = sjis.size();
        AppendLayoutCells(doc, y, cells.left, cells.right, format.m_layout, western, sjis);
        TrimSpaces(sjis, start);
        sjis += eol;
    }
    return sjis;
}

std::string EncodeLayoutText(const std::string& sjis, const CTextFormat& format) {
    const CTextFormat written = WrittenFormat(format);
    if (written.m_encoding == TextEncoding::ShiftJis) return sjis;
    std::string utf8;
    Cp932ToUtf8(sjis, utf8);
    if (written.m_encoding == TextEncoding::Utf8Bom) utf8.insert(0, "\xEF\xBB\xBF");
    return utf8;
}

std::string CopySelectionInLayout(const CRuvlenDoc& doc, BoxLayout layout) {
    CCellRect rc = doc.m_rcSelection;
    if (!doc.m_bSelection || !doc.ClipToCanvas(rc)) return std::string(1, '\0');
    CTextFormat format;
    format.m_encoding = TextEncoding::Utf8;
    format.m_layout = layout;
    return LayoutLines(doc, rc, format, "\r\n") + '\0';
}
