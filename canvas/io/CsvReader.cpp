#include "canvas/io/CsvReader.h"

#include <algorithm>

namespace {

// A small state machine over the bytes: outside a quoted field, inside one,
// and just after a quote inside one (either its end or the first of "").
// Blank rows are only counted until a row with content follows them, so that
// blank lines at the end cost nothing.
class CCsvParser {
public:
    CCsvParser(const std::string& text, char separator, const CCsvLimits& limits)
        : m_text(text), m_cSep(separator), m_limits(limits) {}

    // None, or why reading stopped.
    CsvProblem Run(size_t start) {
        for (size_t i = start; i < m_text.size() && m_problem == CsvProblem::None; ++i) {
            const char c = m_text[i];
            if (c == '\n') ++m_nLine;
            if (c == '\r' && !(i + 1 < m_text.size() && m_text[i + 1] == '\n')) ++m_nLine;
            if (m_bQuoted)
                Quoted(c, i);
            else
                Plain(c, i);
        }
        if (m_problem != CsvProblem::None) return m_problem;
        if (m_bQuoted && !m_bQuotePending) return CsvProblem::UnterminatedQuote;
        if (m_bRowStarted || !m_field.empty()) EndRow();
        return m_problem;
    }

    std::vector<std::vector<std::string>> m_rows;
    int m_nColumns = 0;
    int m_nQuoteLine = 0;   // where the open quoted field starts
    int m_nProblemLine = 0; // where the data passed a limit
    int m_nLine = 1;
    bool m_bAnyText = false;

private:
    bool IsLineEnd(char c, size_t i) const {
        return c == '\n' || (c == '\r' && !(i + 1 < m_text.size() && m_text[i + 1] == '\n'));
    }

    void Plain(char c, size_t i) {
        if (c == m_cSep) {
            EndField();
        } else if (IsLineEnd(c, i)) {
            EndRow();
        } else if (c == '\r') {
            // the CR of CR LF: the LF ends the row
        } else if (c == '"' && m_field.empty() && !m_bFieldQuoted) {
            m_bQuoted = true;
            m_bFieldQuoted = true;
            m_nQuoteLine = m_nLine;
            m_bRowStarted = true;
        } else {
            m_field += c;
            m_bRowStarted = true;
        }
    }

    void Quoted(char c, size_t i) {
        if (m_bQuotePending) {
            m_bQuotePending = false;
            if (c == '"') {
                m_field += '"';
                return;
            }
            m_bQuoted = false; // the quote closed the field; c is read as plain text
            Plain(c, i);
            return;
        }
        if (c == '"') {
            m_bQuotePending = true;
        } else if (c == '\r') {
            if (IsLineEnd(c, i)) AddFieldLineEnd();
        } else if (c == '\n') {
            AddFieldLineEnd();
        } else {
            m_field += c;
        }
    }

    void AddFieldLineEnd() {
        m_field += '\n';
        m_nRowHeight = std::max(m_nRowHeight, ++m_nFieldLines);
    }

    void EndField() {
        if (int(m_row.size()) >= m_limits.m_nFields) {
            m_problem = CsvProblem::TooManyFields;
            m_nProblemLine = m_nLine;
            return;
        }
        if (!m_field.empty()) m_bAnyText = true;
        m_row.push_back(std::move(m_field));
        m_field.clear();
        m_nFieldLines = 1;
        m_bFieldQuoted = false;
        m_bRowStarted = true;
    }

    void EndRow() {
        EndField();
        if (m_problem != CsvProblem::None) return;
        const bool blank = m_row.size() == 1 && m_row[0].empty();
        const int height = m_nRowHeight, rowLine = m_nRowLine;
        m_nRowHeight = 1;
        m_nRowLine = m_nLine; // the line counter has passed this row's end already
        m_bRowStarted = false;
        if (blank) {
            m_row.clear();
            ++m_nBlankRows;
            return;
        }
        // The blank rows before this one are rows too.
        const long long rows = (long long)m_rows.size() + m_nBlankRows + 1;
        const long long lines = m_nLines + m_nBlankRows + height;
        if (rows > m_limits.m_nRows)
            m_problem = CsvProblem::TooManyRows;
        else if (lines > m_limits.m_nLines)
            m_problem = CsvProblem::TooManyLines;
        m_nProblemLine = rowLine;
        if (m_problem != CsvProblem::None) return;
        for (; m_nBlankRows > 0; --m_nBlankRows) m_rows.push_back({std::string()});
        m_nLines = int(lines);
        m_nColumns = std::max(m_nColumns, int(m_row.size()));
        m_rows.push_back(std::move(m_row));
        m_row.clear();
    }

    const std::string& m_text;
    const char m_cSep;
    const CCsvLimits m_limits;
    CsvProblem m_problem = CsvProblem::None;
    std::vector<std::string> m_row;
    std::string m_field;
    int m_nRowLine = 1;           // where the current row starts
    int m_nFieldLines = 1;        // text lines of the current field
    int m_nRowHeight = 1;         // text lines of the current row
    int m_nBlankRows = 0;         // blank rows read since the last row with content
    int m_nLines = 0;             // text lines of the rows kept
    bool m_bQuoted = false;       // inside a quoted field
    bool m_bQuotePending = false; // a quote was just read inside one
    bool m_bFieldQuoted = false;  // the current field began with a quote
    bool m_bRowStarted = false;   // the current row has a separator or text
};

} // namespace

bool ReadCsv(const std::string& text, CCsvRows& rows, CsvProblem& problem, int* line,
             const CCsvLimits& limits) {
    rows = CCsvRows();
    if (line) *line = 0;
    const size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    rows.m_bTabs = text.find('\t', start) != std::string::npos;
    CCsvParser parser(text, rows.m_bTabs ? '\t' : ',', limits);
    problem = parser.Run(start);
    if (problem == CsvProblem::None && !parser.m_bAnyText) problem = CsvProblem::NoFields;
    if (problem != CsvProblem::None) {
        if (line && problem != CsvProblem::NoFields)
            *line = problem == CsvProblem::UnterminatedQuote ? parser.m_nQuoteLine
                                                             : parser.m_nProblemLine;
        return false;
    }
    rows.m_rows = std::move(parser.m_rows);
    rows.m_nColumns = parser.m_nColumns;
    for (auto& row : rows.m_rows) row.resize(rows.m_nColumns);
    return true;
}
