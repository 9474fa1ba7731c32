#pragma once

#include <QFont>
#include <QWidget>

class QPainter;

// The symbol palette's grid: the 60 slots of one category as 6 x 10 cells of
// 16 pixels or more inside a 1-pixel black border, empty slots gray, the chosen slot on
// green. A left click on a symbol chooses it; every left click inside the border
// is reported, so the palette can switch the canvas to the symbol tool.
// All geometry is in logical pixels; Qt scales it on high-DPI screens.
class CSymbolGridWnd : public QWidget {
    Q_OBJECT
public:
    explicit CSymbolGridWnd(QWidget* parent);

    // Places the grid at (x, y) of its parent with its fixed size and shows it.
    void CreateGrid(int x, int y);
    // Gives every slot this many pixels a side (at least 16) and resizes the grid.
    void SetCellPixels(int pixels);
    // The grid's size, border included, for cells of the given size.
    QSize SizeFor(int cellPixels) const;
    // Shows another category with the given slot chosen; repaints everything.
    void SetCategory(int category, int selected);
    // Repaints one slot and the grid lines on its right and bottom edges.
    void InvalidateCell(int n);
    // Copies the chosen symbol (NUL-terminated) into buffer; returns the category.
    int GetChosenSymbol(char buffer[4]) const;

    // The symbols' glyph size and font for slots of the given size, and one
    // symbol painted into a slot (its grid line pixels included).
    static int GlyphPixels(int cellPixels);
    static QFont SymbolFont(int cellPixels);
    static void PaintSymbol(QPainter& p, const QRect& slot, const QString& text);

    int m_nCellPixels = 16;
    int m_nGridColumns = 6;
    int m_nGridRows = 10;
    int m_nCategory = 0;
    int m_nSelected = 0;

signals:
    // A left click inside the grid, on any slot (even empty or already chosen).
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The drawing surface inside the border, in the grid's own coordinates.
    QRect ClientRect() const;
    // One slot's square in client coordinates (its grid line pixels included).
    QRect SlotRect(int n) const;
    bool IsEmptySlot(int n) const;
    void PaintSlots(QPainter& p) const;
    void PaintGridLines(QPainter& p) const;
};
