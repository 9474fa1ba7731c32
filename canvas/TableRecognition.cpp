#include "canvas/TableRecognition.h"

#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/TableAreaText.h"
#include "canvas/TableLineMap.h"

#include <algorithm>
#include <cstdint>

namespace {

// Bounds on the work for drawings with very many possible frames (a canvas
// full of crossings): past them the cell is said to hold no table.
constexpr size_t kMaxCandidates = 1u << 20;
constexpr long kCellVisits = 8L << 20;

// A frame around the cell, packed so that a larger key is tried first: the
// larger area, then the higher, the further left, the lower and the further
// right corners.
int64_t FrameKey(const CCellRect& rc) {
    int64_t key = int64_t(rc.Width()) * rc.Height();
    for (int v : {rc.top, rc.left, rc.bottom, rc.right}) key = key * 128 + (127 - v);
    return key;
}

CCellRect FrameOfKey(int64_t key) {
    CCellRect rc;
    rc.right = 127 - int(key % 128);
    key /= 128;
    rc.bottom = 127 - int(key % 128);
    key /= 128;
    rc.left = 127 - int(key % 128);
    key /= 128;
    rc.top = 127 - int(key % 128);
    return rc;
}

// Every rectangle around the cell whose border is one unbroken ruled line,
// best first; false when there are too many to try.
bool FramesAround(const CTableLineMap& map, CCellPoint cell, std::vector<int64_t>& keys) {
    keys.clear();
    for (int top = 0; top <= cell.y; ++top) {
        for (int left = 0; left <= cell.x; ++left) {
            const int maxRight = left + map.RunRight(left, top);
            const int maxBottom = top + map.RunDown(left, top);
            for (int right = std::max(cell.x, left + 2); right <= maxRight; ++right) {
                const int bottomEnd = std::min(maxBottom, top + map.RunDown(right, top));
                for (int bottom = std::max(cell.y, top + 2); bottom <= bottomEnd; ++bottom) {
                    if (map.RunRight(left, bottom) < right - left) continue;
                    if (keys.size() == kMaxCandidates) return false;
                    keys.push_back(FrameKey({left, top, right, bottom}));
                }
            }
        }
    }
    std::sort(keys.rbegin(), keys.rend());
    return true;
}

// Reads one frame as a table, or finds that its inside is not divided into
// rectangles.
class CFrameReader {
public:
    CFrameReader(const CRuvlenDoc& doc, const CTableLineMap& map, const CCellRect& frame,
                 long& budget)
        : m_doc(doc), m_map(map), m_rc(frame), m_nComponent(map.Component(frame.left, frame.top)),
          m_budget(budget) {}

    bool Read(CCellPoint seed, CDrawnTable& table);

private:
    bool IsRule(int x, int y) const {
        return x == m_rc.left || x == m_rc.right || y == m_rc.top || y == m_rc.bottom ||
               m_map.Component(x, y) == m_nComponent;
    }
    bool FindAreas(CCellPoint seed, std::vector<CCellRect>& boxes);
    bool Flood(int x, int y, std::vector<char>& seen, CCellRect& box);
    bool Bounded(const CCellRect& box) const;
    bool Tile(const std::vector<CCellRect>& boxes, CDrawnTable& table) const;
    void Weigh(CDrawnTable& table) const;
    int Cells(int x, int y) const { return (x - m_rc.left) + m_rc.Width() * (y - m_rc.top); }

    const CRuvlenDoc& m_doc;
    const CTableLineMap& m_map;
    CCellRect m_rc;
    int m_nComponent;
    long& m_budget;
};

// The cells of one area: 4-connected cells that are not the table's rules.
// False when the area is not a whole rectangle, holds a closed figure of
// other lines (a box inside a box), or the work runs out.
bool CFrameReader::Flood(int x0, int y0, std::vector<char>& seen, CCellRect& box) {
    std::vector<CCellPoint> stack = {{x0, y0}};
    seen[Cells(x0, y0)] = 1;
    box = {x0, y0, x0, y0};
    long count = 0;
    while (!stack.empty()) {
        const CCellPoint p = stack.back();
        stack.pop_back();
        if (--m_budget < 0) return false;
        ++count;
        const int c = m_map.Component(p.x, p.y);
        if (c >= 0 && m_map.Cyclic(c)) return false;
        box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x),
               std::max(box.bottom, p.y)};
        static const int dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
        for (int k = 0; k < 4; ++k) {
            const int x = p.x + dx[k], y = p.y + dy[k];
            if (IsRule(x, y) || seen[Cells(x, y)]) continue;
            seen[Cells(x, y)] = 1;
            stack.push_back({x, y});
        }
    }
    return count == long(box.Width()) * box.Height() && Bounded(box);
}

