// Reads arbitrary bytes as table data (as a file's bytes, or as the clipboard's
// UTF-8 text, by the first byte), lays the table out with options from that
// byte and puts it into the paste buffer of a canvas sized by it. Whatever the
// input, the reader refuses or gives rows of equal length holding whole
// characters, the layout is at least as large as its rules need, and a table
// that goes into the buffer fits the canvas. Run with a memory limit: no input
// may make the reader or the layout grow faster than the input.
#include "canvas/ByteClass.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/TableLayout.h"
#include "canvas/io/TableText.h"

#include <cstdint>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

CRuvlenDoc& DocSizedBy(uint8_t seed) {
    static auto* const doc = new CRuvlenDoc;
    doc->m_nColumns = CRuvlenDoc::MIN_SIZE + (seed * 13) % 90;
    doc->m_nLines = CRuvlenDoc::MIN_SIZE + (seed * 7 + seed / 16) % 90;
    return *doc;
}

void CheckRows(const CTableData& data) {
    Check(data.Columns() > 0 && data.Columns() <= MaxTableFields());
    Check(int(data.m_rows.size()) <= MaxTableLines());
    for (const auto& row : data.m_rows) {
        Check(int(row.size()) == data.Columns());
        for (const std::string& field : row)
            for (size_t i = 0; i < field.size(); ++i) {
                const unsigned char c = static_cast<unsigned char>(field[i]);
                if (IsLeadByte(c))
                    Check(i + 1 < field.size() &&
                          IsTrailByte(static_cast<unsigned char>(field[++i])));
                else
                    Check(c == '\n' || IsSingleByteChar(c));
            }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t seed = data[0];
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    CTableData table;
    CTableProblem problem;
    const bool read =
        (seed & 1) ? ReadTableUtf8(bytes, table, problem) : ReadTableBytes(bytes, table, problem);
    if (!read) {
        Check(problem.m_kind != TableProblem::None && !TableProblemMessage(problem).empty());
        return 0;
    }
    CheckRows(table);
    CTableOptions options;
    options.m_bThickOuter = (seed >> 1) & 1;
    options.m_bThickInner = (seed >> 2) & 1;
    options.m_bHeader = (seed >> 3) & 1;
    options.m_bCompact = (seed >> 4) & 1;
    const CTableLayout layout(table.m_rows, options);
    Check(layout.Width() >= 2 * table.Columns() + 2);
    Check(layout.Height() >= int(table.m_rows.size()) + 2);
    CRuvlenDoc& doc = DocSizedBy(seed);
    if (PutTableInBuffer(doc, layout, problem)) {
        Check(doc.m_nBufferColumns == layout.Width() && doc.m_nBufferColumns <= doc.m_nColumns);
        Check(doc.m_nBufferLines == layout.Height() && doc.m_nBufferLines <= doc.m_nLines);
    } else {
        Check(problem.m_kind == TableProblem::TooLarge);
        Check(layout.Width() > doc.m_nColumns || layout.Height() > doc.m_nLines);
    }
    return 0;
}
