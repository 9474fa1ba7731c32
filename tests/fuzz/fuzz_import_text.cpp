// Imports arbitrary bytes as clipboard text into a canvas whose size comes from the
// first byte, checks that the paste buffer fits the canvas, then pastes it (plain and
// transparent) at the top left and at the bottom right and checks the pasted cells.
// The same text read cut at the edges fits too, and text that measures no larger
// than the canvas reads the same either way, with nothing cut.
#include "canvas/RuvlenDoc.h"

#include <cstdint>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

// The one document, reused (allocating it per input dominates the run time), with
// a blank canvas of a size taken from the seed byte.
CRuvlenDoc& DocSizedBy(uint8_t seed) {
    static auto* const doc = new CRuvlenDoc;
    for (int y = 0; y < CRuvlenDoc::GRID; ++y)
        for (int x = 0; x < CRuvlenDoc::GRID; ++x) doc->Cell(x, y) = CCell();
    doc->m_nColumns = CRuvlenDoc::MIN_SIZE + seed % 90;
    doc->m_nLines = CRuvlenDoc::MIN_SIZE + (seed * 7 + seed / 16) % 90;
    return *doc;
}

void CheckBuffer(const CRuvlenDoc& doc) {
    Check(doc.m_nBufferColumns >= 0 && doc.m_nBufferColumns <= doc.m_nColumns);
    Check(doc.m_nBufferLines >= 0 && doc.m_nBufferLines <= doc.m_nLines);
    for (int y = 0; y < CRuvlenDoc::GRID; ++y)
        for (int x = 0; x < CRuvlenDoc::GRID; ++x) {
            const CCell& cell = doc.BufferCell(x, y);
            Check(cell.FirstByte() != 0 && cell.SecondByte() != 0);
            if (cell.m_bUsed) Check(x < doc.m_nBufferColumns && y < doc.m_nBufferLines);
        }
}

// Pastes the buffer with its top-left corner at (left, top) and checks every used
// buffer cell arrived (a transparent paste skips the blank ones).
void PasteAt(CRuvlenDoc& doc, int left, int top, bool transparent) {
    int right = left + doc.m_nBufferColumns - 1, bottom = top + doc.m_nBufferLines - 1;
    if (transparent)
        doc.PasteTransparent(nullptr, left, top, right, bottom);
    else
        doc.Paste(nullptr, left, top, right, bottom);
    for (int j = 0; j < doc.m_nBufferLines; ++j)
        for (int i = 0; i < doc.m_nBufferColumns; ++i) {
            const CCell& from = doc.BufferCell(i, j);
            if (from.m_bUsed && !(transparent && from.IsBlank()))
                Check(doc.Cell(left + i, top + j) == from);
        }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    CRuvlenDoc& doc = DocSizedBy(data[0]);
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1); // NUL-terminated
    const int cut = doc.ImportTextCut(text.c_str());
    CheckBuffer(doc);
    const CCellPoint measured = CRuvlenDoc::MeasureText(text.c_str());
    const bool fits = measured.x <= doc.m_nColumns && measured.y <= doc.m_nLines;
    Check(cut >= 0 && cut <= measured.y && (cut == 0 || !fits));
    const int cutColumns = doc.m_nBufferColumns, cutLines = doc.m_nBufferLines;
    Check(doc.ImportText(text.c_str()) == 1);
    if (fits) Check(doc.m_nBufferColumns == cutColumns && doc.m_nBufferLines == cutLines);
    CheckBuffer(doc);
    if (doc.m_nBufferColumns == 0 || doc.m_nBufferLines == 0) return 0;
    int lastLeft = doc.m_nColumns - doc.m_nBufferColumns;
    int lastTop = doc.m_nLines - doc.m_nBufferLines;
    for (bool transparent : {false, true}) {
        PasteAt(doc, 0, 0, transparent);
        PasteAt(doc, lastLeft, lastTop, transparent);
    }
    return 0;
}