// The area is closed by straight joined rules on its four sides.
bool CFrameReader::Bounded(const CCellRect& b) const {
    for (int y = b.top - 1; y <= b.bottom; ++y)
        if (!m_map.JoinedDown(b.left - 1, y) || !m_map.JoinedDown(b.right + 1, y)) return false;
    for (int x = b.left - 1; x <= b.right; ++x)
        if (!m_map.JoinedRight(x, b.top - 1) || !m_map.JoinedRight(x, b.bottom + 1)) return false;
    return true;
}

// Every area of the frame, the one holding the seed first so that a fault
// next to the cell is found before the rest is read.
bool CFrameReader::FindAreas(CCellPoint seed, std::vector<CCellRect>& boxes) {
    std::vector<char> seen(static_cast<size_t>(m_rc.Width()) * m_rc.Height(), 0);
    std::vector<CCellPoint> starts;
    if (!IsRule(seed.x, seed.y)) starts.push_back(seed);
    for (int y = m_rc.top + 1; y < m_rc.bottom; ++y)
        for (int x = m_rc.left + 1; x < m_rc.right; ++x) starts.push_back({x, y});
    for (const CCellPoint& p : starts) {
        if (IsRule(p.x, p.y) || seen[Cells(p.x, p.y)]) continue;
        CCellRect box;
        if (!Flood(p.x, p.y, seen, box)) return false;
        boxes.push_back(box);
    }
    return !boxes.empty();
}

int IndexOf(const std::vector<CTableRule>& rules, int at) {
    for (size_t i = 0; i < rules.size(); ++i)
        if (rules[i].m_nAt == at) return int(i);
    return -1;
}

// The grid from the areas' borders; every place of it is covered by exactly
// one area.
bool CFrameReader::Tile(const std::vector<CCellRect>& boxes, CDrawnTable& table) const {
    std::vector<int> xs = {m_rc.left, m_rc.right}, ys = {m_rc.top, m_rc.bottom};
    for (const CCellRect& b : boxes) {
        xs.insert(xs.end(), {b.left - 1, b.right + 1});
        ys.insert(ys.end(), {b.top - 1, b.bottom + 1});
    }
    for (std::vector<int>* v : {&xs, &ys}) {
        std::sort(v->begin(), v->end());
        v->erase(std::unique(v->begin(), v->end()), v->end());
    }
    for (int x : xs) table.m_vRules.push_back({x, 0});
    for (int y : ys) table.m_hRules.push_back({y, 0});
    const int columns = table.Columns();
    std::vector<int> owner(static_cast<size_t>(columns) * table.Bands(), 0);
    for (const CCellRect& b : boxes) {
        CTableArea area;
        area.m_rcCells = b;
        area.m_nColumn = IndexOf(table.m_vRules, b.left - 1);
        area.m_nColumnSpan = IndexOf(table.m_vRules, b.right + 1) - area.m_nColumn;
        area.m_nBand = IndexOf(table.m_hRules, b.top - 1);
        area.m_nBandSpan = IndexOf(table.m_hRules, b.bottom + 1) - area.m_nBand;
        for (int r = area.m_nBand; r < area.m_nBand + area.m_nBandSpan; ++r)
            for (int c = area.m_nColumn; c < area.m_nColumn + area.m_nColumnSpan; ++c)
                ++owner[c + columns * r];
        table.m_areas.push_back(area);
    }
    return std::all_of(owner.begin(), owner.end(), [](int n) { return n == 1; });
}

