#pragma once

// The values a new canvas copies from the application: text size index, columns,
// lines, whether the grid marks are shown, and how many undo levels it keeps.
struct CCanvasDefaults {
    int m_nDefaultTextSize = 2;
    int m_nDefaultColumns = 40;
    int m_nDefaultLines = 30;
    int m_bDefaultGrid = 1;
    int m_nUndoLevels = 1; // 1..100
};
