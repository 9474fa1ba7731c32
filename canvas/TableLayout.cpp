#include "canvas/TableLayout.h"

#include "canvas/ByteClass.h"
#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"

#include <algorithm>

namespace {

// Bytes of the character at p: 2 for a lead byte with its trail, else 1.
size_t CharLength(const std::string& s, size_t i) {
    return IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

// The lines of a field (split at LF).
std::vector<std::string> FieldLines(const std::string& field) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = field.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(field.substr(start, end - start));
    lines.push_back(field.substr(start));
    return lines;
}

// Writes text into a line of half-cells, from half-cell from on (left) or
// ending just before half-cell from (right); a full-width character always
// starts on an even half-cell. Returns the half-cell after the text (left) or
// where the text starts (right). line may be null to measure only.
int PutLeft(std::string* line, int from, const std::string& text) {
    int pos = from;
    for (size_t i = 0; i < text.size();) {
        const size_t n = CharLength(text, i);
        if (n == 2 && pos % 2) ++pos;
        if (line) line->replace(pos, n, text, i, n);
        pos += static_cast<int>(n);
        i += n;
    }
    return pos;
}

int PutRight(std::string* line, int end, const std::string& text) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size(); i += CharLength(text, i)) starts.push_back(i);
    int pos = end;
    for (size_t k = starts.size(); k-- > 0;) {
        const size_t i = starts[k];
        const size_t n = CharLength(text, i);
        if (n == 2 && pos % 2) --pos;
        pos -= static_cast<int>(n);
        if (line) line->replace(pos, n, text, i, n);
    }
    return pos;
}

// Half-cells a field line needs in its column, margins included.
int NeededHalves(const std::string& text, bool right) {
    const int oddEnd = 1001;
    return right ? oddEnd - PutRight(nullptr, oddEnd, text) + 2 : PutLeft(nullptr, 1, text) + 1;
}

// Number symbols of Shift-JIS text: d digit, s sign, g group comma, p point,
// % percent, x anything else.
std::string NumberSymbols(const std::string& field) {
    std::string symbols;
    for (size_t i = 0; i < field.size();) {
        const size_t n = CharLength(field, i);
        const unsigned char a = static_cast<unsigned char>(field[i]);
        const unsigned char b = n == 2 ? static_cast<unsigned char>(field[i + 1]) : 0;
        char s = 'x';
        if (n == 1)
            s = (a >= '0' && a <= '9')   ? 'd'
                : (a == '+' || a == '-') ? 's'
                : a == ','               ? 'g'
                : a == '.'               ? 'p'
                : a == '%'               ? '%'
                                         : 'x';
        else if (a == 0x82 && b >= 0x4F && b <= 0x58)
            s = 'd'; // ０..９
        else if (a == 0x81)
            s = (b == 0x7B || b == 0x7C) ? 's' // ＋ －
                : b == 0x43              ? 'g' // ，
                : b == 0x44              ? 'p' // ．
                : b == 0x93              ? '%' // ％
                                         : 'x';
        symbols += s;
        i += n;
    }
    return symbols;
}

} // namespace

bool CTableLayout::IsNumber(const std::string& field) {
    const std::string s = NumberSymbols(field);
    size_t i = s.empty() || s[0] != 's' ? 0 : 1;
    const size_t intStart = i;
    while (i < s.size() && s[i] == 'd') ++i;
    size_t digits = i - intStart;
    if (i < s.size() && s[i] == 'g') {
        if (digits < 1 || digits > 3) return false;
        while (i + 3 < s.size() && s[i] == 'g' && s.compare(i + 1, 3, "ddd") == 0) {
            i += 4;
            digits += 3;
        }
        if (i < s.size() && s[i] == 'g') return false;
        if (i < s.size() && s[i] == 'd') return false;
    }
    if (i < s.size() && s[i] == 'p') {
        const size_t fracStart = ++i;
        while (i < s.size() && s[i] == 'd') ++i;
        if (i == fracStart) return false;
        digits += i - fracStart;
    }
    if (i < s.size() && s[i] == '%') ++i;
    return digits > 0 && i == s.size();
}

CTableLayout::CTableLayout(const std::vector<std::vector<std::string>>& rows,
                           const CTableOptions& options, const std::vector<CTableMerge>& merges)
    : m_rows(rows), m_options(options), m_merges(merges) {
    Measure();
}

bool CTableLayout::CanLayMerges(const std::vector<CTableMerge>& merges,
                                const CTableOptions& options) {
    if (!options.m_bCompact) return true;
    for (const CTableMerge& m : merges)
        if (!options.m_bHeader || m.m_nRow != 0 || m.m_nRowSpan != 1) return false;
    return true;
}

