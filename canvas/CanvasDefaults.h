#pragma once

// The four values a new canvas copies from the application: text size index,
// columns, lines and whether the grid marks are shown.
struct CCanvasDefaults {
    int m_nDefaultTextSize = 2;
    int m_nDefaultColumns = 40;
    int m_nDefaultLines = 30;
    int m_bDefaultGrid = 1;
};
