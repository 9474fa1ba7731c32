#include "canvas/io/SvgExport.h"

#include "canvas/LineCellGeometry.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/Cp932.h"
#include "canvas/io/ExportArea.h"
#include "canvas/io/ExportSize.h"
#include "canvas/io/SafeWrite.h"

#include <cstring>

namespace {

// Fixed-pitch Japanese faces, the one the window uses first.
const char kFontFamily[] = "IPAMincho, 'IPA明朝', IPAexMincho, 'MS Mincho', 'ＭＳ 明朝', monospace";
const char kReplacement[] = "\xEF\xBF\xBD"; // U+FFFD

void AppendInt(std::string& out, int value) {
    out += std::to_string(value);
}

// A coordinate given in half pixels (half-width characters start mid-cell).
void AppendHalves(std::string& out, int halves) {
    AppendInt(out, halves / 2);
    if (halves % 2) out += ".5";
}

// Reads one UTF-8 character; an invalid sequence reads as one byte of value -1.
char32_t ReadUtf8(const std::string& s, size_t& i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const size_t n = c < 0x80                 ? 1
                     : c >= 0xC2 && c <= 0xDF ? 2
                     : c >= 0xE0 && c <= 0xEF ? 3
                     : c >= 0xF0 && c <= 0xF4 ? 4
                                              : 0;
    if (n == 0 || i + n > s.size()) {
        ++i;
        return char32_t(-1);
    }
    char32_t code = n == 1 ? c : c & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) {
        const unsigned char t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80) {
            ++i;
            return char32_t(-1);
        }
        code = (code << 6) | (t & 0x3F);
    }
    i += n;
    return code;
}

// Characters XML 1.0 allows in text, without the control characters (C0 and C1),
// which mean nothing in a cell.
bool IsAllowedInText(char32_t c) {
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

void AppendEscaped(std::string& out, char32_t c, const std::string& utf8) {
    switch (c) {
    case '&':
        out += "&amp;";
        break;
    case '<':
        out += "&lt;";
        break;
    case '>':
        out += "&gt;";
        break;
    case '"':
        out += "&quot;";
        break;
    case '\'':
        out += "&apos;";
        break;
    default:
        out += IsAllowedInText(c) ? utf8 : std::string(kReplacement);
    }
}

// One character of a cell and where it starts, in half cells from the cell's left.
struct CellChar {
    std::string utf8;
    char32_t code;
    int half;
};

// The cell's characters as the window draws them: its two bytes decoded together,
// a single character filling the cell and two each taking half of it. Spaces
// draw nothing and are left out.
int CellChars(const CCell& cell, CellChar chars[2]) {
    std::string utf8;
    Cp932ToUtf8(std::string(cell.m_szText, strnlen(cell.m_szText, 2)), utf8);
    int count = 0, half = 0;
    for (size_t i = 0; i < utf8.size() && half < 2; ++half) {
        const size_t start = i;
        const char32_t code = ReadUtf8(utf8, i);
        if (code != ' ') chars[count++] = {utf8.substr(start, i - start), code, half};
    }
    return count;
}

class SvgWriter {
public:
    SvgWriter(const CExportExtent& e, std::string& out) : m_e(e), m_out(out) {}

    void Header(bool transparent);
    void LineCell(int left, int top, int flags);
    void TextCell(int left, int top, const CCell& cell);
    void Footer() { m_out += "</g>\n</svg>\n"; }

private:
    const CExportExtent& m_e;
    std::string& m_out;
};

void SvgWriter::Header(bool transparent) {
    const std::string w = std::to_string(m_e.width), h = std::to_string(m_e.height);
    m_out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" xml:lang=\"ja\" width=\"" +
             w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">\n";
    if (!transparent)
        m_out += "<rect x=\"0\" y=\"0\" width=\"" + w + "\" height=\"" + h + "\" fill=\"#fff\"/>\n";
    m_out += "<g fill=\"#000\" shape-rendering=\"crispEdges\" font-family=\"";
    m_out += kFontFamily;
    m_out += "\" font-size=\"" + std::to_string(m_e.d) + "\">\n";
}

void SvgWriter::LineCell(int left, int top, int flags) {
    for (const CStrokeRect& r : LineCellRects(flags, m_e.d)) {
        m_out += "<rect x=\"";
        AppendInt(m_out, left + r.x);
        m_out += "\" y=\"";
        AppendInt(m_out, top + r.y);
        m_out += "\" width=\"";
        AppendInt(m_out, r.width);
        m_out += "\" height=\"";
        AppendInt(m_out, r.height);
        m_out += "\"/>\n";
    }
}

void SvgWriter::TextCell(int left, int top, const CCell& cell) {
    CellChar chars[2];
    const int count = CellChars(cell, chars);
    if (count == 0) return;
    m_out += "<text x=\"";
    for (int k = 0; k < count; ++k) {
        if (k) m_out += ' ';
        AppendHalves(m_out, 2 * left + chars[k].half * m_e.d);
    }
    m_out += "\" y=\"";
    AppendInt(m_out, top + m_e.baseline);
    m_out += "\">";
    for (int k = 0; k < count; ++k) AppendEscaped(m_out, chars[k].code, chars[k].utf8);
    m_out += "</text>\n";
}

} // namespace

std::string ExportSvg(const CRuvlenDoc& doc, int fontSizeIndex, const CSvgExportOptions& options) {
    return ExportSvg(doc, ExportCanvasRect(doc), fontSizeIndex, options);
}

std::string ExportSvg(const CRuvlenDoc& doc, const CCellRect& cells, int fontSizeIndex,
                      const CSvgExportOptions& options) {
    const CExportExtent e = CExportExtent::For(cells, fontSizeIndex);
    std::string out;
    out.reserve(512 + size_t(e.columns) * e.lines * 48);
    SvgWriter writer(e, out);
    writer.Header(options.transparent);
    for (int r = 0; r < e.lines; ++r) {
        for (int c = 0; c < e.columns; ++c) {
            const CCell& cell = doc.Cell(e.left + c, e.top + r);
            if (cell.IsBlank()) continue;
            if (IsLineGeometryCell(cell))
                writer.LineCell(c * e.d, r * e.d, cell.m_nLineFlags);
            else
                writer.TextCell(c * e.d, r * e.d, cell);
        }
    }
    writer.Footer();
    return out;
}

bool ExportSvgFile(const CRuvlenDoc& doc, const std::string& path, int fontSizeIndex,
                   std::string& error, const CSvgExportOptions& options) {
    return ExportSvgFile(doc, ExportCanvasRect(doc), path, fontSizeIndex, error, options);
}

bool ExportSvgFile(const CRuvlenDoc& doc, const CCellRect& cells, const std::string& path,
                   int fontSizeIndex, std::string& error, const CSvgExportOptions& options) {
    if (!CheckExportSize(fontSizeIndex, error)) return false;
    return WriteFileSafely(path, ExportSvg(doc, cells, fontSizeIndex, options), error);
}
