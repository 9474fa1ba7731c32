#pragma once

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

enum class CsvProblem { None, NoFields, UnterminatedQuote };

// Reads text into rows. Blank lines at the end are not rows. Fails with
// NoFields when no field holds anything, and with UnterminatedQuote when a
// quoted field runs to the end of the text; *line is then the 1-based line
// where that field starts (0 for NoFields).
bool ReadCsv(const std::string& text, CCsvRows& rows, CsvProblem& problem, int* line = nullptr);
