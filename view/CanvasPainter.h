#pragma once

#include "canvas/CellGeometry.h"

#include <QColor>
#include <QRect>

class CRuvlenDoc;
class QPainter;
class QPalette;

// The pixel layout of one canvas on one device (canvas/CellGeometry.h), at the
// device's resolution. Printing uses its own geometry, never the document's.
struct CCanvasGeometry : CCellGeometry {
    static CCanvasGeometry For(const CRuvlenDoc& doc, int logPixelsX);
};

// Paints a canvas onto any QPainter whose logical (0, 0) is the top-left corner
// of the scrollable surface: margins, rulers, cells, grid and frame on the
// screen; only the cells, on white, when printing. Used by the view, printing,
// print preview and the benchmarks. Keeps a cache of rendered cells per size.
class CCanvasPainter {
public:
    struct Options {
        bool printing = false;
        QColor background = Qt::white; // window colour on the screen
        // Every ruled line at least one device pixel wide however the drawing is
        // scaled later (print preview shows the page scaled down).
        bool linesAtLeastOnePixel = false;
    };

    CCanvasPainter();
    ~CCanvasPainter();
    CCanvasPainter(const CCanvasPainter&) = delete;
    CCanvasPainter& operator=(const CCanvasPainter&) = delete;

    // Paints what meets `exposed` (logical pixels) at the given resolution.
    void Paint(QPainter& p, const CRuvlenDoc& doc, int logPixelsX, const QRect& exposed,
               const Options& options);

    // The canvas background for a palette: the window colour, or white when the
    // desktop theme is dark (black text would vanish on it).
    static QColor CanvasBackground(const QPalette& palette);

private:
    struct Impl;
    Impl* m_pImpl;
};
