// Typing into a cell of a large table: every keystroke looks for the caret's
// table cell again, so its cost grows with the table. A character typed and
// taken back with Backspace leaves the table as it was; a word that widens its
// column and is undone again measures a growth.
#include "canvas/CanvasDefaults.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/TableLayout.h"
#include "tools/TypingCaret.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// 12 columns of short fields and 40 rows with a line between each, on a
// 99 x 99 canvas with room on the right and below for growth.
struct CTableCanvas {
    std::unique_ptr<CRuvlenDoc> doc;
    CCellPoint field; // the start of a field in the middle of the table

    CTableCanvas() {
        CCanvasDefaults defaults;
        defaults.m_nDefaultColumns = CRuvlenDoc::MAX_SIZE;
        defaults.m_nDefaultLines = CRuvlenDoc::MAX_SIZE;
        doc = std::make_unique<CRuvlenDoc>(defaults);
        const std::vector<std::vector<std::string>> rows(40, std::vector<std::string>(12, "ab"));
        const CTableLayout table(rows, CTableOptions());
        table.Render(&doc->Cell(0, 0), CRuvlenDoc::GRID);
        field = {table.m_columnLeft[6], table.m_rowTop[20]};
    }
    CTypingCaret& Caret() { return CTypingCaret::PlaceAt(doc.get(), field.x, field.y); }
};

void BM_TypeAndBackspaceInLargeTable(benchmark::State& state) {
    CTableCanvas canvas;
    CTypingCaret& caret = canvas.Caret();
    CCellRect cell;
    if (!caret.TableCell(cell)) state.SkipWithError("the caret is not in a table cell");
    for (auto _ : state) {
        caret.TypeText("x", nullptr);
        caret.PressKey(CTypingCaret::KEY_BACKSPACE, 0);
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_TypeAndBackspaceInLargeTable);

// A word longer than its field: its column widens through the table's lines
// as the word is typed.
void BM_WidenColumnInLargeTable(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        CTableCanvas canvas;
        CTypingCaret& caret = canvas.Caret();
        state.ResumeTiming();
        if (!caret.TypeText("abcdefgh", nullptr)) state.SkipWithError("the word was refused");
    }
}
BENCHMARK(BM_WidenColumnInLargeTable);

} // namespace
