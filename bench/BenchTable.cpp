// Tables from data: a 20-column x 45-row CSV of mixed text (kanji, Latin
// codes, quoted numbers with grouping, percentages) read, laid out and put
// into the paste buffer of a 99 x 99 canvas; and the two halves on their own.
// Tables back to data: a 99 x 99 table recognised, and written as CSV.
#include "canvas/RuvlenDoc.h"
#include "canvas/TableLayout.h"
#include "canvas/TableRecognition.h"
#include "canvas/io/TableDataWriter.h"
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

namespace {

// A table as large as the largest canvas: 14 columns of 6 cells and 49 rows
// with a line between each, 99 x 99 cells, on a 99 x 99 canvas.
CRuvlenDoc& FullTableCanvas() {
    static CRuvlenDoc& doc = []() -> CRuvlenDoc& {
        CRuvlenDoc& d = BigCanvas();
        const std::vector<std::vector<std::string>> rows(
            49, std::vector<std::string>(14, "abcdefghij"));
        const CTableLayout table(rows, CTableOptions());
        CTableProblem problem;
        PutTableInBuffer(d, table, problem);
        d.Paste(nullptr, 0, 0, table.Width() - 1, table.Height() - 1);
        return d;
    }();
    return doc;
}

void BM_TableRecognize99x99(benchmark::State& state) {
    const CRuvlenDoc& doc = FullTableCanvas();
    for (auto _ : state) {
        CDrawnTable table;
        if (!RecognizeTable(doc, {50, 50}, table)) state.SkipWithError("no table");
        benchmark::DoNotOptimize(table.m_fields.size());
    }
}
BENCHMARK(BM_TableRecognize99x99);

// Recognising it and writing its fields as CSV, as tabledata FILE.csv does.
void BM_TableDataCsv99x99(benchmark::State& state) {
    const CRuvlenDoc& doc = FullTableCanvas();
    for (auto _ : state) {
        CDrawnTable table;
        RecognizeTable(doc, {50, 50}, table);
        benchmark::DoNotOptimize(TableDataBytes(table, TableDataFormat::Csv));
    }
}
BENCHMARK(BM_TableDataCsv99x99);

} // namespace