int CTableLayout::MergeAt(int row, int column) const {
    for (size_t i = 0; i < m_merges.size(); ++i) {
        const CTableMerge& m = m_merges[i];
        if (row >= m.m_nRow && row < m.m_nRow + m.m_nRowSpan && column >= m.m_nColumn &&
            column < m.m_nColumn + m.m_nColumnSpan)
            return int(i);
    }
    return -1;
}

bool CTableLayout::Covered(int row, int column) const {
    const int i = MergeAt(row, column);
    return i >= 0 && (m_merges[i].m_nRow != row || m_merges[i].m_nColumn != column);
}

void CTableLayout::Measure() {
    const size_t columns = m_rows.empty() ? 0 : m_rows[0].size();
    m_columnWidth.assign(columns, 1);
    m_rowHeight.assign(m_rows.size(), 1);
    for (size_t y = 0; y < m_rows.size(); ++y) {
        for (size_t x = 0; x < columns; ++x) {
            if (MergeAt(int(y), int(x)) >= 0) continue;
            const bool right = IsNumber(m_rows[y][x]);
            const std::vector<std::string> lines = FieldLines(m_rows[y][x]);
            m_rowHeight[y] = std::max(m_rowHeight[y], static_cast<int>(lines.size()));
            for (const std::string& line : lines)
                m_columnWidth[x] = std::max(m_columnWidth[x], (NeededHalves(line, right) + 1) / 2);
        }
    }
    FitMerges();
    PlaceRules();
}

// A merged cell has its columns and the lines between them; the last column
// (row) it spans grows by what is missing.
void CTableLayout::FitMerges() {
    for (const CTableMerge& m : m_merges) {
        const std::string& field = m_rows[m.m_nRow][m.m_nColumn];
        const bool right = IsNumber(field);
        const std::vector<std::string> lines = FieldLines(field);
        int width = m.m_nColumnSpan - 1, height = m.m_nRowSpan - 1, needed = 1;
        for (int c = m.m_nColumn; c < m.m_nColumn + m.m_nColumnSpan; ++c) width += m_columnWidth[c];
        for (int r = m.m_nRow; r < m.m_nRow + m.m_nRowSpan; ++r) height += m_rowHeight[r];
        for (const std::string& line : lines)
            needed = std::max(needed, (NeededHalves(line, right) + 1) / 2);
        if (needed > width) m_columnWidth[m.m_nColumn + m.m_nColumnSpan - 1] += needed - width;
        if (int(lines.size()) > height)
            m_rowHeight[m.m_nRow + m.m_nRowSpan - 1] += int(lines.size()) - height;
    }
}

void CTableLayout::PlaceRules() {
    const size_t columns = m_columnWidth.size();
    // Columns: the left frame, then each text area followed by its line.
    m_columnLeft.clear();
    m_vRules = {{0, m_options.m_bThickOuter}};
    for (size_t x = 0; x < columns; ++x) {
        m_columnLeft.push_back(m_vRules.back().at + 1);
        const bool last = x + 1 == columns;
        m_vRules.push_back({m_columnLeft.back() + m_columnWidth[x],
                            last ? m_options.m_bThickOuter : m_options.m_bThickInner});
    }
    m_nWidth = m_vRules.back().at + 1;
    // Rows: the top frame, then each row followed by its separator (if any).
    m_rowTop.clear();
    m_hRules = {{0, m_options.m_bThickOuter}};
    m_hRuleAfter = {-1};
    int y = 1;
    for (size_t r = 0; r < m_rows.size(); ++r) {
        m_rowTop.push_back(y);
        y += m_rowHeight[r];
        const bool last = r + 1 == m_rows.size();
        const bool header = r == 0 && m_options.m_bHeader;
        if (last || header || !m_options.m_bCompact) {
            m_hRules.push_back(
                {y++, last || header ? m_options.m_bThickOuter : m_options.m_bThickInner});
            m_hRuleAfter.push_back(int(r));
        }
    }
    m_nHeight = y;
}

