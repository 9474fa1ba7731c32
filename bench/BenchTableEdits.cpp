// Inserting and deleting two lines or two columns in the middle of a table over
// the largest canvas (99 x 99 cells): every line below or column right of the
// seam moves, and the seam is continued or joined. The undo that restores the
// canvas between iterations is not timed. No view is attached.
#include "canvas/RuvlenDoc.h"

#include "BenchCanvases.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

constexpr int kEdge = CRuvlenDoc::MAX_SIZE;
constexpr int kFirst = 40; // the first selected line or column
constexpr int kCount = 2;

using TableEdit = CTableEditResult (CRuvlenDoc::*)(CDocView*);

// Selects kCount lines or columns from kFirst, runs the edit, then undoes it
// with the timer paused, so that every iteration starts from the same table.
void RunTableEdit(benchmark::State& state, TableEdit edit, bool columns) {
    auto doc = TableCanvas();
    for (auto _ : state) {
        state.PauseTiming();
        if (columns)
            doc->Select(nullptr, kFirst, 0, kFirst + kCount - 1, 0);
        else
            doc->Select(nullptr, 0, kFirst, 0, kFirst + kCount - 1);
        state.ResumeTiming();
        const CTableEditResult result = ((*doc).*edit)(nullptr);
        state.PauseTiming();
        if (!result.Done()) state.SkipWithError("the edit was refused");
        doc->Undo(nullptr);
        state.ResumeTiming();
    }
    // Counted over the cells from the seam to the canvas's end, which all change.
    state.SetItemsProcessed(state.iterations() * int64_t(kEdge) * (kEdge - kFirst));
}

void BM_InsertLines(benchmark::State& state) {
    RunTableEdit(state, &CRuvlenDoc::InsertLines, false);
}
BENCHMARK(BM_InsertLines);

void BM_DeleteLines(benchmark::State& state) {
    RunTableEdit(state, &CRuvlenDoc::DeleteLines, false);
}
BENCHMARK(BM_DeleteLines);

void BM_InsertColumns(benchmark::State& state) {
    RunTableEdit(state, &CRuvlenDoc::InsertColumns, true);
}
BENCHMARK(BM_InsertColumns);

void BM_DeleteColumns(benchmark::State& state) {
    RunTableEdit(state, &CRuvlenDoc::DeleteColumns, true);
}
BENCHMARK(BM_DeleteColumns);

} // namespace
