#pragma once

#include "canvas/TableProblem.h"
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
