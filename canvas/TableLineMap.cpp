#include "canvas/TableLineMap.h"

#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"

namespace {

bool Has(const CCell& cell, int arm) {
    return cell.m_bLine && (cell.m_nLineFlags & arm);
}

} // namespace

CTableLineMap::CTableLineMap(const CRuvlenDoc& doc)
    : m_nWidth(doc.m_nColumns), m_nHeight(doc.m_nLines) {
    const size_t n = size_t(m_nWidth) * m_nHeight;
    m_right.assign(n, 0);
    m_down.assign(n, 0);
    m_runRight.assign(n, 0);
    m_runDown.assign(n, 0);
    for (int y = m_nHeight - 1; y >= 0; --y) {
        for (int x = m_nWidth - 1; x >= 0; --x) {
            const CCell& cell = doc.Cell(x, y);
            const size_t i = At(x, y);
            m_right[i] =
                x + 1 < m_nWidth && Has(cell, LF_RIGHT) && Has(doc.Cell(x + 1, y), LF_LEFT);
            m_down[i] = y + 1 < m_nHeight && Has(cell, LF_DOWN) && Has(doc.Cell(x, y + 1), LF_UP);
            m_runRight[i] = m_right[i] ? 1 + m_runRight[At(x + 1, y)] : 0;
            m_runDown[i] = m_down[i] ? 1 + m_runDown[At(x, y + 1)] : 0;
        }
    }
    FindComponents(doc);
}

int CTableLineMap::Root(int i) {
    while (m_parent[i] != i) i = m_parent[i] = m_parent[m_parent[i]];
    return i;
}

void CTableLineMap::FindComponents(const CRuvlenDoc& doc) {
    const int n = m_nWidth * m_nHeight;
    m_parent.resize(n);
    for (int i = 0; i < n; ++i) m_parent[i] = i;
    for (int y = 0; y < m_nHeight; ++y)
        for (int x = 0; x < m_nWidth; ++x) {
            const int i = int(At(x, y));
            if (m_right[i]) m_parent[Root(i)] = Root(i + 1);
            if (m_down[i]) m_parent[Root(i)] = Root(i + m_nWidth);
        }
    // Number the components, then count each one's cells against its joins.
    m_component.assign(n, -1);
    std::vector<int> number(n, -1), cells;
    for (int i = 0; i < n; ++i) {
        if (!doc.Cell(i % m_nWidth, i / m_nWidth).m_bLine) continue;
        const int root = Root(i);
        if (number[root] < 0) {
            number[root] = int(cells.size());
            cells.push_back(0);
        }
        m_component[i] = number[root];
        ++cells[number[root]];
    }
    std::vector<int> count(cells.size(), 0);
    for (int i = 0; i < n; ++i) {
        if (m_component[i] < 0) continue;
        count[m_component[i]] += m_right[i] + m_down[i];
    }
    m_cyclic.assign(cells.size(), 0);
    for (size_t c = 0; c < cells.size(); ++c) m_cyclic[c] = count[c] >= cells[c];
}
