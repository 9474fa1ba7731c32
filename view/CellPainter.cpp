#include "view/CellPainter.h"

#include "canvas/Cell.h"
#include "canvas/CellGeometry.h"
#include "canvas/LineCellGeometry.h"
#include "canvas/io/Cp932.h"
#include "view/LineCellPainter.h"

#include <QColor>
#include <QPainter>
#include <QRect>

#include <cmath>
#include <cstring>
#include <string>

QFont CellFont(int d) {
    QFont font(QStringLiteral("IPAMincho"));
    font.setPixelSize(d);
    font.setKerning(false);
    return font;
}

int CellBaseline(int d) {
    return CCellGeometry::Baseline(d);
}

QString CellText(const CCell& cell) {
    std::string utf8;
    Cp932ToUtf8(std::string(cell.m_szText, strnlen(cell.m_szText, 2)), utf8);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

void PaintCell(QPainter& p, const QRect& square, const CCell& cell, const QColor& ink,
               const QColor& paper, bool lineAtLeastOnePixel) {
    p.fillRect(square, paper);
    if (IsLineGeometryCell(cell)) {
        PaintLineCell(p, square, cell.m_nLineFlags, ink, lineAtLeastOnePixel);
        return;
    }
    p.setPen(ink);
    p.drawText(QPoint(square.left(), square.top() + CellBaseline(square.height())), CellText(cell));
}
