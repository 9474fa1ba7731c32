#include "app/SymbolGridWnd.h"

#include "canvas/io/Cp932.h"
#include "tools/SymbolTable.h"
#include "view/CellPainter.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int kBorder = 1;
const QColor kChosenBackground(0, 255, 0);
const QColor kEmptySlot(128, 128, 128);

// How far to move the span [first, last] so that it lies in [lo, hi], or is
// centred on it when it is longer.
int Inside(int first, int last, int lo, int hi) {
    if (last - first > hi - lo) return (lo + hi) / 2 - (first + last) / 2;
    if (first < lo) return lo - first;
    if (last > hi) return hi - last;
    return 0;
}

bool IsValidCategory(int category) {
    return category >= 0 && category < kSymbolCategoryCount;
}

} // namespace

CSymbolGridWnd::CSymbolGridWnd(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(SizeFor(m_nCellPixels));
}

QSize CSymbolGridWnd::SizeFor(int cellPixels) const {
    return QSize(cellPixels * m_nGridColumns + 1, cellPixels * m_nGridRows + 1);
}

void CSymbolGridWnd::SetCellPixels(int pixels) {
    pixels = std::max(pixels, 16);
    if (pixels == m_nCellPixels) return;
    m_nCellPixels = pixels;
    setFixedSize(SizeFor(pixels));
    update();
}

void CSymbolGridWnd::CreateGrid(int x, int y) {
    move(x, y);
    show();
}

void CSymbolGridWnd::SetCategory(int category, int selected) {
    m_nCategory = IsValidCategory(category) ? category : 0;
    m_nSelected = selected >= 0 && selected < kSymbolSlotCount ? selected : 0;
    update();
}

void CSymbolGridWnd::InvalidateCell(int n) {
    update(SlotRect(n).adjusted(0, 0, 1, 1).translated(kBorder, kBorder));
}

int CSymbolGridWnd::GetChosenSymbol(char buffer[4]) const {
    std::memcpy(buffer, SymbolTables()[m_nCategory][m_nSelected], 4);
    return m_nCategory;
}

QRect CSymbolGridWnd::ClientRect() const {
    return rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
}

QRect CSymbolGridWnd::SlotRect(int n) const {
    return QRect((n % m_nGridColumns) * m_nCellPixels, (n / m_nGridColumns) * m_nCellPixels,
                 m_nCellPixels, m_nCellPixels);
}

bool CSymbolGridWnd::IsEmptySlot(int n) const {
    return SymbolTables()[m_nCategory][n][0] == 0;
}

void CSymbolGridWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black); // the border
    const QRect client = ClientRect();
    p.setClipRect(client);
    p.translate(client.topLeft());
    p.fillRect(QRect(QPoint(0, 0), client.size()), Qt::white);
    PaintSlots(p);
    PaintGridLines(p);
}

void CSymbolGridWnd::PaintSlots(QPainter& p) const {
    p.setFont(SymbolFont(m_nCellPixels));
    p.setPen(Qt::black);
    for (int n = 0; n < m_nGridColumns * m_nGridRows; ++n) {
        const QRect cell = SlotRect(n);
        if (IsEmptySlot(n)) {
            p.fillRect(cell, kEmptySlot);
            continue;
        }
        if (n == m_nSelected) p.fillRect(cell, kChosenBackground);
        std::string utf8;
        Cp932ToUtf8(SymbolTables()[m_nCategory][n], utf8);
        PaintSymbol(p, cell, QString::fromStdString(utf8));
    }
}

// The glyph square sits inside the slot less its grid line, with a margin on
// every side, so no symbol touches a grid line or is clipped at any size.
int CSymbolGridWnd::GlyphPixels(int cellPixels) {
    const int inner = cellPixels - 1;
    return inner - 2 * std::max(2, (inner + 4) / 8);
}

QFont CSymbolGridWnd::SymbolFont(int cellPixels) {
    return CellFont(GlyphPixels(cellPixels));
}

// Centred in the slot: across by the glyph's advance (half-width symbols are
// half a square), down by the glyph square, on the canvas font's baseline. A
// glyph whose ink reaches past its square (an accent over a capital) is moved
// in just far enough to keep a pixel clear of the slot's edges.
void CSymbolGridWnd::PaintSymbol(QPainter& p, const QRect& slot, const QString& text) {
    const int inner = slot.width() - 1;
    const int glyph = GlyphPixels(slot.width());
    if (p.font().pixelSize() != glyph) p.setFont(SymbolFont(slot.width()));
    const QFontMetrics metrics = p.fontMetrics();
    QPoint at(slot.left() + (inner - metrics.horizontalAdvance(text)) / 2,
              slot.top() + (inner - glyph) / 2 + CellBaseline(glyph));
    const QRect ink = metrics.tightBoundingRect(text).translated(at);
    const QRect room(slot.left() + 1, slot.top() + 1, inner - 2, inner - 2);
    at += QPoint(Inside(ink.left(), ink.right(), room.left(), room.right()),
                 Inside(ink.top(), ink.bottom(), room.top(), room.bottom()));
    p.drawText(at, text);
}

void CSymbolGridWnd::PaintGridLines(QPainter& p) const {
    // One pixel wide, on the last pixel column or row of each cell; filled
    // rectangles stay on whole device pixels at any scale factor.
    const int width = m_nCellPixels * m_nGridColumns;
    const int height = m_nCellPixels * m_nGridRows;
    for (int i = 1; i < m_nGridColumns; ++i)
        p.fillRect(QRect(i * m_nCellPixels - 1, 0, 1, height), Qt::black);
    for (int i = 1; i < m_nGridRows; ++i)
        p.fillRect(QRect(0, i * m_nCellPixels - 1, width, 1), Qt::black);
}

void CSymbolGridWnd::mousePressEvent(QMouseEvent* event) {
    const QRect client = ClientRect();
    const QPoint pos(static_cast<int>(std::floor(event->position().x())),
                     static_cast<int>(std::floor(event->position().y())));
    if (event->button() != Qt::LeftButton || !client.contains(pos)) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint at = pos - client.topLeft();
    const int n = (at.y() / m_nCellPixels) * m_nGridColumns + at.x() / m_nCellPixels;
    if (n < m_nGridColumns * m_nGridRows && !IsEmptySlot(n) && n != m_nSelected) {
        const int old = m_nSelected;
        m_nSelected = n;
        InvalidateCell(old);
        InvalidateCell(n);
    }
    emit clicked();
}
