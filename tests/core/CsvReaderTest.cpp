// Reading comma- and tab-separated data: the awkward quoting cases, and data
// that gives no table. Then the same table from Shift-JIS and UTF-8 bytes.
#include "canvas/io/CsvReader.h"
#include "canvas/io/TableText.h"

#include "canvas/ByteClass.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/TableLayout.h"

#include <gtest/gtest.h>

#include <random>

#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows Read(const std::string& text) {
    CCsvRows rows;
    CsvProblem problem;
    EXPECT_TRUE(ReadCsv(text, rows, problem)) << text;
    for (const auto& row : rows.m_rows) EXPECT_EQ(row.size(), size_t(rows.m_nColumns));
    return rows.m_rows;
}

TEST(CsvReader, QuotingCases) {
    // "" inside quotes is one quote; separators and line breaks inside quotes
    // belong to the field; a quote inside a plain field is just a character.
    EXPECT_EQ(Read("\"a\"\"b\",c\n"), (Rows{{"a\"b", "c"}}));
    EXPECT_EQ(Read("\"x,y\",\"1\n2\"\nz,w\n"), (Rows{{"x,y", "1\n2"}, {"z", "w"}}));
    EXPECT_EQ(Read("5\"3,\"\"\n"), (Rows{{"5\"3", ""}}));
    EXPECT_EQ(Read("\"\",a"), (Rows{{"", "a"}}));
    // Text after a closing quote is kept.
    EXPECT_EQ(Read("\"ab\"c,d"), (Rows{{"abc", "d"}}));
    // CR LF (also inside quotes, where it becomes LF), lone CR, no final line end.
    EXPECT_EQ(Read("a,b\r\n\"c\r\nd\",e\rf,g"), (Rows{{"a", "b"}, {"c\nd", "e"}, {"f", "g"}}));
    // A byte-order mark is not part of the first field.
    EXPECT_EQ(Read("\xEF\xBB\xBFname,x\n"), (Rows{{"name", "x"}}));
}

TEST(CsvReader, RowShapes) {
    // A trailing comma is one more empty field; short rows are padded.
    EXPECT_EQ(Read("a,b,\nc\n"), (Rows{{"a", "b", ""}, {"c", "", ""}}));
    // Blank lines inside stay as empty rows, blank lines at the end do not.
    EXPECT_EQ(Read("a\n\nb\n\n\n"), (Rows{{"a"}, {""}, {"b"}}));
}

TEST(CsvReader, TabSeparatedWhenAnyLineHasATab) {
    CCsvRows rows;
    CsvProblem problem;
    // A spreadsheet copy: commas are text, a cell with a line break is quoted.
    ASSERT_TRUE(ReadCsv("1,5\t\"two\nlines\"\nx\n", rows, problem));
    EXPECT_TRUE(rows.m_bTabs);
    EXPECT_EQ(rows.m_rows, (Rows{{"1,5", "two\nlines"}, {"x", ""}}));
    ASSERT_TRUE(ReadCsv("a,b\n", rows, problem));
    EXPECT_FALSE(rows.m_bTabs);
}

TEST(CsvReader, DataWithoutATable) {
    CCsvRows rows;
    CsvProblem problem;
    int line = -1;
    for (const char* text : {"", "\r\n\r\n", ",,\n,\n", "\xEF\xBB\xBF", "\"\""}) {
        EXPECT_FALSE(ReadCsv(text, rows, problem, &line)) << text;
        EXPECT_EQ(problem, CsvProblem::NoFields) << text;
    }
    // The line where the open quote started, counting any line end style.
    EXPECT_FALSE(ReadCsv("a,b\r\nc\rd,\"open\nstill\n", rows, problem, &line));
    EXPECT_EQ(problem, CsvProblem::UnterminatedQuote);
    EXPECT_EQ(line, 3);
    EXPECT_TRUE(rows.m_rows.empty());
}

