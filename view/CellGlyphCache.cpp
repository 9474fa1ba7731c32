#include "view/CellGlyphCache.h"

#include "canvas/Cell.h"
#include "canvas/LineCellGeometry.h"
#include "view/CellPainter.h"

#include <QColor>
#include <QPainter>
#include <QPoint>
#include <QRect>

namespace {
// Bookkeeping per image beside its pixels.
constexpr std::size_t kEntryOverhead = 160;
} // namespace

CCellGlyphCache::CCellGlyphCache(std::size_t budgetBytes) : m_budget(budgetBytes) {}

std::size_t CCellGlyphCache::KeyHash::operator()(const Key& k) const {
    std::uint64_t h = (std::uint64_t(k.ink) << 32 | k.paper) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(h ^ (h >> 29) ^ (k.text * 0xC2B2AE35u));
}

CCellGlyphCache::Key CCellGlyphCache::KeyFor(const CCell& cell, const QColor& ink,
                                             const QColor& paper) {
    std::uint32_t text = std::uint32_t(static_cast<unsigned char>(cell.m_szText[0])) |
                         std::uint32_t(static_cast<unsigned char>(cell.m_szText[1])) << 8;
    if (IsLineGeometryCell(cell)) text |= (0x40u | std::uint32_t(cell.m_nLineFlags)) << 16;
    return {text, ink.rgba(), paper.rgba()};
}

void CCellGlyphCache::Clear() {
    m_entries.clear();
    m_bytes = 0;
}

void CCellGlyphCache::BeginPaint(int d, int dpr) {
    if (d != m_d || dpr != m_dpr) {
        Clear();
        m_d = d;
        m_dpr = dpr;
        m_font = CellFont(d);
    }
    if (m_full) {
        DropUnused();
        m_full = false;
    }
    ++m_paint;
}

// Keeps the images the previous paint used; a canvas with more distinct cells
// than the budget holds then paints the rest directly instead of thrashing.
void CCellGlyphCache::DropUnused() {
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (it->second.lastPaint == m_paint) {
            ++it;
            continue;
        }
        m_bytes -= std::size_t(it->second.image.sizeInBytes()) + kEntryOverhead;
        it = m_entries.erase(it);
    }
}

QImage CCellGlyphCache::Render(const CCell& cell, const QColor& ink, const QColor& paper) const {
    QImage image(m_d * m_dpr, m_d * m_dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(m_dpr);
    QPainter p(&image);
    p.setFont(m_font);
    PaintCell(p, QRect(0, 0, m_d, m_d), cell, ink, paper);
    return image;
}

void CCellGlyphCache::Draw(QPainter& p, const QPoint& topLeft, const CCell& cell, const QColor& ink,
                           const QColor& paper) {
    const Key key = KeyFor(cell, ink, paper);
    auto it = m_entries.find(key);
    if (it == m_entries.end()) {
        const std::size_t size = std::size_t(m_d) * m_d * m_dpr * m_dpr * 4 + kEntryOverhead;
        if (m_bytes + size > m_budget) {
            m_full = true;
            p.setFont(m_font);
            PaintCell(p, QRect(topLeft, QSize(m_d, m_d)), cell, ink, paper);
            return;
        }
        it = m_entries.emplace(key, Entry{Render(cell, ink, paper), m_paint}).first;
        m_bytes += std::size_t(it->second.image.sizeInBytes()) + kEntryOverhead;
    }
    it->second.lastPaint = m_paint;
    p.drawImage(topLeft, it->second.image);
}
