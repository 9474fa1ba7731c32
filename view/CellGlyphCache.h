#pragma once

#include <QFont>
#include <QImage>

#include <cstdint>
#include <unordered_map>

class CCell;
class QColor;
class QPainter;
class QPoint;

// Cells rendered once into small images and copied into place: each distinct
// (bytes, ink, paper) at one cell edge and device pixel ratio. A canvas holds
// few distinct cells, so a full repaint costs little more than filling its
// pixels. The cache is bounded by a byte budget; past it, cells are painted
// directly, and the next paint drops the images the previous one did not use.
class CCellGlyphCache {
public:
    explicit CCellGlyphCache(std::size_t budgetBytes = 16u << 20);

    // Starts a paint of cells of edge d (logical pixels) on a device with an
    // integral pixel ratio dpr. Images of another edge or ratio are dropped.
    void BeginPaint(int d, int dpr);
    // Copies the cell's image with its top-left corner at topLeft, rendering it
    // first when it is new. The painter must have no transform beyond a
    // translation by whole pixels.
    void Draw(QPainter& p, const QPoint& topLeft, const CCell& cell, const QColor& ink,
              const QColor& paper);

    void Clear();
    int Count() const { return static_cast<int>(m_entries.size()); }

private:
    struct Key {
        std::uint32_t text; // the two bytes, and the line flags of a ruled-line cell
        std::uint32_t ink;
        std::uint32_t paper;
        bool operator==(const Key& o) const {
            return text == o.text && ink == o.ink && paper == o.paper;
        }
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const;
    };
    struct Entry {
        QImage image;
        std::uint32_t lastPaint;
    };

    static Key KeyFor(const CCell& cell, const QColor& ink, const QColor& paper);
    QImage Render(const CCell& cell, const QColor& ink, const QColor& paper) const;
    void DropUnused();

    std::unordered_map<Key, Entry, KeyHash> m_entries;
    std::size_t m_budget;
    std::size_t m_bytes = 0;
    std::uint32_t m_paint = 0;
    bool m_full = false; // a cell did not fit during the current paint
    int m_d = 0;
    int m_dpr = 1;
    QFont m_font;
};
