// Editing operations on the largest canvas (99 x 99 cells, every cell in use):
// a rectangle over the whole canvas, the half turn and the mirror of a
// whole-canvas selection, moving a 50 x 50 selection, importing and pasting a
// 99 x 99 clipboard text, and the undo of each. No view is attached, so the
// figures are the cell work alone.
#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"

#include "BenchCanvases.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

namespace {

constexpr int kEdge = CRuvlenDoc::MAX_SIZE;
constexpr int kLast = kEdge - 1;
constexpr int kMoveEdge = 50;
constexpr int kMoveStep = 25;

// The canvas as clipboard text: 99 lines of 99 cells, CR LF, NUL-terminated.
std::string FullCanvasText(CRuvlenDoc& doc) {
    doc.Select(nullptr, 0, 0, kLast, kLast);
    std::string text = doc.CopyToClipboard();
    doc.Deselect(nullptr);
    return text;
}

void CountCells(benchmark::State& state, int64_t cellsPerIteration) {
    state.SetItemsProcessed(state.iterations() * cellsPerIteration);
}

// Selects the 50 x 50 block at the top left or, every other time, where the
// previous move put it, and moves it back and forth diagonally.
void MoveBlock(CRuvlenDoc& doc, bool forward) {
    const int from = forward ? 0 : kMoveStep;
    const int step = forward ? kMoveStep : -kMoveStep;
    doc.Select(nullptr, from, from, from + kMoveEdge - 1, from + kMoveEdge - 1);
    doc.MoveSelection(nullptr, step, step);
}

void BM_DrawRectangle(benchmark::State& state) {
    auto doc = RuledGridCanvas();
    int thick = 0;
    for (auto _ : state) {
        doc->DrawRectangle(nullptr, 0, 0, kLast, kLast, thick);
        thick ^= 1;
        benchmark::DoNotOptimize(doc->Cell(0, 0).m_szText);
    }
    // Counted over the undo snapshot, the whole canvas; the outline is 392 cells.
    CountCells(state, int64_t(kEdge) * kEdge);
}
BENCHMARK(BM_DrawRectangle);

void BM_RotateSelection180(benchmark::State& state) {
    auto doc = RuledGridCanvas();
    doc->Select(nullptr, 0, 0, kLast, kLast);
    for (auto _ : state) {
        doc->RotateSelection180(nullptr);
        benchmark::DoNotOptimize(doc->Cell(0, 0).m_szText);
    }
    CountCells(state, int64_t(kEdge) * kEdge);
}
BENCHMARK(BM_RotateSelection180);

void BM_FlipSelectionHorizontal(benchmark::State& state) {
    auto doc = RuledGridCanvas();
    doc->Select(nullptr, 0, 0, kLast, kLast);
    for (auto _ : state) {
        doc->FlipSelectionHorizontal(nullptr);
        benchmark::DoNotOptimize(doc->Cell(0, 0).m_szText);
    }
    CountCells(state, int64_t(kEdge) * kEdge);
}
BENCHMARK(BM_FlipSelectionHorizontal);

// Includes selecting the block again, as the move drops the selection.
void BM_MoveSelection50(benchmark::State& state) {
    auto doc = RuledGridCanvas();
    bool forward = true;
    for (auto _ : state) {
        MoveBlock(*doc, forward);
        forward = !forward;
        benchmark::DoNotOptimize(doc->Cell(kMoveStep, kMoveStep).m_szText);
    }
    CountCells(state, int64_t(kMoveEdge) * kMoveEdge);
}
BENCHMARK(BM_MoveSelection50);

void BM_ImportText(benchmark::State& state) {
    auto doc = RuledGridCanvas();
    const std::string text = FullCanvasText(*doc);
    for (auto _ : state) {
        doc->ImportText(text.c_str());
        benchmark::DoNotOptimize(doc->BufferCell(kLast, kLast).m_szText);
    }
    if (doc->m_nBufferColumns != kEdge || doc->m_nBufferLines != kEdge)
        state.SkipWithError("the clipboard text did not import as 99 x 99 cells");
    state.SetBytesProcessed(int64_t(state.iterations() * text.size()));
    CountCells(state, int64_t(kEdge) * kEdge);
}
BENCHMARK(BM_ImportText);

void BM_Paste(benchmark::State& state) {
    auto doc = RuledGridCanvas();
    doc->ImportText(FullCanvasText(*doc).c_str());
    for (auto _ : state) {
        doc->Paste(nullptr, 0, 0, kLast, kLast);
        benchmark::DoNotOptimize(doc->Cell(0, 0).m_szText);
    }
    CountCells(state, int64_t(kEdge) * kEdge);
}
BENCHMARK(BM_Paste);

void BM_PasteTransparent(benchmark::State& state) {
    auto doc = RuledGridCanvas();
    doc->ImportText(FullCanvasText(*doc).c_str());
    for (auto _ : state) {
        doc->PasteTransparent(nullptr, 0, 0, kLast, kLast);
        benchmark::DoNotOptimize(doc->Cell(0, 0).m_szText);
    }
    CountCells(state, int64_t(kEdge) * kEdge);
}
BENCHMARK(BM_PasteTransparent);

// Undo after one operation. Undo exchanges the snapshot with the canvas, so
// every iteration does the same work (undo, redo, undo, ...) over the
// operation's undo rectangle. Importing text changes no cell and has no undo.
template <class Operation> void UndoAfter(benchmark::State& state, Operation operation) {
    auto doc = RuledGridCanvas();
    operation(*doc);
    const CCellRect rc = doc->m_rcUndo;
    for (auto _ : state) {
        doc->Undo(nullptr);
        benchmark::DoNotOptimize(doc->Cell(rc.left, rc.top).m_szText);
    }
    CountCells(state, int64_t(rc.right - rc.left + 1) * (rc.bottom - rc.top + 1));
}

void BM_UndoDrawRectangle(benchmark::State& state) {
    UndoAfter(state, [](CRuvlenDoc& doc) { doc.DrawRectangle(nullptr, 0, 0, kLast, kLast, 1); });
}
BENCHMARK(BM_UndoDrawRectangle);

void BM_UndoRotateSelection180(benchmark::State& state) {
    UndoAfter(state, [](CRuvlenDoc& doc) {
        doc.Select(nullptr, 0, 0, kLast, kLast);
        doc.RotateSelection180(nullptr);
    });
}
BENCHMARK(BM_UndoRotateSelection180);

void BM_UndoFlipSelectionHorizontal(benchmark::State& state) {
    UndoAfter(state, [](CRuvlenDoc& doc) {
        doc.Select(nullptr, 0, 0, kLast, kLast);
        doc.FlipSelectionHorizontal(nullptr);
    });
}
BENCHMARK(BM_UndoFlipSelectionHorizontal);

// The snapshot of a move is the union of source and destination, 75 x 75 here.
void BM_UndoMoveSelection50(benchmark::State& state) {
    UndoAfter(state, [](CRuvlenDoc& doc) { MoveBlock(doc, true); });
}
BENCHMARK(BM_UndoMoveSelection50);

void BM_UndoPaste(benchmark::State& state) {
    UndoAfter(state, [](CRuvlenDoc& doc) {
        doc.ImportText(FullCanvasText(doc).c_str());
        doc.Paste(nullptr, 0, 0, kLast, kLast);
    });
}
BENCHMARK(BM_UndoPaste);

} // namespace
