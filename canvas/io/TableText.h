#pragma once

#include "canvas/io/TextFormat.h"

#include <string>
#include <vector>

// Table data from a file or the clipboard, as the Shift-JIS fields the cells
// keep.

struct CTableData {
    // Every row has the same number of fields; a field's lines are separated by
    // LF. Fields hold only characters a cell can show.
    std::vector<std::vector<std::string>> m_rows;
    // Characters that had to change to fit the cells, counted as a UTF-8 canvas
    // file counts them; the first is told as its row and field (1-based) in
    // m_nFirstLine and m_nFirstColumn.
    CTextReplacements m_replacements;
    bool m_bTabs = false; // the data was tab-separated

    int Columns() const { return m_rows.empty() ? 0 : static_cast<int>(m_rows[0].size()); }
};

// Larger data could never give a table that fits a canvas.
constexpr size_t kMaxTableBytes = 1 << 20;

// TooMuchData, TooManyRows, TooManyFields and TooManyLines: the data could
// not give a table that fits the largest canvas; reading stops there, before
// it costs more. TooLarge: the table does not fit this canvas.
enum class TableProblem {
    None,
    NoFields,
    UnterminatedQuote,
    TooLarge,
    TooMuchData,
    TooManyRows,
    TooManyFields,
    TooManyLines
};

struct CTableProblem {
    TableProblem m_kind = TableProblem::None;
    // UnterminatedQuote: the text line where the quoted field starts; the
    // TooMany kinds: the text line where the data passed the limit.
    int m_nLine = 0;
    // TooLarge: the size the table needs and the canvas it did not fit.
    int m_nNeedColumns = 0, m_nNeedLines = 0;
    int m_nColumns = 0, m_nLines = 0;
};

// The most any canvas can take: a table of n columns is at least 2n + 2 cells
// wide (the frame, a cell and a line for each column, and a second cell for
// the one field that must hold text), and one of n text lines at least n + 2
// high.
int MaxTableFields();
int MaxTableLines();

// Reads the bytes of a file: UTF-8 or Shift-JIS, detected as for canvas files
// (DetectTextFormat), then comma- or tab-separated (canvas/io/CsvReader.h).
// Both readers refuse more than kMaxTableBytes, and data that passes the
// limits above, as soon as they see it.
bool ReadTableBytes(const std::string& bytes, CTableData& data, CTableProblem& problem);

// Reads Unicode text (UTF-8), as the clipboard gives it.
bool ReadTableUtf8(const std::string& utf8, CTableData& data, CTableProblem& problem);

// A Japanese sentence for the user on why the data gives no table.
std::string TableProblemMessage(const CTableProblem& problem);

// A Japanese sentence on the characters reading replaced; empty when none.
std::string DescribeTableReplacements(const CTextReplacements& replacements);
