#include "canvas/io/CsvReader.h"

#include <algorithm>

namespace {

// A small state machine over the bytes: outside a quoted field, inside one,
// and just after a quote inside one (either its end or the first of "").
class CCsvParser {
public:
    CCsvParser(const std::string& text, char separator) : m_text(text), m_cSep(separator) {}

    // False when a quoted field is left open at the end.
    bool Run(size_t start) {
        for (size_t i = start; i < m_text.size(); ++i) {
            const char c = m_text[i];
            if (c == '\n') ++m_nLine;
            if (c == '\r' && !(i + 1 < m_text.size() && m_text[i + 1] == '\n')) ++m_nLine;
            if (m_bQuoted)
                Quoted(c, i);
            else
                Plain(c, i);
        }
        if (m_bQuoted && !m_bQuotePending) return false;
        if (m_bRowStarted || !m_field.empty()) EndRow();
        return true;
    }

    std::vector<std::vector<std::string>> m_rows;
    int m_nQuoteLine = 0; // where the open quoted field starts
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
            if (IsLineEnd(c, i)) m_field += '\n';
        } else {
            m_field += c;
        }
    }

    void EndField() {
        if (!m_field.empty()) m_bAnyText = true;
        m_row.push_back(std::move(m_field));
        m_field.clear();
        m_bFieldQuoted = false;
        m_bRowStarted = true;
    }

    void EndRow() {
        EndField();
        m_rows.push_back(std::move(m_row));
        m_row.clear();
        m_bRowStarted = false;
    }

    const std::string& m_text;
    const char m_cSep;
    std::vector<std::string> m_row;
    std::string m_field;
    int m_nLine = 1;
    bool m_bQuoted = false;       // inside a quoted field
    bool m_bQuotePending = false; // a quote was just read inside one
    bool m_bFieldQuoted = false;  // the current field began with a quote
    bool m_bRowStarted = false;   // the current row has a separator or text
};

bool IsEmptyRow(const std::vector<std::string>& row) {
    return row.size() == 1 && row[0].empty();
}

} // namespace

bool ReadCsv(const std::string& text, CCsvRows& rows, CsvProblem& problem, int* line) {
    rows = CCsvRows();
    problem = CsvProblem::None;
    if (line) *line = 0;
    const size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    rows.m_bTabs = text.find('\t', start) != std::string::npos;
    CCsvParser parser(text, rows.m_bTabs ? '\t' : ',');
    if (!parser.Run(start)) {
        problem = CsvProblem::UnterminatedQuote;
        if (line) *line = parser.m_nQuoteLine;
        return false;
    }
    if (!parser.m_bAnyText) {
        problem = CsvProblem::NoFields;
        return false;
    }
    rows.m_rows = std::move(parser.m_rows);
    while (!rows.m_rows.empty() && IsEmptyRow(rows.m_rows.back())) rows.m_rows.pop_back();
    for (const auto& row : rows.m_rows)
        rows.m_nColumns = std::max(rows.m_nColumns, static_cast<int>(row.size()));
    for (auto& row : rows.m_rows) row.resize(rows.m_nColumns);
    return true;
}
