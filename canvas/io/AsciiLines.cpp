#include "canvas/io/AsciiLines.h"

#include "canvas/LineFlags.h"
#include "canvas/io/BoxDrawingMap.h"

#include <cctype>

namespace {

// The text characters of the lines by line and column, and what they become.
class CAsciiGrid {
public:
    explicit CAsciiGrid(std::vector<CLayoutLine>& lines) : m_lines(lines) {
        for (const CLayoutLine& line : lines) {
            m_columns.push_back(CharColumns(line));
            m_at.push_back(CharAtColumn(line));
        }
    }

    // The ASCII character at (y, i), or 0 for anything else.
    char Ch(size_t y, int i) const {
        if (y >= m_lines.size() || i < 0 || size_t(i) >= m_lines[y].chars.size()) return 0;
        const CLayoutChar& c = m_lines[y].chars[size_t(i)];
        return c.IsLine() || c.sjis[1] ? 0 : c.sjis[0];
    }
    // The character index above (dy -1) or below (dy 1) the one at (y, i), or -1.
    int Beside(size_t y, int i, int dy) const {
        const size_t other = y + size_t(dy);
        if ((dy < 0 && y == 0) || other >= m_lines.size()) return -1;
        const int column = m_columns[y][size_t(i)];
        const std::vector<int>& at = m_at[other];
        return size_t(column) < at.size() ? at[size_t(column)] : -1;
    }
    char ChBeside(size_t y, int i, int dy) const { return Ch(y + size_t(dy), Beside(y, i, dy)); }

    std::vector<CLayoutLine>& m_lines;
    std::vector<std::vector<int>> m_columns, m_at;
};

bool IsRunChar(char c) {
    return c == '-' || c == '=';
}

bool IsAlnum(char c) {
    return c && std::isalnum(static_cast<unsigned char>(c));
}

// A + that has a - or = beside it, or a | above or below it.
bool IsJoiningPlus(const CAsciiGrid& g, size_t y, int i) {
    return g.Ch(y, i) == '+' && (IsRunChar(g.Ch(y, i - 1)) || IsRunChar(g.Ch(y, i + 1)) ||
                                 g.ChBeside(y, i, -1) == '|' || g.ChBeside(y, i, 1) == '|');
}

bool Joins(const CAsciiGrid& g, size_t y, int i) {
    return g.Ch(y, i) == '|' || IsJoiningPlus(g, y, i);
}

// Marks the runs of - and = of line y that are lines; returns, per character,
// whether it is one.
std::vector<bool> MarkRuns(const CAsciiGrid& g, size_t y) {
    const int n = int(g.m_lines[y].chars.size());
    std::vector<bool> line(size_t(n), false);
    for (int i = 0; i < n;) {
        if (!IsRunChar(g.Ch(y, i))) {
            ++i;
            continue;
        }
        int j = i;
        while (IsRunChar(g.Ch(y, j + 1))) ++j;
        const int length = j - i + 1;
        const bool touches = Joins(g, y, i - 1) || Joins(g, y, j + 1);
        const bool byText = IsAlnum(g.Ch(y, i - 1)) || IsAlnum(g.Ch(y, j + 1));
        if (touches || length >= 4 || (length == 3 && !byText))
            for (int k = i; k <= j; ++k) line[size_t(k)] = true;
        i = j + 1;
    }
    return line;
}

bool IsVerticalPiece(const CAsciiGrid& g, const std::vector<std::vector<bool>>& runs, size_t y,
                     int i) {
    if (g.Ch(y, i) == '|') {
        for (int dy : {-1, 1}) {
            const int other = g.Beside(y, i, dy);
            if (g.Ch(y + size_t(dy), other) == '|' ||
                (other >= 0 && IsJoiningPlus(g, y + size_t(dy), other)))
                return true;
        }
        const std::vector<bool>& run = runs[y];
        return (i > 0 && run[size_t(i - 1)]) || (size_t(i + 1) < run.size() && run[size_t(i + 1)]);
    }
    return false;
}

// The arms of a + as four hex digits (right, down, left, up) for
// NearestJisLineFlags.
uint16_t PlusArms(const CAsciiGrid& g, const std::vector<std::vector<bool>>& runs,
                  const std::vector<std::vector<bool>>& pipes, size_t y, int i) {
    const std::vector<bool>& run = runs[y];
    const auto horizontal = [&](int k) -> uint16_t {
        if (k < 0 || size_t(k) >= run.size() || !run[size_t(k)]) return 0;
        return g.Ch(y, k) == '=' ? 2 : 1;
    };
    const auto vertical = [&](int dy) -> uint16_t {
        const int k = g.Beside(y, i, dy);
        if (k < 0) return 0;
        const size_t other = y + size_t(dy);
        return pipes[other][size_t(k)] || IsJoiningPlus(g, other, k) ? 1 : 0;
    };
    return uint16_t(horizontal(i + 1) << 12 | vertical(1) << 8 | horizontal(i - 1) << 4 |
                    vertical(-1));
}

} // namespace

void MarkAsciiLines(std::vector<CLayoutLine>& lines) {
    CAsciiGrid g(lines);
    std::vector<std::vector<bool>> runs, pipes;
    for (size_t y = 0; y < lines.size(); ++y) runs.push_back(MarkRuns(g, y));
    for (size_t y = 0; y < lines.size(); ++y) {
        pipes.emplace_back(lines[y].chars.size(), false);
        for (int i = 0; i < int(lines[y].chars.size()); ++i)
            pipes[y][size_t(i)] = IsVerticalPiece(g, runs, y, i);
    }
    std::vector<std::vector<uint8_t>> flags(lines.size());
    for (size_t y = 0; y < lines.size(); ++y) {
        flags[y].assign(lines[y].chars.size(), 0);
        for (int i = 0; i < int(lines[y].chars.size()); ++i) {
            const size_t k = size_t(i);
            if (runs[y][k])
                flags[y][k] = uint8_t(g.Ch(y, i) == '=' ? LF_RIGHT | LF_LEFT | LF_HTHICK
                                                        : LF_RIGHT | LF_LEFT);
            else if (pipes[y][k])
                flags[y][k] = LF_UP | LF_DOWN;
            else if (g.Ch(y, i) == '+')
                flags[y][k] = uint8_t(NearestJisLineFlags(PlusArms(g, runs, pipes, y, i)));
        }
    }
    for (size_t y = 0; y < lines.size(); ++y)
        for (size_t k = 0; k < flags[y].size(); ++k)
            if (flags[y][k]) lines[y].chars[k].lineFlags = flags[y][k];
}
