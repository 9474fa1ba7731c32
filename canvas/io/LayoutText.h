#pragma once

#include "canvas/CellRect.h"
#include "canvas/io/TextFormat.h"

#include <string>

class CRuvlenDoc;

// The canvas's cells written in a box-drawing layout (canvas/io/TextFormat.h),
// as Shift-JIS bytes; the narrow and ASCII layouts hold only characters that
// Shift-JIS has, so converting the result to UTF-8 gives the text.

// The bytes of cells left..right of canvas line y, trailing spaces kept.
// westernWidths: a double-byte character shown narrow in Western fonts is
// followed by a space. The wide layout is the cells' own bytes.
void AppendLayoutCells(const CRuvlenDoc& doc, int y, int left, int right, BoxLayout layout,
                       bool westernWidths, std::string& out);

// The lines of a rectangle of cells in the format's layout, trailing spaces
// removed, each followed by eol; still Shift-JIS bytes (EncodeLayoutText).
std::string LayoutLines(const CRuvlenDoc& doc, const CCellRect& cells, const CTextFormat& format,
                        const char* eol);

// Shift-JIS bytes in the format's written encoding (WrittenFormat): as they
// are, or UTF-8 (after a byte-order mark for UTF-8 with mark).
std::string EncodeLayoutText(const std::string& sjis, const CTextFormat& format);

// The selection in the narrow or ASCII layout for the clipboard: Western
// widths, per line trailing spaces removed and CR LF, then one NUL (the form
// CRuvlenDoc::CopyToClipboard gives). No selection: just the NUL.
std::string CopySelectionInLayout(const CRuvlenDoc& doc, BoxLayout layout);
