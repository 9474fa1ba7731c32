// Loads arbitrary bytes as a canvas file, checks that the canvas stays within its
// limits and holds no NUL in any cell, then writes it and reads it back: the second
// read must show the same cells and write the same bytes.
#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

void CheckCell(const CCell& cell) {
    Check(cell.m_szText[0] != 0 && cell.m_szText[1] != 0 && cell.m_szText[2] == 0);
    if (!cell.m_bLine) return;
    const char* glyph = LineGlyphFor(cell.m_nLineFlags);
    Check(glyph != nullptr && std::memcmp(glyph, cell.m_szText, 2) == 0);
}

void CheckCanvas(const CRuvlenDoc& doc) {
    Check(doc.m_nColumns >= CRuvlenDoc::MIN_SIZE && doc.m_nColumns <= CRuvlenDoc::MAX_SIZE);
    Check(doc.m_nLines >= CRuvlenDoc::MIN_SIZE && doc.m_nLines <= CRuvlenDoc::MAX_SIZE);
    for (int y = 0; y < CRuvlenDoc::GRID; ++y)
        for (int x = 0; x < CRuvlenDoc::GRID; ++x) CheckCell(doc.Cell(x, y));
}

// Same text and line state; whether a trailing blank cell was ever written is
// not kept by the file.
bool SameVisible(const CCell& a, const CCell& b) {
    return a.m_szText[0] == b.m_szText[0] && a.m_szText[1] == b.m_szText[1] &&
           a.m_bLine == b.m_bLine && (!a.m_bLine || a.m_nLineFlags == b.m_nLineFlags);
}

std::string Write(const CRuvlenDoc& doc) {
    std::string out;
    CArchive ar = CArchive::ForStoring(out);
    doc.WriteText(ar);
    return out;
}

// Reads into the given document after putting it back in its constructed state
// (the documents are reused: allocating them per input dominates the run time).
CRuvlenDoc& Read(CRuvlenDoc& doc, const std::string& bytes) {
    static const CCanvasDefaults kDefaults;
    for (int y = 0; y < CRuvlenDoc::GRID; ++y)
        for (int x = 0; x < CRuvlenDoc::GRID; ++x) doc.Cell(x, y) = CCell();
    doc.m_nColumns = kDefaults.m_nDefaultColumns;
    doc.m_nLines = kDefaults.m_nDefaultLines;
    CArchive ar = CArchive::ForLoading(bytes);
    doc.ReadText(ar);
    return doc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto* const docs = new CRuvlenDoc[2];
    std::string bytes(reinterpret_cast<const char*>(data), size);
    const CRuvlenDoc& first = Read(docs[0], bytes);
    CheckCanvas(first);

    std::string written = Write(first);
    const CRuvlenDoc& second = Read(docs[1], written);
    CheckCanvas(second);
    Check(!second.m_bLoadWrapped && !second.m_bLoadCut);
    Check(second.m_nLines == first.m_nLines && second.m_nColumns <= first.m_nColumns);
    for (int y = 0; y < first.m_nLines; ++y)
        for (int x = 0; x < first.m_nColumns; ++x)
            Check(SameVisible(first.Cell(x, y), second.Cell(x, y)));
    Check(Write(second) == written);
    return 0;
}
