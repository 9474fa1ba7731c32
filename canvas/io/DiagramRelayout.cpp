#include "canvas/io/DiagramRelayout.h"

#include "canvas/LineFlags.h"

#include <algorithm>
#include <map>

namespace {

int EvenCeil(int column) {
    return column + (column & 1);
}

bool HasVerticalArm(const CLayoutChar& c) {
    return c.lineFlags & (LF_UP | LF_DOWN);
}

bool IsBlank(const CLayoutLine& line) {
    return std::all_of(line.chars.begin(), line.chars.end(),
                       [](const CLayoutChar& c) { return c.IsSpace(); });
}

bool HasLine(const CLayoutLine& line) {
    return std::any_of(line.chars.begin(), line.chars.end(),
                       [](const CLayoutChar& c) { return c.IsLine(); });
}

void TrimSpaces(std::vector<CLayoutChar>& chars) {
    while (!chars.empty() && chars.back().IsSpace()) chars.pop_back();
}

// The same characters in the same places (where they came from aside).
bool SameChars(const std::vector<CLayoutChar>& a, const std::vector<CLayoutChar>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const CLayoutChar& x, const CLayoutChar& y) {
                          return x.cols == y.cols && x.lineFlags == y.lineFlags &&
                                 x.sjis[0] == y.sjis[0] && x.sjis[1] == y.sjis[1];
                      });
}

// A horizontal line piece of a weight (2 thick), added by re-laying.
CLayoutChar Piece(int weight) {
    CLayoutChar c;
    c.lineFlags = uint8_t(weight == 2 ? LF_RIGHT | LF_LEFT | LF_HTHICK : LF_RIGHT | LF_LEFT);
    const char* glyph = LineGlyphFor(c.lineFlags);
    c.sjis[0] = glyph[0];
    c.sjis[1] = glyph[1];
    return c;
}

int WeightOf(const CLayoutChar& c) {
    return c.lineFlags & LF_HTHICK ? 2 : 1;
}

enum class Kind { Vertical, Horizontal, Text };

// A piece of a line: one vertical piece, a run of horizontal pieces, or a run
// of text (characters with single spaces between them).
struct CItem {
    Kind kind = Kind::Text;
    size_t first = 0, last = 0; // characters [first, last]
    int start = 0;              // old columns [start, rawEnd)
    int rawEnd = 0;
    int end = 0;            // rawEnd, plus a following space the item takes as its filler
    int anchor = -1;        // Text, Horizontal: nearest vertical column at or left; -1 none
    bool tight = false;     // touches the previous item
    bool stretches = false; // Horizontal: runs into a vertical (or a tip before one)
    bool rightTip = false;  // Text: one character between a horizontal line and a vertical
    bool columnTip = false; // Text: one character at the end of a vertical line
    bool IsHard() const { return kind == Kind::Vertical || columnTip; }
};

struct CDiagramLine {
    CLayoutLine* line = nullptr;
    std::vector<int> columns; // old starting column of each character
    std::vector<CItem> items;
    std::vector<int> verticals; // old columns of the vertical pieces, ascending
};

// One diagram: its lines from first to last.
class CDiagram {
public:
    CDiagram(std::vector<CLayoutLine>& lines, size_t first, size_t last);
    CRelayResult Relay();

private:
    void BuildItems(size_t y);
    void MarkTips(size_t y);
    int AnchorOf(size_t y, int start) const;
    bool HasArmAt(size_t y, int column, int arm) const;

    // Laying one line out, left to right.
    struct CCursor {
        size_t next = 0;
        int pos = 0;       // columns emitted
        int minStart = 0;  // where the next item may start (a vertical's filler is pos)
        int prevEnd = 0;   // old end of the last item placed
        int prevRight = 0; // weight of a line pointing into the gap; 0 none
        int openRun = -1;  // a stretching horizontal run waiting for its end
        std::vector<CLayoutChar> out;
    };
    int Desired(const CCursor& k, const CItem& item) const;
    void Emit(CCursor& k, const CLayoutChar& c);
    void FillGap(CCursor& k, int to, bool linePieces);
    void CloseRun(size_t y, CCursor& k, int to);
    void PlaceHorizontal(size_t y, CCursor& k, const CItem& item);
    void PlaceText(size_t y, CCursor& k, const CItem& item, int start);
    void AdvanceTo(size_t y, size_t index);
    int Bound(size_t y, size_t index);
    void PlaceHard(size_t y, size_t index, int column);

    std::vector<CDiagramLine> m_lines;
    std::vector<CCursor> m_cursors;
    std::map<int, int> m_new; // old column of a vertical -> its new column
};

