#pragma once

#include "tools/Feedback.h"

#include <QRect>
#include <vector>

class QPainter;

// The rubber-band figures a tool has on screen, kept as state: inverting a
// figure adds it, inverting it again removes it. The view paints the figures
// after the cells with an inverting raster operation, so a repaint for any
// other reason shows them exactly once.
class CFeedbackOverlay {
public:
    // Adds the figure, or removes it when it is already shown. Returns the
    // logical rectangle whose pixels change.
    QRect Invert(const CFeedbackFigure& figure);
    void Clear() { m_figures.clear(); }
    bool IsEmpty() const { return m_figures.empty(); }
    const std::vector<CFeedbackFigure>& Figures() const { return m_figures; }

    // Inverts the shown figures onto the painter (logical coordinates).
    void Paint(QPainter& p) const;
    // Paints an opaque text marker: a white box with an olive frame.
    static void PaintMarker(QPainter& p, const CFeedbackFigure& marker);

    // The exact pixels a figure touches (logical coordinates).
    static QRect Bounds(const CFeedbackFigure& figure);

private:
    std::vector<CFeedbackFigure> m_figures;
};
