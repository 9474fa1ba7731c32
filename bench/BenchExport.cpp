// Exporting a full 99 x 99 canvas of mixed content (ruled lines, kanji,
// half-width text, blanks) as SVG at font sizes 2 and 5. The PNG export is
// measured in the painting benchmark, which has a QGuiApplication.
#include "canvas/RuvlenDoc.h"
#include "canvas/io/SvgExport.h"

#include "BenchCanvases.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

void BM_ExportSvg(benchmark::State& state) {
    auto doc = PictureCanvas();
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
