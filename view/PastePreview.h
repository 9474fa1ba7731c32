#pragma once

#include "canvas/CellRect.h"

#include <QRect>

class CRuvlenDoc;
class QPainter;

// A waiting paste shown where it would land: the paste buffer's cells drawn
// faintly over the canvas cells they would replace, inside a solid frame.
struct CPastePreview {
    bool shown = false;
    CCellRect cells;          // where the buffer's top-left cell would go, clipped to the canvas
    bool transparent = false; // blank buffer cells let the canvas show through

    // The logical pixels the preview covers, frame included (empty when hidden).
    QRect Bounds(const CRuvlenDoc& doc) const;
    // Paints the preview over cells already painted (logical coordinates).
    void Paint(QPainter& p, const CRuvlenDoc& doc) const;
};
