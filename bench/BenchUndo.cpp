// The undo history at 100 levels on the largest canvas (99 x 99 cells, every
// cell in use): the memory that 100 whole-canvas operations leave in it, the
// cost of recording one more such step (which drops the oldest), and the time
// of undo and redo over a whole-canvas step. No view is attached.
//
// Counters: history_bytes and history_MiB come from the steps' sizes (what the
// history reports); heap_bytes is what the allocator handed out while the 100
// operations ran, as a cross-check.
#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"

#include "BenchCanvases.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdint>
#include <memory>

namespace {

constexpr int kEdge = CRuvlenDoc::MAX_SIZE;
constexpr int kLast = kEdge - 1;
constexpr int kLevels = 100;

void WholeCanvasOperation(CRuvlenDoc& doc, int i) {
    doc.DrawRectangle(nullptr, 0, 0, kLast, kLast, i % 2);
}

std::unique_ptr<CRuvlenDoc> FullHistory() {
    auto doc = RuledGridCanvas(kLevels);
    for (int i = 0; i < kLevels; ++i) WholeCanvasOperation(*doc, i);
    return doc;
}

void CountCells(benchmark::State& state, int64_t cellsPerIteration) {
    state.SetItemsProcessed(state.iterations() * cellsPerIteration);
}

// Each iteration: a fresh canvas and 100 whole-canvas operations on it.
void BM_HundredWholeCanvasSteps(benchmark::State& state) {
    std::size_t historyBytes = 0, heapBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = RuledGridCanvas(kLevels);
        const std::size_t heapBefore = mallinfo2().uordblks;
        state.ResumeTiming();
        for (int i = 0; i < kLevels; ++i) WholeCanvasOperation(*doc, i);
        state.PauseTiming();
        historyBytes = doc->GetUndoHistoryBytes();
        heapBytes = mallinfo2().uordblks - heapBefore;
        doc.reset();
        state.ResumeTiming();
    }
    state.counters["history_bytes"] = double(historyBytes);
    state.counters["history_MiB"] = double(historyBytes) / (1024.0 * 1024.0);
    state.counters["heap_bytes"] = double(heapBytes);
    CountCells(state, int64_t(kLevels) * kEdge * kEdge);
}
BENCHMARK(BM_HundredWholeCanvasSteps)->Unit(benchmark::kMillisecond);

// One more whole-canvas operation with the history full: the step recorded and
// the oldest dropped, against the single snapshot of one level.
void RecordStep(benchmark::State& state, std::unique_ptr<CRuvlenDoc> doc) {
    int i = 0;
    for (auto _ : state) {
        WholeCanvasOperation(*doc, i++);
        benchmark::DoNotOptimize(doc->Cell(0, 0).m_szText);
    }
    CountCells(state, int64_t(kEdge) * kEdge);
}

void BM_WholeCanvasOperationHundredLevels(benchmark::State& state) {
    RecordStep(state, FullHistory());
}
BENCHMARK(BM_WholeCanvasOperationHundredLevels);

void BM_WholeCanvasOperationOneLevel(benchmark::State& state) {
    RecordStep(state, RuledGridCanvas(1));
}
BENCHMARK(BM_WholeCanvasOperationOneLevel);

// Undo then redo of the newest whole-canvas step: two exchanges of 9801 cells.
void BM_UndoRedoWholeCanvasStep(benchmark::State& state) {
    auto doc = FullHistory();
    for (auto _ : state) {
        doc->Undo(nullptr);
        doc->Redo(nullptr);
        benchmark::DoNotOptimize(doc->Cell(0, 0).m_szText);
    }
    CountCells(state, 2 * int64_t(kEdge) * kEdge);
}
BENCHMARK(BM_UndoRedoWholeCanvasStep);

// Undoing all 100 steps and redoing them again.
void BM_UndoAllRedoAll(benchmark::State& state) {
    auto doc = FullHistory();
    for (auto _ : state) {
        for (int i = 0; i < kLevels; ++i) doc->Undo(nullptr);
        for (int i = 0; i < kLevels; ++i) doc->Redo(nullptr);
        benchmark::DoNotOptimize(doc->Cell(0, 0).m_szText);
    }
    CountCells(state, 2 * int64_t(kLevels) * kEdge * kEdge);
}
BENCHMARK(BM_UndoAllRedoAll)->Unit(benchmark::kMillisecond);

} // namespace
