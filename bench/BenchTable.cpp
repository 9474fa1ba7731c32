// Tables from data: a 20-column x 45-row CSV of mixed text (kanji, Latin
// codes, quoted numbers with grouping, percentages) read, laid out and put
// into the paste buffer of a 99 x 99 canvas; and the two halves on their own.
#include "canvas/RuvlenDoc.h"
#include "canvas/TableLayout.h"
#include "canvas/io/TableText.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Every column fits 2 to 4 cells, so the table (one separator a row) fills
// most of a 99 x 99 canvas.
std::string MixedCsv() {
    static const char* kFields[] = {"品", "A1", "\"1,2\"", "-5%", "x", "漢", "42", "ab", "3.5"};
    std::string csv = "\xEF\xBB\xBF";
    for (int y = 0; y < 45; ++y) {
        for (int x = 0; x < 20; ++x) csv += std::string(x ? "," : "") + kFields[(x * 7 + y) % 9];
        csv += "\r\n";
    }
    return csv;
}

CRuvlenDoc& BigCanvas() {
    static CRuvlenDoc doc([] {
        CCanvasDefaults defaults;
        defaults.m_nDefaultColumns = CRuvlenDoc::MAX_SIZE;
        defaults.m_nDefaultLines = CRuvlenDoc::MAX_SIZE;
        return defaults;
    }());
    return doc;
}

void BM_TableFromCsvIntoBuffer(benchmark::State& state) {
    const std::string csv = MixedCsv();
    CRuvlenDoc& doc = BigCanvas();
    for (auto _ : state) {
        CTableData data;
        CTableProblem problem;
        ReadTableBytes(csv, data, problem);
        const CTableLayout table(data.m_rows, CTableOptions());
        if (!PutTableInBuffer(doc, table, problem)) state.SkipWithError("table does not fit");
        benchmark::DoNotOptimize(doc.m_nBufferColumns);
    }
}
BENCHMARK(BM_TableFromCsvIntoBuffer);

void BM_TableReadCsv(benchmark::State& state) {
    const std::string csv = MixedCsv();
    for (auto _ : state) {
        CTableData data;
        CTableProblem problem;
        benchmark::DoNotOptimize(ReadTableBytes(csv, data, problem));
    }
}
BENCHMARK(BM_TableReadCsv);

void BM_TableLayOut(benchmark::State& state) {
    CTableData data;
    CTableProblem problem;
    ReadTableBytes(MixedCsv(), data, problem);
    CRuvlenDoc& doc = BigCanvas();
    for (auto _ : state) {
        const CTableLayout table(data.m_rows, CTableOptions());
        benchmark::DoNotOptimize(PutTableInBuffer(doc, table, problem));
    }
}
BENCHMARK(BM_TableLayOut);

} // namespace