CDiagram::CDiagram(std::vector<CLayoutLine>& lines, size_t first, size_t last) {
    for (size_t y = first; y <= last; ++y) {
        CDiagramLine d;
        d.line = &lines[y];
        d.columns = CharColumns(lines[y]);
        m_lines.push_back(std::move(d));
    }
    for (size_t y = 0; y < m_lines.size(); ++y) BuildItems(y);
    for (size_t y = 0; y < m_lines.size(); ++y) MarkTips(y);
    for (size_t y = 0; y < m_lines.size(); ++y)
        for (CItem& item : m_lines[y].items)
            if (item.kind != Kind::Vertical) item.anchor = AnchorOf(y, item.start);
    m_cursors.resize(m_lines.size());
}

void CDiagram::BuildItems(size_t y) {
    CDiagramLine& d = m_lines[y];
    const std::vector<CLayoutChar>& chars = d.line->chars;
    const size_t n = chars.size();
    const auto isText = [&](size_t i) {
        return i < n && !chars[i].IsLine() && !chars[i].IsSpace();
    };
    int prevRawEnd = -1;
    for (size_t i = 0; i < n;) {
        if (chars[i].IsSpace()) {
            ++i;
            continue;
        }
        CItem item;
        item.first = i;
        size_t j = i;
        if (HasVerticalArm(chars[i])) {
            item.kind = Kind::Vertical;
        } else if (chars[i].IsLine()) {
            item.kind = Kind::Horizontal;
            while (j + 1 < n && chars[j + 1].IsLine() && !HasVerticalArm(chars[j + 1])) ++j;
        } else {
            while (isText(j + 1) || (j + 2 < n && chars[j + 1].IsSpace() && isText(j + 2)))
                j += isText(j + 1) ? 1 : 2;
        }
        item.last = j;
        item.start = d.columns[i];
        item.rawEnd = d.columns[j] + chars[j].cols;
        item.end = item.rawEnd;
        if (item.kind != Kind::Horizontal && chars[j].NeedsFiller() && j + 1 < n &&
            chars[j + 1].IsSpace())
            ++item.end;
        item.tight = item.start == prevRawEnd;
        prevRawEnd = item.rawEnd;
        if (item.kind == Kind::Vertical) d.verticals.push_back(item.start);
        d.items.push_back(item);
        i = j + 1;
    }
}

bool CDiagram::HasArmAt(size_t y, int column, int arm) const {
    if (y >= m_lines.size()) return false;
    const CDiagramLine& d = m_lines[y];
    const auto it = std::lower_bound(d.columns.begin(), d.columns.end(), column);
    return it != d.columns.end() && *it == column &&
           (d.line->chars[size_t(it - d.columns.begin())].lineFlags & arm);
}

// One-character text between a horizontal line and a vertical one (an arrow
// into a box), or under or over the end of a vertical line (an arrowhead).
void CDiagram::MarkTips(size_t y) {
    std::vector<CItem>& items = m_lines[y].items;
    for (size_t k = 0; k < items.size(); ++k) {
        CItem& item = items[k];
        if (item.kind != Kind::Text || item.first != item.last) continue;
        const bool nextTight = k + 1 < items.size() && items[k + 1].tight;
        if (k > 0 && items[k - 1].kind == Kind::Horizontal && item.tight && nextTight &&
            items[k + 1].kind == Kind::Vertical) {
            item.rightTip = true;
            items[k - 1].stretches = true;
        } else if (!item.tight && !nextTight &&
                   ((y > 0 && HasArmAt(y - 1, item.start, LF_DOWN)) ||
                    HasArmAt(y + 1, item.start, LF_UP))) {
            item.columnTip = true;
        }
    }
    for (size_t k = 0; k + 1 < items.size(); ++k)
        if (items[k].kind == Kind::Horizontal && items[k + 1].kind == Kind::Vertical &&
            items[k + 1].tight)
            items[k].stretches = true;
}

int CDiagram::AnchorOf(size_t y, int start) const {
    int anchor = -1;
    for (size_t other = y == 0 ? 0 : y - 1; other <= y + 1 && other < m_lines.size(); ++other) {
        const std::vector<int>& v = m_lines[other].verticals;
        const auto it = std::upper_bound(v.begin(), v.end(), start);
        if (it != v.begin()) anchor = std::max(anchor, *(it - 1));
    }
    return anchor;
}

// Where an item would go: as far from its anchor as before, or as far from the
// item before it; and after a gap that it had, never without one.
int CDiagram::Desired(const CCursor& k, const CItem& item) const {
    const int gap = std::max(0, item.start - k.prevEnd);
    const int after = k.minStart + std::min(gap, 1);
    if (item.anchor >= 0)
        return std::max(after, m_new.at(item.anchor) + (item.start - item.anchor));
    return k.minStart + gap;
}

void CDiagram::Emit(CCursor& k, const CLayoutChar& c) {
    k.out.push_back(c);
    k.pos += c.cols;
}

