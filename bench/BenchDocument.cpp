// The canvas file format and glyph composition: writing and reading a full
// 99 x 99 canvas of ruled lines and text, in Shift-JIS, in UTF-8 and with
// half-width box drawing, and composing every box-drawing glyph.
#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/DocumentText.h"
#include "canvas/io/LayoutReader.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <utility>

namespace {

// A 99 x 99 canvas: a grid of ruled lines every fourth cell, text in between.
std::unique_ptr<CRuvlenDoc> FullCanvas() {
    static const char* kTexts[] = {"ab", "\x82\xA0", "c ", "\xB1\xDF", "\x81\x40"};
    CCanvasDefaults defaults;
    defaults.m_nDefaultColumns = CRuvlenDoc::MAX_SIZE;
    defaults.m_nDefaultLines = CRuvlenDoc::MAX_SIZE;
    auto doc = std::make_unique<CRuvlenDoc>(defaults);
    for (int y = 0; y < CRuvlenDoc::MAX_SIZE; ++y)
        for (int x = 0; x < CRuvlenDoc::MAX_SIZE; ++x)
            if (x % 4 == 0 || y % 4 == 0)
                doc->Cell(x, y).SetLineFlags(g_validLineFlags[(x + y) % 32]);
            else
                doc->Cell(x, y).SetText(kTexts[(x * 3 + y) % 5]);
    return doc;
}

std::string WriteCanvas(const CRuvlenDoc& doc) {
    std::string out;
    CArchive ar = CArchive::ForStoring(out);
    doc.WriteText(ar);
    return out;
}

void BM_WriteFullCanvas(benchmark::State& state) {
    auto doc = FullCanvas();
    size_t bytes = 0;
    for (auto _ : state) {
        std::string out = WriteCanvas(*doc);
        bytes += out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(bytes));
}
BENCHMARK(BM_WriteFullCanvas);

void BM_ReadFullCanvas(benchmark::State& state) {
    const std::string file = WriteCanvas(*FullCanvas());
    auto doc = std::make_unique<CRuvlenDoc>();
    for (auto _ : state) {
        CArchive ar = CArchive::ForLoading(file);
        doc->ReadText(ar);
        benchmark::DoNotOptimize(doc->Cell(98, 98).m_szText);
    }
    state.SetBytesProcessed(int64_t(state.iterations() * file.size()));
}
BENCHMARK(BM_ReadFullCanvas);

// Reading into a freshly constructed document each time, as opening a file does.
void BM_OpenFullCanvas(benchmark::State& state) {
    const std::string file = WriteCanvas(*FullCanvas());
    for (auto _ : state) {
        auto doc = std::make_unique<CRuvlenDoc>();
        CArchive ar = CArchive::ForLoading(file);
        doc->ReadText(ar);
        benchmark::DoNotOptimize(doc->Cell(98, 98).m_szText);
    }
    state.SetBytesProcessed(int64_t(state.iterations() * file.size()));
}
BENCHMARK(BM_OpenFullCanvas);

const CTextFormat kUtf8Lf{TextEncoding::Utf8, LineEnding::Lf};

void BM_WriteFullCanvasUtf8(benchmark::State& state) {
    auto doc = FullCanvas();
    size_t bytes = 0;
    for (auto _ : state) {
        std::string out = DocumentText(*doc, kUtf8Lf);
        bytes += out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(bytes));
}
BENCHMARK(BM_WriteFullCanvasUtf8);

// Opening a file's bytes: format detection, conversion and the reader.
void LoadFullCanvas(benchmark::State& state, const std::string& file) {
    auto doc = std::make_unique<CRuvlenDoc>();
    for (auto _ : state) {
        LoadDocumentText(*doc, file);
        benchmark::DoNotOptimize(doc->Cell(98, 98).m_szText);
    }
    state.SetBytesProcessed(int64_t(state.iterations() * file.size()));
}

void BM_LoadFullCanvasShiftJis(benchmark::State& state) {
    LoadFullCanvas(state, WriteCanvas(*FullCanvas()));
}
BENCHMARK(BM_LoadFullCanvasShiftJis);

void BM_LoadFullCanvasUtf8(benchmark::State& state) {
    LoadFullCanvas(state, DocumentText(*FullCanvas(), kUtf8Lf));
}
BENCHMARK(BM_LoadFullCanvasUtf8);

// The same canvas with its thick lines drawn double, as other programs write
// them: every one of those characters is mapped and counted.
void BM_LoadFullCanvasUtf8DoubleLines(benchmark::State& state) {
    std::string file = DocumentText(*FullCanvas(), kUtf8Lf);
    for (const auto& [from, to] : {std::pair{"━", "═"}, {"┃", "║"}, {"┏", "╔"}, {"╋", "╬"}})
        for (size_t at = file.find(from); at != std::string::npos; at = file.find(from, at))
            file.replace(at, 3, to);
    LoadFullCanvas(state, file);
}
BENCHMARK(BM_LoadFullCanvasUtf8DoubleLines);

const CTextFormat kNarrow{TextEncoding::Utf8, LineEnding::Lf, BoxLayout::Narrow};

// Telling a UTF-8 file's box drawing apart: two passes over its lines.
void BM_DetectLayoutFullCanvas(benchmark::State& state) {
    const std::string file = DocumentText(*FullCanvas(), kUtf8Lf);
    for (auto _ : state) benchmark::DoNotOptimize(IsNarrowDrawing(file, 0));
    state.SetBytesProcessed(int64_t(state.iterations() * file.size()));
}
BENCHMARK(BM_DetectLayoutFullCanvas);

void BM_WriteFullCanvasNarrow(benchmark::State& state) {
    auto doc = FullCanvas();
    size_t bytes = 0;
    for (auto _ : state) {
        std::string out = DocumentText(*doc, kNarrow);
        bytes += out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(bytes));
}
BENCHMARK(BM_WriteFullCanvasNarrow);

// Half-width box drawing recognised, laid onto the grid (where it already is)
// and placed.
void BM_LoadFullCanvasNarrow(benchmark::State& state) {
    LoadFullCanvas(state, DocumentText(*FullCanvas(), kNarrow));
}
BENCHMARK(BM_LoadFullCanvasNarrow);

// The same half-width drawing with every line one column to the right of the
// grid: each of its vertical lines moves.
void BM_LoadFullCanvasNarrowOffGrid(benchmark::State& state) {
    std::string file = DocumentText(*FullCanvas(), kNarrow);
    for (size_t at = 0; at != std::string::npos; at = file.find('\n', at + 1))
        file.insert(at == 0 ? 0 : at + 1, " ");
    LoadFullCanvas(state, file);
}
BENCHMARK(BM_LoadFullCanvasNarrowOffGrid);

void BM_ComposeAllGlyphs(benchmark::State& state) {
    CCell cell;
    for (auto _ : state)
        for (int flags : g_validLineFlags) {
            cell.SetLineFlags(flags);
            benchmark::DoNotOptimize(cell.m_szText);
        }
    state.SetItemsProcessed(state.iterations() * 32);
}
BENCHMARK(BM_ComposeAllGlyphs);

// Recognising the glyphs again, as loading a file full of ruled lines does.
void BM_RecogniseAllGlyphs(benchmark::State& state) {
    CCell cell;
    for (auto _ : state)
        for (int flags : g_validLineFlags) {
            cell.SetText(LineGlyphFor(flags));
            benchmark::DoNotOptimize(cell.m_nLineFlags);
        }
    state.SetItemsProcessed(state.iterations() * 32);
}
BENCHMARK(BM_RecogniseAllGlyphs);

} // namespace