TEST(TableText, ShiftJisAndUtf8GiveTheSameFields) {
    const std::string utf8 = "品名,価格\r\n\"ノート\nA4\",１２０\r\n";
    const std::string sjis =
        "\x95\x69\x96\xBC,\x89\xBF\x8A\x69\r\n\"\x83\x6D\x81\x5B\x83\x67\nA4\","
        "\x82\x50\x82\x51\x82\x4F\r\n";
    CTableData fromUtf8, fromBom, fromSjis;
    CTableProblem problem;
    ASSERT_TRUE(ReadTableBytes(utf8, fromUtf8, problem));
    ASSERT_TRUE(ReadTableBytes("\xEF\xBB\xBF" + utf8, fromBom, problem));
    ASSERT_TRUE(ReadTableBytes(sjis, fromSjis, problem));
    EXPECT_EQ(fromUtf8.m_rows, fromSjis.m_rows);
    EXPECT_EQ(fromBom.m_rows, fromSjis.m_rows);
    EXPECT_FALSE(fromSjis.m_replacements.Any());
    EXPECT_EQ(fromSjis.m_rows[1][0], "\x83\x6D\x81\x5B\x83\x67\nA4");
}

TEST(TableText, CharactersCellsCannotHoldAreCounted) {
    CTableData data;
    CTableProblem problem;
    // An emoji in row 2, field 3, and a control byte after it.
    ASSERT_TRUE(ReadTableUtf8("a,b,c\nd,e,f😀\x01\n", data, problem));
    EXPECT_EQ(data.m_rows[1][2], "f\x81\xAC\x81\xAC");
    EXPECT_EQ(data.m_replacements.m_nUnmappable, 2);
    EXPECT_EQ(data.m_replacements.m_nFirstLine, 2);
    EXPECT_EQ(data.m_replacements.m_nFirstColumn, 3);
    EXPECT_NE(DescribeTableReplacements(data.m_replacements).find("〓"), std::string::npos);
    // Shift-JIS with a lead byte cut off by the separator.
    ASSERT_TRUE(ReadTableBytes("x\x82,y\n", data, problem));
    EXPECT_EQ(data.m_rows[0][0], "x\x81\xAC");
    EXPECT_EQ(data.m_replacements.m_nUnmappable, 1);
}

TEST(TableText, ProblemsAreToldWithTheirPlace) {
    CTableData data;
    CTableProblem problem;
    EXPECT_FALSE(ReadTableUtf8("a\nb,\"c\n", data, problem));
    EXPECT_EQ(problem.m_kind, TableProblem::UnterminatedQuote);
    EXPECT_NE(TableProblemMessage(problem).find("2 行目"), std::string::npos);
    EXPECT_FALSE(ReadTableBytes("\n\n", data, problem));
    EXPECT_EQ(problem.m_kind, TableProblem::NoFields);
    EXPECT_FALSE(TableProblemMessage(problem).empty());
}

// Data that could fit no canvas stops the reader where it passes a limit,
// before any row is padded: the ragged case that once needed gigabytes (one
// long row, thousands of empty lines, one more row) is refused on its first line.
TEST(CsvReader, LimitsStopReadingWhereTheyArePassed) {
    CCsvRows rows;
    CsvProblem problem;
    int line = 0;
    CCsvLimits limits;
    limits.m_nFields = 49;
    limits.m_nRows = limits.m_nLines = 97;
    const std::string ragged = "a" + std::string(8000, ',') + std::string(8000, '\n') + "b";
    EXPECT_FALSE(ReadCsv(ragged, rows, problem, &line, limits));
    EXPECT_EQ(problem, CsvProblem::TooManyFields);
    EXPECT_EQ(line, 1);
    EXPECT_TRUE(rows.m_rows.empty());
    // Blank lines at the end cost nothing; in the middle they are rows.
    ASSERT_TRUE(ReadCsv("a,b\n" + std::string(8000, '\n'), rows, problem, &line, limits));
    EXPECT_EQ(rows.m_rows, (Rows{{"a", "b"}}));
    EXPECT_FALSE(ReadCsv("a\n" + std::string(96, '\n') + "b\n", rows, problem, &line, limits));
    EXPECT_EQ(problem, CsvProblem::TooManyRows);
    EXPECT_EQ(line, 98);
    ASSERT_TRUE(ReadCsv("a\n" + std::string(95, '\n') + "b\n", rows, problem, &line, limits));
    EXPECT_EQ(rows.m_rows.size(), 97u);
    // A row is as tall as its field with the most lines.
    std::string tall = "x,\"" + std::string(60, '\n') + "\"\n";
    EXPECT_TRUE(ReadCsv(tall, rows, problem, &line, limits));
    EXPECT_FALSE(ReadCsv(tall + tall, rows, problem, &line, limits));
    EXPECT_EQ(problem, CsvProblem::TooManyLines);
    EXPECT_EQ(line, 62);
    // Exactly at the limits is fine.
    EXPECT_TRUE(ReadCsv(std::string(48, ',') + "z", rows, problem, &line, limits));
    EXPECT_EQ(rows.m_nColumns, 49);
}