// Most of a run of cells is thick in the given bit.
struct CWeightCount {
    int thick = 0, all = 0;
    void Add(const CCell& cell, int arms, int bit) {
        if (!cell.m_bLine || !(cell.m_nLineFlags & arms)) return;
        ++all;
        if (cell.m_nLineFlags & bit) ++thick;
    }
    void Add(const CWeightCount& o) {
        thick += o.thick;
        all += o.all;
    }
    int Thick() const { return 2 * thick > all ? 1 : 0; }
};

CWeightCount RuleWeight(const CRuvlenDoc& doc, const CCellRect& frame, int at, bool vertical) {
    CWeightCount count;
    if (vertical)
        for (int y = frame.top; y <= frame.bottom; ++y)
            count.Add(doc.Cell(at, y), LF_UP | LF_DOWN, LF_VTHICK);
    else
        for (int x = frame.left; x <= frame.right; ++x)
            count.Add(doc.Cell(x, at), LF_LEFT | LF_RIGHT, LF_HTHICK);
    return count;
}

// The rules' weights, the header rule and the frame's and inner weights.
void CFrameReader::Weigh(CDrawnTable& t) const {
    std::vector<CWeightCount> v, h;
    for (CTableRule& rule : t.m_vRules) {
        v.push_back(RuleWeight(m_doc, m_rc, rule.m_nAt, true));
        rule.m_bThick = v.back().Thick();
    }
    for (CTableRule& rule : t.m_hRules) {
        h.push_back(RuleWeight(m_doc, m_rc, rule.m_nAt, false));
        rule.m_bThick = h.back().Thick();
    }
    const size_t inner = t.m_hRules.size() - 2;
    t.m_bHeader = inner == 1;
    if (inner >= 2) {
        t.m_bHeader = true;
        for (size_t k = 2; k + 1 < t.m_hRules.size(); ++k)
            if (t.m_hRules[k].m_bThick == t.m_hRules[1].m_bThick) t.m_bHeader = false;
    }
    CWeightCount frame, rules;
    for (const CWeightCount* c : {&v.front(), &v.back(), &h.front(), &h.back()}) frame.Add(*c);
    for (size_t k = 1; k + 1 < v.size(); ++k) rules.Add(v[k]);
    for (size_t k = t.m_bHeader ? 2 : 1; k + 1 < h.size(); ++k) rules.Add(h[k]);
    t.m_bThickFrame = frame.Thick();
    t.m_bThickInner = rules.Thick();
}

// Each area's text, and the rows and fields of the data.
void ReadData(const CRuvlenDoc& doc, CDrawnTable& t);
void AddFields(CDrawnTable& t, const std::vector<int>& firstRow);

bool CFrameReader::Read(CCellPoint seed, CDrawnTable& table) {
    std::vector<CCellRect> boxes;
    table = CDrawnTable();
    table.m_rcFrame = m_rc;
    if (!FindAreas(seed, boxes) || !Tile(boxes, table)) return false;
    std::sort(table.m_areas.begin(), table.m_areas.end(),
              [](const CTableArea& a, const CTableArea& b) {
                  return a.m_nBand != b.m_nBand ? a.m_nBand < b.m_nBand : a.m_nColumn < b.m_nColumn;
              });
    Weigh(table);
    ReadData(m_doc, table);
    return true;
}

bool SplitBand(const CDrawnTable& t, int band) {
    return t.SplitsBand(band);
}

void ReadData(const CRuvlenDoc& doc, CDrawnTable& t) {
    for (CTableArea& area : t.m_areas) {
        const CCellRect& b = area.m_rcCells;
        for (int y = b.top; y <= b.bottom; ++y)
            area.m_lines.push_back(ReadTableTextLine(doc, b.left, b.right, y));
        area.m_bRight = IsRightAligned(area.m_lines, 2 * b.left, 2 * (b.right + 1), area.Text());
    }
    // Rows: whole bands, or their text lines.
    std::vector<int> firstRow; // of each band
    for (int band = 0; band < t.Bands(); ++band) {
        firstRow.push_back(t.Rows());
        const int top = t.m_hRules[band].m_nAt + 1, end = t.m_hRules[band + 1].m_nAt;
        if (SplitBand(t, band)) {
            for (int y = top; y < end; ++y) t.m_rows.push_back({y, 1, band});
            if (end - top > 1) t.m_bCompact = true;
        } else {
            t.m_rows.push_back({top, end - top, band});
        }
    }
    firstRow.push_back(t.Rows());
    AddFields(t, firstRow);
}

