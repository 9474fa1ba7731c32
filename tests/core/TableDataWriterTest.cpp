// A table on the canvas written as data. The separated values are read back
// by the reader of the paste dialog, which must give the fields again; the
// Markdown and HTML forms are checked on small tables.
#include "DocTestSupport.h"

#include "canvas/TableLayout.h"
#include "canvas/TableRecognition.h"
#include "canvas/io/Cp932.h"
#include "canvas/io/TableDataWriter.h"
#include "canvas/io/TableText.h"

#include <random>

namespace {

using Rows = std::vector<std::vector<std::string>>;

// A table from rows, pasted at (1, 1) and recognised again.
CDrawnTable Drawn(CRuvlenDoc& doc, const Rows& rows, const CTableOptions& options,
                  const std::vector<CTableMerge>& merges = {}) {
    const CTableLayout layout(rows, options, merges);
    CTableProblem problem;
    EXPECT_TRUE(PutTableInBuffer(doc, layout, problem));
    doc.Paste(nullptr, 1, 1, layout.Width(), layout.Height());
    CDrawnTable table;
    EXPECT_TRUE(RecognizeTable(doc, {1, 1}, table));
    return table;
}

// Fields with the characters quoting is for: quotes, commas, line breaks.
Rows QuotingRows(std::mt19937& rng) {
    static const std::vector<std::string> words = {"a\"b",
                                                   "\"",
                                                   "1,200",
                                                   "x,y",
                                                   "\x8A\xBF\x8E\x9A",
                                                   "\xB1\xB2",
                                                   "p\nq",
                                                   "\x81\x7C"
                                                   "5",
                                                   ""};
    const size_t columns = 1 + rng() % 4, rows = 3 + rng() % 3;
    Rows data(rows, std::vector<std::string>(columns));
    for (auto& row : data)
        for (size_t c = 0; c < columns; ++c)
            // A first field keeps a line of one column from being blank, which
            // the reader skips at the end.
            row[c] = words[rng() % (words.size() - (c == 0 ? 1 : 0))];
    return data;
}

TEST(TableData, SeparatedValuesReadBackAsTheFields) {
    for (unsigned seed = 1; seed <= 150; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        const Rows rows = QuotingRows(rng);
        auto doc = doc_test::SizedDoc(99, 40);
        const CDrawnTable table = Drawn(*doc, rows, CTableOptions());
        ASSERT_EQ(table.Data(), rows);
        for (TableDataFormat format : {TableDataFormat::Csv, TableDataFormat::Tsv}) {
            // One column of tab-separated text has no tab, and the reader
            // takes text without tabs for CSV.
            if (format == TableDataFormat::Tsv && rows[0].size() == 1) continue;
            const std::string bytes = TableDataBytes(table, format);
            EXPECT_EQ(bytes.compare(0, 3, "\xEF\xBB\xBF") == 0, format == TableDataFormat::Csv);
            EXPECT_NE(bytes.find("\r\n"), std::string::npos);
            CTableData data;
            CTableProblem problem;
            ASSERT_TRUE(ReadTableBytes(bytes, data, problem));
            EXPECT_EQ(data.m_rows, rows);
            EXPECT_EQ(data.m_bTabs, format == TableDataFormat::Tsv);
        }
        if (rows[0].size() == 1) continue;
        // The clipboard's text as another program receives it.
        CTableData pasted;
        CTableProblem problem;
        ASSERT_TRUE(
            ReadTableUtf8(ClipboardBytesToUnicode(TableClipboardBytes(table)), pasted, problem));
        EXPECT_EQ(pasted.m_rows, rows);
    }
}

TEST(TableData, MarkdownPipeTable) {
    // 単価 is all numbers below the header (the empty field aside); | and the
    // line break are escaped, and a full-width minus (whose second byte is
    // that of |) is left alone.
    const Rows rows = {{"\x95\x69\x96\xBC", "\x92\x50\x89\xBF", "a|b"},
                       {"x\ny", "1,200", "\x81\x7C"},
                       {"z", "", "3"},
                       {"w", "\x82\x52\x82\x53", "q"}};
    auto doc = doc_test::SizedDoc(60, 20);
    const CDrawnTable table = Drawn(*doc, rows, CTableOptions());
    EXPECT_EQ(TableDataBytes(table, TableDataFormat::Markdown), "| 品名 | 単価 | a\\|b |\n"
                                                                "| --- | ---: | --- |\n"
                                                                "| x<br>y | 1,200 | － |\n"
                                                                "| z |  | 3 |\n"
                                                                "| w | ３４ | q |\n");
}

TEST(TableData, HtmlKeepsMergedCellsAndEscapes) {
    const Rows rows = {{"A&B", "<c>", ""}, {"1", "2", "x\ny"}, {"3", "4", ""}};
    CTableOptions options;
    options.m_bHeader = 1;
    auto doc = doc_test::SizedDoc(60, 20);
    const CDrawnTable table = Drawn(*doc, rows, options, {{0, 1, 1, 2}, {1, 2, 2, 1}});
    const std::string html = TableDataBytes(table, TableDataFormat::Html);
    const size_t start = html.find("<table>"), end = html.find("</table>");
    ASSERT_NE(end, std::string::npos);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_EQ(html.substr(start, end - start),
              "<table>\n"
              "<tr><th>A&amp;B</th><th colspan=\"2\">&lt;c&gt;</th></tr>\n"
              "<tr><td>1</td><td>2</td><td rowspan=\"2\">x<br>y</td></tr>\n"
              "<tr><td>3</td><td>4</td></tr>\n");
    // The covered places are empty in the separated values.
    EXPECT_EQ(TableDataBytes(table, TableDataFormat::Tsv),
              "A&B\t<c>\t\r\n1\t2\t\"x\ny\"\r\n3\t4\t\r\n");
}

TEST(TableData, FormatFromTheSuffixInAnyCase) {
    EXPECT_EQ(TableDataFormatForPath("a.CSV")->format, TableDataFormat::Csv);
    EXPECT_EQ(TableDataFormatForPath("dir.x/b.Tsv")->format, TableDataFormat::Tsv);
    EXPECT_EQ(TableDataFormatForPath("notes.md")->format, TableDataFormat::Markdown);
    EXPECT_EQ(TableDataFormatForPath("t.HTML")->format, TableDataFormat::Html);
    EXPECT_EQ(TableDataFormatForPath("t.txt"), nullptr);
    EXPECT_EQ(TableDataFormatForPath("csv"), nullptr);
}

} // namespace
