#pragma once

#include <QFont>
#include <QString>

class CCell;
class QColor;
class QPainter;
class QRect;

// The cell font: "IPAMincho" at pixel size d, whose full-width glyphs fill one
// cell and whose half-width glyphs fill half of one. Rulers use it too.
QFont CellFont(int d);

// Offset of the text baseline below the top of a cell of edge d (the font's ascent).
int CellBaseline(int d);

// The cell's two Shift-JIS bytes as Unicode.
QString CellText(const CCell& cell);

// Paints one cell without caching: its square in paper, then its ruled line or
// its text in ink. The painter's font must be CellFont of the square's edge.
// lineAtLeastOnePixel: see PaintLineCell.
void PaintCell(QPainter& p, const QRect& square, const CCell& cell, const QColor& ink,
               const QColor& paper, bool lineAtLeastOnePixel = false);
