#pragma once

// Helpers for document operation tests: a view that records repaints, a readable
// notation for cells, and checks of the undo snapshot, repaint and modified flag.
//
// Cell notation (Render, PutRows): one token per cell.
//   .        two ASCII spaces          _        full-width space 0x8140
//   a        'a' and a space           (ab)     any other pair of ASCII bytes
//   ┌ ━ ★ □ ／ ＼ × ...  the Shift-JIS character    <XXXX>   anything else, in hex
//   ~        (buffer renders only) a cell that is not used

#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(const CCellRect& rc, std::ostream* os) {
    *os << "{" << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom << "}";
}

namespace doc_test {

// A fresh canvas of the given size (default 10 x 10).
inline std::unique_ptr<CRuvlenDoc> SizedDoc(int columns = 10, int lines = 10) {
    CCanvasDefaults defaults;
    defaults.m_nDefaultColumns = columns;
    defaults.m_nDefaultLines = lines;
    return std::make_unique<CRuvlenDoc>(defaults);
}

class RecordingView : public CDocView {
public:
    std::vector<CCellRect> rects;
    std::vector<int> hints;
    void InvalidateCells(const CCellRect& rc) override { rects.push_back(rc); }
    void OnUpdate(int hint) override { hints.push_back(hint); }
    void Clear() {
        rects.clear();
        hints.clear();
    }
};

struct GlyphName {
    const char* sjis;
    const char* utf8;
};

inline const std::vector<GlyphName>& Glyphs() {
    static const std::vector<GlyphName> table = {
        {"\x84\x9F", "─"}, {"\x84\xA0", "│"}, {"\x84\xA1", "┌"},  {"\x84\xA2", "┐"},
        {"\x84\xA3", "┘"}, {"\x84\xA4", "└"}, {"\x84\xA5", "├"},  {"\x84\xA6", "┬"},
        {"\x84\xA7", "┤"}, {"\x84\xA8", "┴"}, {"\x84\xA9", "┼"},  {"\x84\xAA", "━"},
        {"\x84\xAB", "┃"}, {"\x84\xAC", "┏"}, {"\x84\xAD", "┓"},  {"\x84\xAE", "┛"},
        {"\x84\xAF", "┗"}, {"\x84\xB0", "┣"}, {"\x84\xB1", "┳"},  {"\x84\xB2", "┫"},
        {"\x84\xB3", "┻"}, {"\x84\xB4", "╋"}, {"\x84\xB5", "┠"},  {"\x84\xB6", "┯"},
        {"\x84\xB7", "┨"}, {"\x84\xB8", "┷"}, {"\x84\xB9", "┿"},  {"\x84\xBA", "┝"},
        {"\x84\xBB", "┰"}, {"\x84\xBC", "┥"}, {"\x84\xBD", "┸"},  {"\x84\xBE", "╂"},
        {"\x81\x9A", "★"}, {"\x81\xA0", "□"}, {"\x81\x5E", "／"}, {"\x81\x5F", "＼"},
        {"\x81\x7E", "×"}, {"\x81\x40", "_"},
    };
    return table;
}

inline std::string Text(const CCell& cell) {
    return std::string(cell.m_szText, 2);
}

inline std::string CellName(const CCell& cell) {
    const std::string t = Text(cell);
    for (const GlyphName& g : Glyphs())
        if (t == g.sjis) return g.utf8;
    auto ascii = [](char c) { return c >= 0x20 && c <= 0x7E; };
    if (t == "  ") return ".";
    if (ascii(t[0]) && t[0] != ' ' && t[1] == ' ') return t.substr(0, 1);
    if (ascii(t[0]) && ascii(t[1])) return "(" + t + ")";
    char hex[8];
    std::snprintf(hex, sizeof hex, "<%02X%02X>", t[0] & 0xFF, t[1] & 0xFF);
    return hex;
}

// The rectangle's cells in the notation above, lines separated by '\n'.
template <class CellAt> std::string RenderWith(CellAt at, const CCellRect& rc) {
    std::string out;
    for (int y = rc.top; y <= rc.bottom; ++y) {
        if (y > rc.top) out += '\n';
        for (int x = rc.left; x <= rc.right; ++x) out += at(x, y);
    }
    return out;
}

inline std::string Render(const CRuvlenDoc& doc, int left, int top, int right, int bottom) {
    return RenderWith([&doc](int x, int y) { return CellName(doc.Cell(x, y)); },
                      {left, top, right, bottom});
}

inline std::string RenderBuffer(const CRuvlenDoc& doc, int right, int bottom) {
    auto at = [&doc](int x, int y) {
        const CCell& cell = doc.BufferCell(x, y);
        return cell.m_bUsed ? CellName(cell) : std::string("~");
    };
    return RenderWith(at, {0, 0, right, bottom});
}

// Splits a line of notation into the two-byte texts of its cells.
inline std::vector<std::string> ParseCells(const std::string& row) {
    std::vector<std::string> cells;
    for (size_t i = 0; i < row.size();) {
        if (row[i] == '(') {
            cells.push_back(row.substr(i + 1, 2));
            i += 4;
            continue;
        }
        bool found = false;
        for (const GlyphName& g : Glyphs()) {
            if (row.compare(i, std::string(g.utf8).size(), g.utf8) == 0) {
                cells.push_back(g.sjis);
                i += std::string(g.utf8).size();
                found = true;
                break;
            }
        }
        if (found) continue;
        cells.push_back(row[i] == '.' ? "  " : std::string(1, row[i]) + " ");
        ++i;
    }
    return cells;
}

// Writes cells with SetText, so box-drawing characters become line cells.
inline void PutRows(CRuvlenDoc& doc, int left, int top, const std::vector<std::string>& rows) {
    for (size_t j = 0; j < rows.size(); ++j) {
        std::vector<std::string> cells = ParseCells(rows[j]);
        for (size_t i = 0; i < cells.size(); ++i)
            doc.Cell(left + int(i), top + int(j)).SetText(cells[i].c_str());
    }
}

inline std::string Sjis(const std::string& name) {
    return ParseCells(name).at(0);
}

using Grid = std::vector<CCell>;

inline Grid Snapshot(const CRuvlenDoc& doc) {
    Grid grid;
    for (int y = 0; y < CRuvlenDoc::GRID; ++y)
        for (int x = 0; x < CRuvlenDoc::GRID; ++x) grid.push_back(doc.Cell(x, y));
    return grid;
}

// Describes the first few cells that differ, skipping those inside *skip.
inline std::string Differences(const Grid& a, const Grid& b, const CCellRect* skip = nullptr) {
    std::string out;
    int shown = 0;
    for (int i = 0; i < int(a.size()) && shown < 4; ++i) {
        const int x = i % CRuvlenDoc::GRID, y = i / CRuvlenDoc::GRID;
        if (a[i] == b[i] || (skip && skip->Contains(x, y))) continue;
        out += "(" + std::to_string(x) + "," + std::to_string(y) + "): " + CellName(a[i]) +
               " used " + std::to_string(a[i].m_bUsed) + " vs " + CellName(b[i]) + " used " +
               std::to_string(b[i].m_bUsed) + "; ";
        ++shown;
    }
    return out;
}

// Runs an edit and checks the frame every cell-changing operation follows: the undo
// snapshot covers exactly `undo` and every changed cell, the view repaints exactly
// `repaints`, the modified flag is set, and undo swaps the old cells back (leaving
// the modified flag alone) while a second undo redoes the edit.
template <class Op>
void CheckEdit(CRuvlenDoc& doc, RecordingView& view, Op op, const CCellRect& undo,
               const std::vector<CCellRect>& repaints) {
    const Grid before = Snapshot(doc);
    view.Clear();
    doc.SetModifiedFlag(0);
    op();
    const Grid after = Snapshot(doc);
    EXPECT_EQ(doc.m_bUndo, 1);
    EXPECT_EQ(doc.m_rcUndo, undo);
    EXPECT_EQ(view.rects, repaints);
    EXPECT_TRUE(view.hints.empty());
    EXPECT_EQ(doc.IsModified(), 1);
    EXPECT_EQ(Differences(before, after, &undo), "") << "changed outside the undo rectangle";

    doc.SetModifiedFlag(0);
    for (const Grid* expected : {&before, &after}) {
        view.Clear();
        doc.Undo(&view);
        EXPECT_EQ(Differences(*expected, Snapshot(doc)), "")
            << (expected == &before ? "undo" : "redo");
        EXPECT_EQ(view.rects, std::vector<CCellRect>{undo});
        EXPECT_EQ(doc.IsModified(), 1); // the cells differ from the saved ones
        doc.SetModifiedFlag(0);
        EXPECT_EQ(doc.m_rcUndo, undo);
        EXPECT_EQ(doc.m_bUndo, 1);
    }
    doc.SetModifiedFlag(1);
}

// Runs an operation that must change nothing: cells, undo snapshot, modified flag
// and view stay as they were.
template <class Op> void CheckNoEdit(CRuvlenDoc& doc, RecordingView& view, Op op) {
    const Grid before = Snapshot(doc);
    const int hadUndo = doc.m_bUndo;
    const CCellRect undo = doc.m_rcUndo;
    const CCell undoCell = doc.UndoCell(undo.left, undo.top);
    view.Clear();
    doc.SetModifiedFlag(0);
    op();
    EXPECT_EQ(Differences(before, Snapshot(doc)), "");
    EXPECT_EQ(doc.m_bUndo, hadUndo);
    EXPECT_EQ(doc.m_rcUndo, undo);
    EXPECT_TRUE(doc.UndoCell(undo.left, undo.top) == undoCell);
    EXPECT_TRUE(view.rects.empty());
    EXPECT_EQ(doc.IsModified(), 0);
}

// Vertical joints of a canvas: a line cell with a down arm over one with an up
// arm.
inline int CanvasJoints(const CRuvlenDoc& doc) {
    int joints = 0;
    for (int y = 0; y + 1 < doc.m_nLines; ++y)
        for (int x = 0; x < doc.m_nColumns; ++x) {
            const CCell &a = doc.Cell(x, y), &b = doc.Cell(x, y + 1);
            joints +=
                a.m_bLine && b.m_bLine && (a.m_nLineFlags & LF_DOWN) && (b.m_nLineFlags & LF_UP);
        }
    return joints;
}

} // namespace doc_test

// Macros so that a failure inside the checks names the calling line.
#define CHECK_EDIT(doc, view, op, ...)                                                             \
    do {                                                                                           \
        SCOPED_TRACE(#op);                                                                         \
        doc_test::CheckEdit(                                                                       \
            doc, view, [&] { op; }, __VA_ARGS__);                                                  \
    } while (0)

#define CHECK_NO_EDIT(doc, view, op)                                                               \
    do {                                                                                           \
        SCOPED_TRACE(#op);                                                                         \
        doc_test::CheckNoEdit(doc, view, [&] { op; });                                             \
    } while (0)
