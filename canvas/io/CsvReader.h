#pragma once

#include <climits>
#include <string>
#include <vector>

// Fields of comma- or tab-separated text, as spreadsheets write and copy it.
//
// Text with a tab in any line is tab-separated; any other text is CSV. Both
// follow the same rules: a field may be enclosed in double quotes, "" inside
// quotes is one quote, and a separator or line break inside quotes belongs to
// the field. Line ends are CR LF, LF or a lone CR; inside a field they become
// LF. A leading UTF-8 byte-order mark is skipped. The reader works on bytes and
// only looks at ASCII, so it reads UTF-8 and Shift-JIS alike (no Shift-JIS
// trail byte is a quote, a comma, a tab or a line end).
struct CCsvRows {
    // Every row holds m_nColumns fields: short rows are padded with empty ones.
    std::vector<std::vector<std::string>> m_rows;
    int m_nColumns = 0;
    bool m_bTabs = false; // read as tab-separated
};

// The most the caller can use, checked while reading, before any row is
// padded: rows (blank lines at the end not counted), fields in one row, and
// text lines, where a row takes as many as its field with the most lines.
struct CCsvLimits {
    int m_nRows = INT_MAX;
    int m_nFields = INT_MAX;
    int m_nLines = INT_MAX;
};

enum class CsvProblem {
    None,
    NoFields,
    UnterminatedQuote,
    TooManyRows,
    TooManyFields,
    TooManyLines
};

// Reads text into rows. Blank lines at the end are not rows. Fails with
// NoFields when no field holds anything, with UnterminatedQuote when a quoted
// field runs to the end of the text (*line is then the 1-based line where that
// field starts), and with TooManyRows, TooManyFields or TooManyLines as soon as
// the data passes a limit (*line is the line where it did). Memory grows with
// the text, never faster: what would pass a limit is never stored.
bool ReadCsv(const std::string& text, CCsvRows& rows, CsvProblem& problem, int* line = nullptr,
             const CCsvLimits& limits = CCsvLimits());