// One field for each area, or for each text line of an area in a split band.
void AddFields(CDrawnTable& t, const std::vector<int>& firstRow) {
    for (size_t i = 0; i < t.m_areas.size(); ++i) {
        const CTableArea& a = t.m_areas[i];
        CTableField field;
        field.m_nArea = int(i);
        field.m_nColumn = a.m_nColumn;
        field.m_nColumnSpan = a.m_nColumnSpan;
        if (a.m_nBandSpan == 1 && SplitBand(t, a.m_nBand)) {
            // One field for each text line.
            for (size_t k = 0; k < a.m_lines.size(); ++k) {
                const CTableTextLine& line = a.m_lines[k];
                field.m_nRow = firstRow[a.m_nBand] + int(k);
                field.m_strText = line.m_strText;
                field.m_bRight = IsRightAligned({line}, 2 * a.m_rcCells.left,
                                                2 * (a.m_rcCells.right + 1), line.m_strText);
                t.m_fields.push_back(field);
            }
            continue;
        }
        field.m_nRow = firstRow[a.m_nBand];
        field.m_nRowSpan = firstRow[a.m_nBand + a.m_nBandSpan] - field.m_nRow;
        field.m_strText = a.Text();
        field.m_bRight = a.m_bRight;
        t.m_fields.push_back(field);
    }
    std::stable_sort(
        t.m_fields.begin(), t.m_fields.end(), [](const CTableField& a, const CTableField& b) {
            return a.m_nRow != b.m_nRow ? a.m_nRow < b.m_nRow : a.m_nColumn < b.m_nColumn;
        });
}

} // namespace

std::string CTableArea::Text() const {
    return JoinTableTextLines(m_lines);
}

// The whole table without rules inside, or the part below the only rule inside.
bool CDrawnTable::SplitsBand(int band) const {
    const int inner = Bands() - 1;
    return (inner == 0) || (inner == 1 && band == 1);
}

int CDrawnTable::ColumnAt(int x) const {
    if (m_vRules.size() < 2 || x < m_vRules.front().m_nAt) return -1;
    for (int c = 0; c < Columns(); ++c)
        if (x < m_vRules[c + 1].m_nAt) return c;
    return x == m_vRules.back().m_nAt ? Columns() - 1 : -1;
}

int CDrawnTable::FieldAt(int row, int column) const {
    for (size_t i = 0; i < m_fields.size(); ++i) {
        const CTableField& f = m_fields[i];
        if (row >= f.m_nRow && row < f.m_nRow + f.m_nRowSpan && column >= f.m_nColumn &&
            column < f.m_nColumn + f.m_nColumnSpan)
            return int(i);
    }
    return -1;
}

std::vector<std::vector<std::string>> CDrawnTable::Data() const {
    std::vector<std::vector<std::string>> rows(Rows(), std::vector<std::string>(Columns()));
    for (const CTableField& f : m_fields) rows[f.m_nRow][f.m_nColumn] = f.m_strText;
    return rows;
}

bool RecognizeTable(const CRuvlenDoc& doc, CCellPoint cell, CDrawnTable& table) {
    table = CDrawnTable();
    if (cell.x < 0 || cell.y < 0 || cell.x >= doc.m_nColumns || cell.y >= doc.m_nLines)
        return false;
    const CTableLineMap map(doc);
    std::vector<int64_t> keys;
    if (!FramesAround(map, cell, keys)) return false;
    long budget = kCellVisits;
    for (int64_t key : keys) {
        CFrameReader reader(doc, map, FrameOfKey(key), budget);
        if (reader.Read(cell, table)) return true;
        if (budget < 0) break;
    }
    table = CDrawnTable();
    return false;
}