// The table readers' limits are those of the largest canvas: data just inside
// them lays out into a table that fits it, data just past them is refused by
// the reader already. Clipboard text is limited as a file is.
TEST(TableText, LimitsAreThoseOfTheLargestCanvas) {
    CTableData data;
    CTableProblem problem;
    CRuvlenDoc largest;
    largest.m_nColumns = largest.m_nLines = CRuvlenDoc::MAX_SIZE;
    CTableOptions compact;
    compact.m_bCompact = 1;
    const std::string wide = std::string(size_t(MaxTableFields() - 1), ',') + "\n";
    ASSERT_TRUE(ReadTableUtf8(wide + "a\n", data, problem)); // one field must hold text
    EXPECT_TRUE(PutTableInBuffer(largest, CTableLayout(data.m_rows, compact), problem));
    EXPECT_EQ(largest.m_nBufferColumns, 2 * MaxTableFields() + 2);
    EXPECT_FALSE(ReadTableUtf8("," + wide, data, problem));
    EXPECT_EQ(problem.m_kind, TableProblem::TooManyFields);

    std::string tall;
    for (int i = 0; i < MaxTableLines(); ++i) tall += "r\n";
    ASSERT_TRUE(ReadTableBytes(tall, data, problem));
    EXPECT_TRUE(PutTableInBuffer(largest, CTableLayout(data.m_rows, compact), problem));
    EXPECT_EQ(largest.m_nBufferLines, CRuvlenDoc::MAX_SIZE);
    EXPECT_FALSE(ReadTableBytes(tall + "r\n", data, problem));
    EXPECT_EQ(problem.m_kind, TableProblem::TooManyRows);
    EXPECT_NE(TableProblemMessage(problem).find(std::to_string(MaxTableLines() + 1)),
              std::string::npos);

    const std::string huge = "a,b\n" + std::string(kMaxTableBytes, ' ');
    EXPECT_FALSE(ReadTableUtf8(huge, data, problem));
    EXPECT_EQ(problem.m_kind, TableProblem::TooMuchData);
    EXPECT_FALSE(ReadTableBytes(huge, data, problem));
    EXPECT_FALSE(TableProblemMessage(problem).empty());
}

// Garbage of quotes, separators, line ends and stray Shift-JIS and UTF-8 bytes
// either gives a reason or a table whose every row has every field, holding
// only whole characters; laying it out never goes past the canvas.
TEST(TableText, GarbageGivesAReasonOrAWholeTable) {
    const std::string alphabet = "\",\t\r\n a1\x82\xA0\xE3\x81\x82\xFF\x84\x9F";
    std::mt19937 rng(7);
    CRuvlenDoc doc;
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        for (int n = int(rng() % 80); n > 0; --n) bytes += alphabet[rng() % alphabet.size()];
        CTableData data;
        CTableProblem problem;
        if (!ReadTableBytes(bytes, data, problem)) {
            EXPECT_FALSE(TableProblemMessage(problem).empty());
            continue;
        }
        for (const auto& row : data.m_rows) {
            ASSERT_EQ(int(row.size()), data.Columns());
            for (const std::string& field : row)
                for (size_t i = 0; i < field.size(); ++i) {
                    const unsigned char c = static_cast<unsigned char>(field[i]);
                    if (IsLeadByte(c))
                        ASSERT_TRUE(i + 1 < field.size() &&
                                    IsTrailByte(static_cast<unsigned char>(field[++i])));
                    else
                        ASSERT_TRUE(c == '\n' || IsSingleByteChar(c)) << int(c);
                }
        }
        const CTableLayout table(data.m_rows, CTableOptions());
        if (PutTableInBuffer(doc, table, problem)) {
            EXPECT_LE(doc.m_nBufferColumns, doc.m_nColumns);
            EXPECT_LE(doc.m_nBufferLines, doc.m_nLines);
        }
    }
}

} // namespace
