// Painting a full 99 x 99 canvas of mixed content (ruled lines, kanji,
// half-width text, blanks, a selection) into an image at font sizes 2 and 5:
// the canvas painter with a warm and with a cold glyph cache, against a
// baseline that draws the same characters with one drawText per row, and
// against one drawText per cell; and the exported picture of the canvas (PNG,
// opaque and transparent) rendered and encoded.
#include "canvas/RuvlenDoc.h"
#include "view/CanvasPainter.h"
#include "view/CellPainter.h"
#include "view/ImageExport.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include "BenchCanvases.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const int kDpi = 96;

// The picture canvas with a selection over a corner, measured at the screen's dpi.
std::unique_ptr<CRuvlenDoc> MixedCanvas(int fontSize) {
    auto doc = PictureCanvas(fontSize);
    doc->Select(nullptr, 60, 60, 90, 80);
    doc->ComputeMetrics(kDpi);
    return doc;
}

QImage SurfaceFor(const CRuvlenDoc& doc) {
    const CCanvasGeometry g = CCanvasGeometry::For(doc, kDpi);
    return QImage(g.totalWidth, g.totalHeight, QImage::Format_RGB32);
}

void PaintOnce(CCanvasPainter& painter, const CRuvlenDoc& doc, QImage& image) {
    image.fill(Qt::white);
    QPainter p(&image);
    painter.Paint(p, doc, kDpi, image.rect(), CCanvasPainter::Options());
}

void BM_PaintWarmCache(benchmark::State& state) {
    auto doc = MixedCanvas(int(state.range(0)));
    QImage image = SurfaceFor(*doc);
    CCanvasPainter painter;
    PaintOnce(painter, *doc, image);
    for (auto _ : state) PaintOnce(painter, *doc, image);
}
BENCHMARK(BM_PaintWarmCache)->Arg(2)->Arg(5)->Unit(benchmark::kMillisecond);

void BM_PaintColdCache(benchmark::State& state) {
    auto doc = MixedCanvas(int(state.range(0)));
    QImage image = SurfaceFor(*doc);
    for (auto _ : state) {
        CCanvasPainter painter;
        PaintOnce(painter, *doc, image);
    }
}
BENCHMARK(BM_PaintColdCache)->Arg(2)->Arg(5)->Unit(benchmark::kMillisecond);

// The baseline: the same characters (ruled lines as font glyphs), one
// drawText per row, strings prepared beforehand.
void BM_BaselineDrawTextPerRow(benchmark::State& state) {
    auto doc = MixedCanvas(int(state.range(0)));
    QImage image = SurfaceFor(*doc);
    const CCanvasGeometry g = CCanvasGeometry::For(*doc, kDpi);
    QStringList rows;
    for (int y = 0; y < g.lines; ++y) {
        QString row;
        for (int x = 0; x < g.columns; ++x) row += CellText(doc->Cell(x, y));
        rows << row;
    }
    const QFont font = CellFont(g.d);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter p(&image);
        p.setFont(font);
        p.setPen(Qt::black);
        for (int y = 0; y < g.lines; ++y)
            p.drawText(QPoint(g.originX, g.originY + y * g.d + CellBaseline(g.d)), rows[y]);
    }
}
BENCHMARK(BM_BaselineDrawTextPerRow)->Arg(2)->Arg(5)->Unit(benchmark::kMillisecond);

// For comparison: every non-blank cell painted on its own without a cache.
void BM_CellsWithoutCache(benchmark::State& state) {
    auto doc = MixedCanvas(int(state.range(0)));
    QImage image = SurfaceFor(*doc);
    const CCanvasGeometry g = CCanvasGeometry::For(*doc, kDpi);
    const QFont font = CellFont(g.d);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter p(&image);
        p.setFont(font);
        for (int y = 0; y < g.lines; ++y) {
            for (int x = 0; x < g.columns; ++x) {
                const CCell& cell = doc->Cell(x, y);
                if (cell.IsBlank()) continue;
                PaintCell(p, QRect(g.originX + x * g.d, g.originY + y * g.d, g.d, g.d), cell,
                          Qt::black, Qt::white);
            }
        }
    }
}
BENCHMARK(BM_CellsWithoutCache)->Arg(2)->Arg(5)->Unit(benchmark::kMillisecond);

// The picture for a PNG file: the cells without selection, rendered and
// encoded; arguments are the size and whether the background is transparent.
void BM_ExportPng(benchmark::State& state) {
    auto doc = MixedCanvas(2);
    const int size = int(state.range(0));
    const bool transparent = state.range(1) != 0;
    qint64 bytes = 0;
    for (auto _ : state) bytes = CanvasPng(*doc, size, transparent).size();
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_ExportPng)->Args({5, 0})->Args({5, 1})->Unit(benchmark::kMillisecond);

// The rendering alone, without PNG encoding.
void BM_RenderCanvasImage(benchmark::State& state) {
    auto doc = MixedCanvas(2);
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderCanvasImage(*doc, int(state.range(0)), state.range(1)));
}
BENCHMARK(BM_RenderCanvasImage)->Args({5, 0})->Args({5, 1})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
