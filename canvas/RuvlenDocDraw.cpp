// Drawing operations: ruled lines, rectangles, diagonals, symbol runs, text runs
// and the right-button edits of single cells.
#include "canvas/RuvlenDoc.h"
#include "canvas/SymbolRun.h"

#include <algorithm>

void CRuvlenDoc::DrawHorizontalLine(CDocView* view, int x1, int y1, int x2, int y2, int thick) {
    SaveUndo(x1, y1, x2, y2);
    if (x1 == x2) {
        Cell(x1, y1).AddHorizontal(thick);
    } else {
        Cell(x1, y1).AddRight(thick);
        for (int x = x1 + 1; x < x2; ++x) Cell(x, y1).AddHorizontal(thick);
        Cell(x2, y1).AddLeft(thick);
    }
    InvalidateCells(view, x1, y1, x2, y1);
    SetModifiedFlag();
}

void CRuvlenDoc::DrawVerticalLine(CDocView* view, int x1, int y1, int x2, int y2, int thick) {
    SaveUndo(x1, y1, x2, y2);
    if (y1 == y2) {
        Cell(x1, y1).AddVertical(thick);
    } else {
        Cell(x1, y1).AddDown(thick);
        for (int y = y1 + 1; y < y2; ++y) Cell(x1, y).AddVertical(thick);
        Cell(x1, y2).AddUp(thick);
    }
    InvalidateCells(view, x1, y1, x1, y2);
    SetModifiedFlag();
}

void CRuvlenDoc::DrawRectangle(CDocView* view, int left, int top, int right, int bottom,
                               int thick) {
    SaveUndo(left, top, right, bottom);
    if (left == right || top == bottom) {
        Cell(left, top).SetText(SJIS_SQUARE);
    } else {
        for (int x = left + 1; x < right; ++x) {
            Cell(x, top).AddHorizontal(thick);
            Cell(x, bottom).AddHorizontal(thick);
        }
        for (int y = top + 1; y < bottom; ++y) {
            Cell(left, y).AddVertical(thick);
            Cell(right, y).AddVertical(thick);
        }
        Cell(left, top).AddTopLeftCorner(thick);
        Cell(right, top).AddTopRightCorner(thick);
        Cell(left, bottom).AddBottomLeftCorner(thick);
        Cell(right, bottom).AddBottomRightCorner(thick);
    }
    InvalidateCells(view, left, top, right, bottom);
    SetModifiedFlag();
}

void CRuvlenDoc::DrawSlashLine(CDocView* view, int left, int top, int right, int bottom) {
    SaveUndo(left, top, right, bottom);
    for (int x = left; x <= right; ++x) Cell(x, bottom - (x - left)).AddSlash();
    InvalidateCells(view, left, top, right, bottom);
    SetModifiedFlag();
}

void CRuvlenDoc::DrawBackslashLine(CDocView* view, int left, int top, int right, int bottom) {
    SaveUndo(left, top, right, bottom);
    for (int x = left; x <= right; ++x) Cell(x, top + (x - left)).AddBackslash();
    InvalidateCells(view, left, top, right, bottom);
    SetModifiedFlag();
}

void CRuvlenDoc::DrawSymbolLine(CDocView* view, const char* symbol, int x1, int y1, int x2,
                                int y2) {
    const int xmin = std::min(x1, x2), xmax = std::max(x1, x2);
    const int ymin = std::min(y1, y2), ymax = std::max(y1, y2);
    SaveUndo(xmin, ymin, xmax, ymax);
    for (const CCellPoint& c : SymbolRunCells(x1, y1, x2, y2)) {
        Cell(c.x, c.y).SetText(symbol);
        InvalidateCells(view, c.x, c.y, c.x, c.y);
    }
    SetModifiedFlag();
}

void CRuvlenDoc::PutTextRun(CDocView* view, int left, int top, int right, int bottom,
                            const char* text, bool vertical) {
    SaveUndo(left, top, right, bottom);
    const char* p = text;
    auto nextByte = [&p]() { return *p ? *p++ : ' '; };
    const int width = right - left + 1, height = bottom - top + 1;
    for (int i = 0; i < width * height; ++i) {
        int x = vertical ? right - i / height : left + i % width;
        int y = vertical ? top + i % height : top + i / width;
        char pair[3];
        pair[0] = nextByte();
        pair[1] = nextByte();
        pair[2] = 0;
        Cell(x, y).SetText(pair);
    }
    InvalidateCells(view, left, top, right, bottom);
    SetModifiedFlag();
}

void CRuvlenDoc::PutTextHorizontal(CDocView* view, int left, int top, int right, int bottom,
                                   const char* text) {
    PutTextRun(view, left, top, right, bottom, text, false);
}

void CRuvlenDoc::PutTextVertical(CDocView* view, int left, int top, int right, int bottom,
                                 const char* text) {
    PutTextRun(view, left, top, right, bottom, text, true);
}

namespace {

bool IsTrimmedSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

void TrimRight(std::string& s) {
    while (!s.empty() && IsTrimmedSpace(s.back())) s.pop_back();
}

} // namespace

std::string CRuvlenDoc::GetTextRun(int left, int top, int right, int bottom, bool vertical) const {
    std::string result;
    const int runs = vertical ? right - left + 1 : bottom - top + 1;
    const int length = vertical ? bottom - top + 1 : right - left + 1;
    for (int run = 0; run < runs; ++run) {
        std::string line;
        for (int i = 0; i < length; ++i) {
            const CCell& cell = vertical ? Cell(right - run, top + i) : Cell(left + i, top + run);
            line += cell.FirstByte();
            line += cell.SecondByte();
        }
        TrimRight(line);
        result += line + "\r\n";
    }
    TrimRight(result);
    return result;
}

std::string CRuvlenDoc::GetTextHorizontal(int left, int top, int right, int bottom) const {
    return GetTextRun(left, top, right, bottom, false);
}

std::string CRuvlenDoc::GetTextVertical(int left, int top, int right, int bottom) const {
    return GetTextRun(left, top, right, bottom, true);
}

void CRuvlenDoc::ToggleArmAt(CDocView* view, int x, int y) {
    if (!IsInCanvas(x, y)) return;
    CCellPoint cp = CellFromPoint(x, y);
    CCell& cell = Cell(cp.x, cp.y);
    if (!cell.m_bLine) return;
    CCell old = cell;
    if (!cell.ToggleArm(ArmFromPoint(x, y))) return;
    SaveUndoCell(old, cp.x, cp.y);
    InvalidateCells(view, cp.x, cp.y, cp.x, cp.y);
    SetModifiedFlag();
}

void CRuvlenDoc::EraseCellAt(CDocView* view, int x, int y) {
    if (!IsInCanvas(x, y)) return;
    CCellPoint cp = CellFromPoint(x, y);
    if (Cell(cp.x, cp.y).IsBlank()) return;
    SaveUndo(cp.x, cp.y, cp.x, cp.y);
    Cell(cp.x, cp.y).Erase();
    InvalidateCells(view, cp.x, cp.y, cp.x, cp.y);
    SetModifiedFlag();
}