// Columns pos..to-1: line pieces when a line runs into what comes next (but a
// space before a column a one-column character starts on), else spaces.
void CDiagram::FillGap(CCursor& k, int to, bool linePieces) {
    while (k.pos < to) {
        if (linePieces && k.prevRight && !(k.pos + 1 == to && to % 2 == 1))
            Emit(k, Piece(k.prevRight));
        else
            Emit(k, CLayoutChar());
    }
}

// The open horizontal run ends at the last odd column before `to`: its own
// pieces, cut or lengthened with pieces of its last one's weight.
void CDiagram::CloseRun(size_t y, CCursor& k, int to) {
    if (k.openRun < 0) return;
    const CItem& run = m_lines[y].items[size_t(k.openRun)];
    const std::vector<CLayoutChar>& chars = m_lines[y].line->chars;
    const int end = (to % 2 == 0 ? to - 1 : to - 2) + 1; // exclusive
    for (size_t i = run.first; i <= run.last && k.pos + chars[i].cols <= end; ++i)
        Emit(k, chars[i]);
    while (k.pos < end) Emit(k, Piece(WeightOf(chars[run.last])));
    k.prevRight = WeightOf(chars[run.last]);
    k.openRun = -1;
    FillGap(k, to, false);
    k.minStart = std::max(k.minStart, k.pos);
}

void CDiagram::PlaceHorizontal(size_t y, CCursor& k, const CItem& item) {
    const std::vector<CLayoutChar>& chars = m_lines[y].line->chars;
    int start;
    if (item.tight && k.prevRight && k.pos < k.minStart && chars[item.first].cols == 1)
        start = k.pos; // the vertical's filler column
    else
        start = EvenCeil(std::max(k.minStart, Desired(k, item)));
    FillGap(k, start, item.tight);
    k.prevEnd = item.end;
    if (item.stretches) {
        k.openRun = int(&item - m_lines[y].items.data());
        k.minStart = (start | 1) + 1;
        return;
    }
    // A free end must close a cell: it gains a piece when it would not.
    for (size_t i = item.first; i <= item.last; ++i) Emit(k, chars[i]);
    if (k.pos % 2 == 1) Emit(k, Piece(WeightOf(chars[item.last])));
    k.prevRight = WeightOf(chars[item.last]);
    k.minStart = k.pos;
}

// Lays a text run out from `start`, each word moved on by a column when that
// brings its first whole-cell character onto an even one; a whole-cell
// character that still lands on an odd column gets a space before it.
void CDiagram::PlaceText(size_t y, CCursor& k, const CItem& item, int start) {
    const std::vector<CLayoutChar>& chars = m_lines[y].line->chars;
    FillGap(k, start, item.tight);
    k.prevRight = 0;
    bool wordStart = true;
    for (size_t i = item.first; i <= item.last; ++i) {
        const CLayoutChar& c = chars[i];
        if (wordStart && !item.columnTip && !item.rightTip) {
            size_t w = i;
            while (w <= item.last && !chars[w].IsSpace() && !chars[w].IsWholeCell()) ++w;
            if (w <= item.last && chars[w].IsWholeCell() && (k.pos + int(w - i)) % 2 == 1)
                Emit(k, CLayoutChar());
        }
        wordStart = c.IsSpace();
        if (c.IsWholeCell() && k.pos % 2 == 1) Emit(k, CLayoutChar());
        Emit(k, c);
        if (!c.NeedsFiller()) continue;
        if (i < item.last && chars[i + 1].IsSpace()) {
            Emit(k, chars[++i]); // its own space is the filler
            wordStart = true;
        } else {
            Emit(k, CLayoutChar());
        }
    }
    k.prevEnd = item.end;
    k.minStart = k.pos;
}

// Places the items of line y before `index` that are not tied to a column.
void CDiagram::AdvanceTo(size_t y, size_t index) {
    CCursor& k = m_cursors[y];
    const std::vector<CItem>& items = m_lines[y].items;
    for (; k.next < index; ++k.next) {
        const CItem& item = items[k.next];
        if (item.IsHard() || item.rightTip) break;
        if (item.kind == Kind::Horizontal)
            PlaceHorizontal(y, k, item);
        else
            PlaceText(y, k, item, std::max(k.minStart, Desired(k, item)));
    }
}

// The smallest column the hard item `index` of line y can take.
int CDiagram::Bound(size_t y, size_t index) {
    const CCursor& k = m_cursors[y];
    const bool tip = index > 0 && m_lines[y].items[index - 1].rightTip;
    return tip ? k.minStart + 2 : k.minStart;
}

