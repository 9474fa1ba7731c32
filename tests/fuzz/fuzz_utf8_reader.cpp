// Loads arbitrary bytes as a canvas file with format detection, as opening a file
// does. The first input byte chooses: bit 0 puts a UTF-8 byte-order mark before
// the rest (so any bytes go the UTF-8 way), bit 1 reads them as the start of a
// longer file, bits 2 and 3 the UTF-8 format the canvas is written in again,
// bits 4 and 5 how its box drawing is read (detected, wide, narrow, or detected
// with ASCII lines). Checks that the canvas stays within its limits, that the
// record of replaced characters points into the canvas, and that a canvas read
// from UTF-8, written as UTF-8 in its own box layout and read again in that
// layout shows the same cells, replaces nothing, re-lays nothing and writes the
// same bytes (ASCII, which cannot spell every drawing, only stays in limits).
#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/DocumentText.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

void CheckCanvas(const CRuvlenDoc& doc) {
    Check(doc.m_nColumns >= CRuvlenDoc::MIN_SIZE && doc.m_nColumns <= CRuvlenDoc::MAX_SIZE);
    Check(doc.m_nLines >= CRuvlenDoc::MIN_SIZE && doc.m_nLines <= CRuvlenDoc::MAX_SIZE);
    for (int y = 0; y < CRuvlenDoc::GRID; ++y)
        for (int x = 0; x < CRuvlenDoc::GRID; ++x) {
            const CCell& cell = doc.Cell(x, y);
            Check(cell.m_szText[0] != 0 && cell.m_szText[1] != 0 && cell.m_szText[2] == 0);
            const char* glyph = cell.m_bLine ? LineGlyphFor(cell.m_nLineFlags) : nullptr;
            Check(!cell.m_bLine || (glyph && std::memcmp(glyph, cell.m_szText, 2) == 0));
        }
}

void CheckRecord(const CRuvlenDoc& doc) {
    const CTextReplacements& r = doc.m_loadReplacements;
    Check(r.m_nBoxChars >= 0 && r.m_nLookAlikes >= 0 && r.m_nUnmappable >= 0);
    Check(r.Total() <= CRuvlenDoc::MAX_SIZE * CRuvlenDoc::MAX_SIZE);
    if (!r.Any()) {
        Check(r.m_nFirstLine == 0 && r.m_nFirstColumn == 0);
        return;
    }
    Check(r.m_nFirstLine >= 1 && r.m_nFirstLine <= doc.m_nLines);
    Check(r.m_nFirstColumn >= 1 && r.m_nFirstColumn <= doc.m_nColumns);
    Check(doc.m_textFormat.m_encoding != TextEncoding::ShiftJis);
}

bool IsAscii(const std::string& bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

bool SameVisible(const CCell& a, const CCell& b) {
    return a.m_szText[0] == b.m_szText[0] && a.m_szText[1] == b.m_szText[1] &&
           a.m_bLine == b.m_bLine && (!a.m_bLine || a.m_nLineFlags == b.m_nLineFlags);
}

// Loads into a reused document put back in its constructed state (allocating
// the documents per input would dominate the run time).
CRuvlenDoc& Load(CRuvlenDoc& doc, const std::string& bytes, bool truncated,
                 const CLayoutReadOptions& options) {
    static const CCanvasDefaults kDefaults;
    for (int y = 0; y < CRuvlenDoc::GRID; ++y)
        for (int x = 0; x < CRuvlenDoc::GRID; ++x) doc.Cell(x, y) = CCell();
    doc.m_nColumns = kDefaults.m_nDefaultColumns;
    doc.m_nLines = kDefaults.m_nDefaultLines;
    LoadDocumentText(doc, bytes, truncated, options);
    return doc;
}

CLayoutReadOptions OptionsOf(unsigned choice) {
    CLayoutReadOptions options;
    options.layout = choice == 1   ? LayoutChoice::Wide
                     : choice == 2 ? LayoutChoice::Narrow
                                   : LayoutChoice::Detect;
    options.asciiLines = choice == 3;
    return options;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto* const docs = new CRuvlenDoc[2];
    if (size == 0) return 0;
    const unsigned mode = data[0];
    std::string bytes = mode & 1 ? "\xEF\xBB\xBF" : "";
    bytes.append(reinterpret_cast<const char*>(data + 1), size - 1);
    const CRuvlenDoc& first = Load(docs[0], bytes, mode & 2, OptionsOf((mode >> 4) & 3));
    CheckCanvas(first);
    CheckRecord(first);
    // Shift-JIS cells may hold codes that UTF-8 has no character for.
    if (DetectTextFormat(bytes, mode & 2).m_encoding == TextEncoding::ShiftJis) return 0;

    const BoxLayout layout = first.m_textFormat.m_layout;
    const CTextFormat format{mode & 4 ? TextEncoding::Utf8Bom : TextEncoding::Utf8,
                             mode & 8 ? LineEnding::Lf : LineEnding::CrLf, layout};
    const std::string written = DocumentText(first, format);
    const CRuvlenDoc& second = Load(docs[1], written, false, ReadOptionsFor(layout));
    CheckCanvas(second);
    Check(!second.m_loadReplacements.Any());
    if (layout == BoxLayout::Ascii) return 0; // ASCII lines are told from their neighbours
    Check(!second.m_bLoadRelaid);
    Check(!second.m_bLoadWrapped && !second.m_bLoadCut);
    // A save of a one-line file without a final line end writes no line end to
    // tell the style by.
    Check(second.m_textFormat.m_lineEnding == format.m_lineEnding ||
          written.find('\n') == std::string::npos);
    // Written as UTF-8 without a mark, a canvas of only ASCII reads as Shift-JIS.
    Check(second.m_textFormat.m_encoding == format.m_encoding ||
          (second.m_textFormat.m_encoding == TextEncoding::ShiftJis && IsAscii(written)));
    // A save writes the file's own lines, or up to the last non-blank line
    // (trailing blank lines of a wrapped file need not come back); the rest of
    // the canvas must be blank, which the cell comparison below checks.
    Check(second.m_nLines <= first.m_nLines && second.m_nColumns <= first.m_nColumns);
    for (int y = 0; y < first.m_nLines; ++y)
        for (int x = 0; x < first.m_nColumns; ++x)
            Check(SameVisible(first.Cell(x, y), second.Cell(x, y)));
    Check(DocumentText(second, format) == written);
    return 0;
}
