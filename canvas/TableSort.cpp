// Sorting the rows of a recognised table.
#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/TableCommands.h"
#include "canvas/TableRecognition.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The value of a field that reads as a number (CTableLayout::IsNumber):
// full-width digits and signs as half-width ones, group commas and the
// percent sign left out.
double NumberValue(const std::string& field) {
    std::string ascii;
    for (size_t i = 0; i < field.size(); ++i) {
        const unsigned char a = static_cast<unsigned char>(field[i]);
        if (a < 0x80) {
            if (a != ',' && a != '%') ascii += char(a);
            continue;
        }
        const unsigned char b = i + 1 < field.size() ? static_cast<unsigned char>(field[++i]) : 0;
        if (a == 0x82 && b >= 0x4F && b <= 0x58) ascii += char('0' + (b - 0x4F));
        if (a == 0x81 && b == 0x7B) ascii += '+';
        if (a == 0x81 && b == 0x7C) ascii += '-';
        if (a == 0x81 && b == 0x44) ascii += '.';
    }
    return std::strtod(ascii.c_str(), nullptr);
}

// The order of the body rows: empty keys last, the rest by value or text.
std::vector<int> SortedRows(const std::vector<std::string>& keys, bool descending) {
    bool numbers = true;
    for (const std::string& key : keys)
        if (!key.empty() && !CTableLayout::IsNumber(key)) numbers = false;
    std::vector<int> order(keys.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = int(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const std::string &ka = keys[a], &kb = keys[b];
        if (ka.empty() || kb.empty()) return !ka.empty() && kb.empty();
        if (descending) std::swap(a, b);
        const std::string &x = keys[a], &y = keys[b];
        if (numbers) return NumberValue(x) < NumberValue(y);
        return x < y; // Shift-JIS order: kana and the first kanji level by reading
    });
    return order;
}

// Gives the cells of line y where vertical rules may cross it the vertical
// arms that the cells above and below now have towards them (inside the frame).
void JoinVertically(CRuvlenDoc& doc, const CDrawnTable& table, int y) {
    const CCellRect& frame = table.m_rcFrame;
    for (const CTableRule& rule : table.m_vRules) {
        const int x = rule.m_nAt;
        CCell& cell = doc.Cell(x, y);
        if (!cell.m_bLine || !(cell.m_nLineFlags & (LF_LEFT | LF_RIGHT))) continue;
        int flags = cell.m_nLineFlags;
        const CCell* above = y > frame.top ? &doc.Cell(x, y - 1) : nullptr;
        const CCell* below = y < frame.bottom ? &doc.Cell(x, y + 1) : nullptr;
        const auto set = [&flags](const CCell* near, int arm, int facing) {
            if (!near) return;
            const bool on = near->m_bLine && (near->m_nLineFlags & facing);
            flags = on ? (flags | arm) : (flags & ~arm);
            if (on) flags = (flags & ~LF_VTHICK) | (near->m_nLineFlags & LF_VTHICK);
        };
        set(below, LF_DOWN, LF_UP);
        set(above, LF_UP, LF_DOWN);
        if (flags != cell.m_nLineFlags && CCell::IsValidLineFlags(flags)) cell.SetLineFlags(flags);
    }
}

} // namespace

CTableCommandResult SortTable(CRuvlenDoc& doc, CDocView* view, const CDrawnTable& table, int column,
                              bool descending, bool header) {
    const int first = header ? 1 : 0, count = table.Rows() - first;
    for (const CTableField& f : table.m_fields)
        if (f.m_nRowSpan > 1 && f.m_nRow + f.m_nRowSpan > first)
            return {CTableCommandResult::MERGED_ROWS};
    std::vector<std::string> keys;
    for (int r = first; r < table.Rows(); ++r) {
        const int f = table.FieldAt(r, column);
        keys.push_back(f >= 0 ? table.m_fields[f].m_strText : std::string());
    }
    const CCellRect& frame = table.m_rcFrame;
    doc.SaveUndo(frame.left, frame.top, frame.right, frame.bottom);
    if (count > 1) {
        // The body's lines as they are, then each row's lines in the new order
        // with the lines between rows kept in their sequence.
        const CTableDataRow& top = table.m_rows[first];
        const CTableDataRow& last = table.m_rows.back();
        const int bottom = last.m_nTop + last.m_nHeight - 1;
        std::vector<CCell> old;
        for (int y = top.m_nTop; y <= bottom; ++y)
            for (int x = frame.left; x <= frame.right; ++x) old.push_back(doc.Cell(x, y));
        const auto copyLines = [&](int from, int height, int to) {
            for (int k = 0; k < height; ++k)
                for (int x = frame.left; x <= frame.right; ++x)
                    doc.Cell(x, to + k).CopyFrom(
                        old[size_t(from - top.m_nTop + k) * frame.Width() + (x - frame.left)]);
        };
        const std::vector<int> order = SortedRows(keys, descending);
        std::vector<int> between = {top.m_nTop - 1, bottom + 1}; // lines to join again
        int y = top.m_nTop;
        for (int i = 0; i < count; ++i) {
            const CTableDataRow& row = table.m_rows[first + order[i]];
            copyLines(row.m_nTop, row.m_nHeight, y);
            y += row.m_nHeight;
            if (i + 1 == count) break;
            const CTableDataRow& here = table.m_rows[first + i];
            const int gap = table.m_rows[first + i + 1].m_nTop - (here.m_nTop + here.m_nHeight);
            copyLines(here.m_nTop + here.m_nHeight, gap, y);
            for (int k = 0; k < gap; ++k) between.push_back(y + k);
            y += gap;
        }
        for (int line : between) JoinVertically(doc, table, line);
    }
    doc.InvalidateCells(view, frame);
    doc.SetModifiedFlag();
    return {};
}