void CDiagram::PlaceHard(size_t y, size_t index, int column) {
    CCursor& k = m_cursors[y];
    const std::vector<CItem>& items = m_lines[y].items;
    const CItem& item = items[index];
    if (index > 0 && items[index - 1].rightTip) {
        const CItem& tip = items[index - 1];
        const int at = column - 2; // the cell before the vertical: the line runs up to it
        CloseRun(y, k, at);
        PlaceText(y, k, tip, at);
    }
    CloseRun(y, k, column);
    if (item.kind == Kind::Text) { // a column tip
        PlaceText(y, k, item, column);
    } else {
        FillGap(k, column, item.tight);
        const CLayoutChar& c = m_lines[y].line->chars[item.first];
        Emit(k, c);
        k.minStart = column + 2;
        k.prevRight = c.lineFlags & LF_RIGHT ? WeightOf(c) : 0;
        k.prevEnd = item.end;
    }
    k.next = index + 1;
}

CRelayResult CDiagram::Relay() {
    std::map<int, std::vector<std::pair<size_t, size_t>>> hard; // column -> (line, item)
    for (size_t y = 0; y < m_lines.size(); ++y)
        for (size_t i = 0; i < m_lines[y].items.size(); ++i)
            if (m_lines[y].items[i].IsHard()) hard[m_lines[y].items[i].start].push_back({y, i});
    int prevOld = 0, prevNew = 0;
    for (const auto& [column, places] : hard) {
        int bound = prevNew + (column - prevOld);
        for (const auto& [y, i] : places) {
            AdvanceTo(y, i);
            bound = std::max(bound, Bound(y, i));
        }
        const int placed = EvenCeil(bound);
        m_new[column] = placed;
        for (const auto& [y, i] : places) PlaceHard(y, i, placed);
        prevOld = column;
        prevNew = placed;
    }
    CRelayResult result;
    int oldWidth = 0, newWidth = 0;
    for (size_t y = 0; y < m_lines.size(); ++y) {
        AdvanceTo(y, m_lines[y].items.size());
        std::vector<CLayoutChar>& out = m_cursors[y].out;
        CLayoutLine& line = *m_lines[y].line;
        TrimSpaces(out);
        TrimSpaces(line.chars);
        result.changed = result.changed || !SameChars(out, line.chars);
        oldWidth = std::max(oldWidth, line.Columns());
        line.chars = std::move(out);
        newWidth = std::max(newWidth, line.Columns());
    }
    result.addedColumns = std::max(0, (newWidth + 1) / 2 - (oldWidth + 1) / 2);
    return result;
}

// A one-character text item below a down arm of line `above` or over an up arm
// of line `below`.
bool HasColumnTip(const CLayoutLine& line, const CLayoutLine& neighbour, int arm) {
    const std::vector<int> at = CharAtColumn(neighbour);
    const std::vector<int> columns = CharColumns(line);
    const std::vector<CLayoutChar>& chars = line.chars;
    for (size_t i = 0; i < chars.size(); ++i) {
        if (chars[i].IsSpace() || chars[i].IsLine()) continue;
        const bool alone =
            (i == 0 || chars[i - 1].IsSpace()) && (i + 1 == chars.size() || chars[i + 1].IsSpace());
        const size_t column = size_t(columns[i]);
        if (alone && column < at.size() && at[column] >= 0 &&
            (neighbour.chars[size_t(at[column])].lineFlags & arm))
            return true;
    }
    return false;
}

} // namespace

CRelayResult RelayDiagrams(std::vector<CLayoutLine>& lines) {
    CRelayResult result;
    size_t y = 0;
    while (y < lines.size()) {
        if (!HasLine(lines[y])) {
            ++y;
            continue;
        }
        size_t first = y, last = y;
        for (size_t next = y + 1; next < lines.size() && !IsBlank(lines[next]); ++next)
            if (HasLine(lines[next])) last = next;
        if (first > 0 && HasColumnTip(lines[first - 1], lines[first], LF_UP)) --first;
        if (last + 1 < lines.size() && HasColumnTip(lines[last + 1], lines[last], LF_DOWN)) ++last;
        const CRelayResult diagram = CDiagram(lines, first, last).Relay();
        result.changed = result.changed || diagram.changed;
        result.addedColumns = std::max(result.addedColumns, diagram.addedColumns);
        y = last + 1;
    }
    return result;
}

bool IsOnCellGrid(const CLayoutLine& line) {
    int column = 0;
    const std::vector<CLayoutChar>& chars = line.chars;
    for (size_t i = 0; i < chars.size(); ++i) {
        const CLayoutChar& c = chars[i];
        if (c.IsWholeCell() && column % 2 == 1) return false;
        column += c.cols;
        if (!c.NeedsFiller() || i + 1 == chars.size()) continue;
        const CLayoutChar& filler = chars[++i];
        const bool right = c.lineFlags & LF_RIGHT;
        if (filler.cols != 1 ||
            (right ? !filler.IsLine() || filler.lineFlags & (LF_UP | LF_DOWN) : !filler.IsSpace()))
            return false;
        ++column;
    }
    return true;
}
