// Cuts a part out of arbitrary file bytes and writes it back. The first two
// input bytes choose the range's first line and its length; the rest is the
// file. Checks that the diagram blocks lie in order inside the file, that a
// part that opens and is saved with no edits gives the file back byte for
// byte, and that after an edit the bytes before and after the range stay.
#include "canvas/RuvlenDoc.h"
#include "canvas/io/DiagramBlocks.h"
#include "canvas/io/FileLines.h"
#include "canvas/io/FilePart.h"
#include "canvas/io/PartSplice.h"

#include <cstdint>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto* const doc = new CRuvlenDoc;
    if (size < 2) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data + 2), size - 2);
    const CTextFormat format = DetectTextFormat(bytes);
    const int lines = int(SplitFileLines(bytes, format).size());
    int previous = 0;
    for (const CDiagramBlock& block : FindDiagramBlocks(bytes, format)) {
        Check(previous < block.m_nFirst && block.m_nFirst <= block.m_nLast);
        Check(block.m_nLast <= lines);
        previous = block.m_nLast;
    }
    if (lines == 0) return 0;
    const int first = 1 + data[0] % lines;
    const int last = first + data[1] % 100; // sometimes too many lines, or past the end
    CFilePart part;
    CPartProblem problem;
    if (!CutFilePart(bytes, format, first, last, part, problem)) {
        Check(problem.Any());
        return 0;
    }
    Check(part.Whole() == bytes);
    for (int y = 0; y < CRuvlenDoc::GRID; ++y)
        for (int x = 0; x < CRuvlenDoc::GRID; ++x) doc->Cell(x, y) = CCell();
    if (!LoadFilePart(*doc, part, problem)) {
        Check(problem.m_kind == EPartProblem::TooWide && problem.m_nLine >= first &&
              problem.m_nLine <= last);
        return 0;
    }
    Check(doc->m_nColumns <= CRuvlenDoc::MAX_SIZE && doc->m_nLines <= CRuvlenDoc::MAX_SIZE);
    Check(PartFileText(*doc, part) == bytes);
    doc->DrawRectangle(nullptr, 0, doc->m_nLines - 3, 2, doc->m_nLines - 1, 1);
    int written = 0;
    const std::string saved = PartFileText(*doc, part, &written);
    Check(written == doc->m_nLines);
    Check(saved.compare(0, part.m_strBefore.size(), part.m_strBefore) == 0);
    Check(saved.size() >= part.m_strBefore.size() + part.m_strAfter.size() &&
          saved.compare(saved.size() - part.m_strAfter.size(), std::string::npos,
                        part.m_strAfter) == 0);
    return 0;
}
