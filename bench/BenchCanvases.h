#pragma once

// Full 99 x 99 canvases the benchmarks share.

#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"

#include <memory>

// Ruled lines on every third column and line (all 32 glyphs), with half-width
// pairs, full-width characters and full-width spaces between.
inline std::unique_ptr<CRuvlenDoc> RuledGridCanvas(int undoLevels = 1) {
    static const char* kTexts[] = {"ab", "\x82\xA0", "c ", "\xB1\xDF", "\x81\x40", "\x95\x5C"};
    CCanvasDefaults defaults;
    defaults.m_nDefaultColumns = CRuvlenDoc::MAX_SIZE;
    defaults.m_nDefaultLines = CRuvlenDoc::MAX_SIZE;
    defaults.m_nUndoLevels = undoLevels;
    auto doc = std::make_unique<CRuvlenDoc>(defaults);
    for (int y = 0; y < CRuvlenDoc::MAX_SIZE; ++y)
        for (int x = 0; x < CRuvlenDoc::MAX_SIZE; ++x)
            if (x % 3 == 0 || y % 3 == 0)
                doc->Cell(x, y).SetLineFlags(g_validLineFlags[(x * 7 + y) % 32]);
            else
                doc->Cell(x, y).SetText(kTexts[(x + y * 5) % 6]);
    return doc;
}

// A picture-like canvas: boxes of thick and thin lines with crossings, kanji
// and half-width text inside them, and some blank cells.
inline std::unique_ptr<CRuvlenDoc> PictureCanvas(int fontSize = 2) {
    static const char* kTexts[] = {"\x8A\xBF", "\x8E\x9A", "ab",       "\x82\xA0", "12",
                                   "  ",       "\xB6\xC5", "\x95\x5C", "  ",       "x&"};
    CCanvasDefaults defaults;
    defaults.m_nDefaultTextSize = fontSize;
    defaults.m_nDefaultColumns = CRuvlenDoc::MAX_SIZE;
    defaults.m_nDefaultLines = CRuvlenDoc::MAX_SIZE;
    auto doc = std::make_unique<CRuvlenDoc>(defaults);
    const int last = CRuvlenDoc::MAX_SIZE - 1;
    for (int y = 0; y <= last; ++y)
        for (int x = 0; x <= last; ++x) doc->Cell(x, y).SetText(kTexts[(x * 7 + y * 3) % 10]);
    for (int i = 0; i + 8 <= last; i += 8)
        doc->DrawRectangle(nullptr, i, i / 2, i + 8, i / 2 + 12, (i / 8) % 2);
    for (int y = 3; y <= last; y += 10)
        doc->DrawHorizontalLine(nullptr, 0, y, last, y, y % 20 == 3);
    for (int x = 5; x <= last; x += 12) doc->DrawVerticalLine(nullptr, x, 0, x, last, x % 24 == 5);
    return doc;
}

// A table over the whole width and height but for the last two columns and
// lines, which stay blank so that two lines or columns can be inserted: boxes
// 6 columns wide and 3 lines high with thin rules inside a thick frame, each
// with a heading of full-width and half-width text.
inline std::unique_ptr<CRuvlenDoc> TableCanvas() {
    CCanvasDefaults defaults;
    defaults.m_nDefaultColumns = CRuvlenDoc::MAX_SIZE;
    defaults.m_nDefaultLines = CRuvlenDoc::MAX_SIZE;
    auto doc = std::make_unique<CRuvlenDoc>(defaults);
    const int right = CRuvlenDoc::MAX_SIZE - 3, bottom = CRuvlenDoc::MAX_SIZE - 3;
    for (int y = 0; y < bottom; y += 3) {
        for (int x = 0; x < right; x += 6) {
            doc->DrawRectangle(nullptr, x, y, x + 6, y + 3, 0);
            doc->PutTextHorizontal(nullptr, x + 1, y + 1, x + 5, y + 1,
                                   "\x95\x5C"
                                   "12ab");
        }
    }
    doc->DrawRectangle(nullptr, 0, 0, right, bottom, 1);
    return doc;
}
