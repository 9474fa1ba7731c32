#pragma once

#include <cstddef>
#include <vector>

class CRuvlenDoc;

// How the canvas's line cells join, worked out once for a table search: two
// neighbouring line cells are joined when each has the arm facing the other.
// Line cells that are joined, directly or through others, form one component.
class CTableLineMap {
public:
    explicit CTableLineMap(const CRuvlenDoc& doc);

    // Cells off the canvas are joined to nothing.
    bool JoinedRight(int x, int y) const { return In(x, y) && m_right[At(x, y)]; }
    bool JoinedDown(int x, int y) const { return In(x, y) && m_down[At(x, y)]; }
    // How many joins follow one another to the right of (or below) the cell.
    int RunRight(int x, int y) const { return In(x, y) ? m_runRight[At(x, y)] : 0; }
    int RunDown(int x, int y) const { return In(x, y) ? m_runDown[At(x, y)] : 0; }
    // The component of a line cell, -1 for any other cell.
    int Component(int x, int y) const { return In(x, y) ? m_component[At(x, y)] : -1; }
    // The component's joins close a loop around some cells (it has as many
    // joins as cells or more): it is a box, not a stroke.
    bool Cyclic(int component) const { return m_cyclic[component] != 0; }

private:
    bool In(int x, int y) const { return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight; }
    std::size_t At(int x, int y) const { return std::size_t(x) + std::size_t(m_nWidth) * y; }
    int Root(int i);
    void FindComponents(const CRuvlenDoc& doc);

    int m_nWidth, m_nHeight;
    std::vector<char> m_right, m_down, m_cyclic;
    std::vector<int> m_runRight, m_runDown, m_component, m_parent;
};