// The arms and weights of every cell the rules cross. Each rule is drawn as
// pieces from line to line, leaving out the pieces inside a merged cell; a
// cell gets the arms towards the rule cells beside it.
void CTableLayout::RuleFlags(std::vector<int>& flags) const {
    const size_t size = static_cast<size_t>(m_nWidth) * m_nHeight;
    std::vector<int> h(size, 0), v(size, 0); // 1 thin, 2 thick
    const int rows = int(m_rows.size()), columns = int(m_columnWidth.size());
    const auto same = [this](int r1, int c1, int r2, int c2) {
        const int m = MergeAt(r1, c1);
        return m >= 0 && m == MergeAt(r2, c2);
    };
    for (size_t k = 0; k < m_hRules.size(); ++k) {
        const int r = m_hRuleAfter[k];
        for (int c = 0; c < columns; ++c) {
            if (r >= 0 && r + 1 < rows && same(r, c, r + 1, c)) continue;
            for (int x = m_vRules[c].at; x <= m_vRules[c + 1].at; ++x)
                h[x + m_nWidth * m_hRules[k].at] = 1 + m_hRules[k].thick;
        }
    }
    for (int k = 0; k <= columns; ++k) {
        for (int r = 0; r < rows; ++r) {
            if (k > 0 && k < columns && same(r, k - 1, r, k)) continue;
            for (int y = m_rowTop[r] - 1; y <= m_rowTop[r] + m_rowHeight[r]; ++y)
                v[m_vRules[k].at + m_nWidth * y] = 1 + m_vRules[k].thick;
        }
    }
    flags.assign(size, 0);
    for (int y = 0; y < m_nHeight; ++y) {
        for (int x = 0; x < m_nWidth; ++x) {
            const size_t i = x + size_t(m_nWidth) * y;
            int f = 0;
            if (h[i]) {
                f |= (x > 0 && h[i - 1] ? LF_LEFT : 0) |
                     (x + 1 < m_nWidth && h[i + 1] ? LF_RIGHT : 0);
                f |= h[i] == 2 ? LF_HTHICK : 0;
            }
            if (v[i]) {
                f |= (y > 0 && v[i - m_nWidth] ? LF_UP : 0) |
                     (y + 1 < m_nHeight && v[i + m_nWidth] ? LF_DOWN : 0);
                f |= v[i] == 2 ? LF_VTHICK : 0;
            }
            flags[i] = f;
        }
    }
}

// Each text line of the table as 2 x width bytes, blank where nothing is. A
// merged field takes the room of every place it spans.
void CTableLayout::PlaceText(std::vector<std::string>& lines) const {
    lines.assign(m_nHeight, std::string(2 * static_cast<size_t>(m_nWidth), ' '));
    for (size_t r = 0; r < m_rows.size(); ++r) {
        for (size_t c = 0; c < m_columnLeft.size(); ++c) {
            if (Covered(int(r), int(c))) continue;
            const int m = MergeAt(int(r), int(c));
            const size_t last =
                m < 0 ? c : size_t(m_merges[m].m_nColumn + m_merges[m].m_nColumnSpan - 1);
            const bool right = IsNumber(m_rows[r][c]);
            const std::vector<std::string> fieldLines = FieldLines(m_rows[r][c]);
            const int left = 2 * m_columnLeft[c];
            const int end = 2 * (m_columnLeft[last] + m_columnWidth[last]) - 1;
            for (size_t k = 0; k < fieldLines.size(); ++k) {
                std::string* line = &lines[m_rowTop[r] + k];
                if (right)
                    PutRight(line, end, fieldLines[k]);
                else
                    PutLeft(line, left + 1, fieldLines[k]);
            }
        }
    }
}

void CTableLayout::Render(CCell* cells, int stride) const {
    std::vector<int> flags;
    RuleFlags(flags);
    std::vector<std::string> lines;
    PlaceText(lines);
    for (int y = 0; y < m_nHeight; ++y) {
        for (int x = 0; x < m_nWidth; ++x) {
            CCell& cell = cells[x + stride * y];
            const int f = flags[x + m_nWidth * y];
            if (f) {
                cell.SetLineFlags(f);
            } else {
                const char text[3] = {lines[y][2 * x], lines[y][2 * x + 1], 0};
                cell.SetText(text);
            }
        }
    }
}

bool PutTableInBuffer(CRuvlenDoc& doc, const CTableLayout& table, CTableProblem& problem) {
    problem = CTableProblem();
    if (table.Width() > doc.m_nColumns || table.Height() > doc.m_nLines) {
        problem.m_kind = TableProblem::TooLarge;
        problem.m_nNeedColumns = table.Width();
        problem.m_nNeedLines = table.Height();
        problem.m_nColumns = doc.m_nColumns;
        problem.m_nLines = doc.m_nLines;
        return false;
    }
    doc.ClearBuffer();
    table.Render(&doc.BufferCell(0, 0), CRuvlenDoc::GRID);
    doc.m_nBufferColumns = table.Width();
    doc.m_nBufferLines = table.Height();
    doc.m_bBufferMergesLines = true;
    return true;
}
