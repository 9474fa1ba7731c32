// Exporting a full 99 x 99 canvas of mixed content (ruled lines, kanji,
// half-width text, blanks) as SVG at font sizes 2 and 5. The PNG export is
// measured in the painting benchmark, which has a QGuiApplication.
#include "canvas/RuvlenDoc.h"
#include "canvas/SvgExport.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

// Boxes of thick and thin lines with crossings, kanji and half-width text
// inside them, some blank cells (as in the painting benchmark).
std::unique_ptr<CRuvlenDoc> MixedCanvas() {
    static const char* kTexts[] = {"\x8A\xBF", "\x8E\x9A", "ab",       "\x82\xA0", "12",
                                   "  ",       "\xB6\xC5", "\x95\x5C", "  ",       "x&"};
    CCanvasDefaults defaults;
    defaults.m_nDefaultColumns = CRuvlenDoc::MAX_SIZE;
    defaults.m_nDefaultLines = CRuvlenDoc::MAX_SIZE;
    auto doc = std::make_unique<CRuvlenDoc>(defaults);
    for (int y = 0; y < CRuvlenDoc::MAX_SIZE; ++y)
        for (int x = 0; x < CRuvlenDoc::MAX_SIZE; ++x)
            doc->Cell(x, y).SetText(kTexts[(x * 7 + y * 3) % 10]);
    for (int i = 0; i + 8 < CRuvlenDoc::MAX_SIZE; i += 8)
        doc->DrawRectangle(nullptr, i, i / 2, i + 8, i / 2 + 12, (i / 8) % 2);
    for (int y = 3; y < CRuvlenDoc::MAX_SIZE; y += 10)
        doc->DrawHorizontalLine(nullptr, 0, y, CRuvlenDoc::MAX_SIZE - 1, y, y % 20 == 3);
    for (int x = 5; x < CRuvlenDoc::MAX_SIZE; x += 12)
        doc->DrawVerticalLine(nullptr, x, 0, x, CRuvlenDoc::MAX_SIZE - 1, x % 24 == 5);
    return doc;
}

void BM_ExportSvg(benchmark::State& state) {
    auto doc = MixedCanvas();
    size_t bytes = 0;
    for (auto _ : state) {
        std::string svg = ExportSvg(*doc, int(state.range(0)));
        bytes = svg.size();
        benchmark::DoNotOptimize(svg);
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_ExportSvg)->Arg(2)->Arg(5)->Unit(benchmark::kMillisecond);

} // namespace
