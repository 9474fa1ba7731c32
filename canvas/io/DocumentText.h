#pragma once

#include "canvas/Archive.h"
#include "canvas/CellRect.h"
#include "canvas/TextLines.h"
#include "canvas/io/LayoutReader.h"
#include "canvas/io/TextFormat.h"

#include <string>
#include <vector>

class CRuvlenDoc;

// The canvas file as bytes, in each of its formats (canvas/TextFormat.h).

// Loads a file's bytes into the document: detects the format (DetectTextFormat),
// converts UTF-8 to the cells' Shift-JIS bytes (Utf8ToCellBytes), places the
// cells with the reader of ReadText, and records the format in m_textFormat and
// what the conversion replaced in m_loadReplacements, the file's line count and
// final line end (m_nFileLines, m_bFileFinalLineEnd), and where writing the
// canvas back would first differ from bytes in m_loadRoundTrip. truncated:
// bytes is only the start of a longer file. The box drawing is read in the
// layout options say or ReadBoxLayout detects (canvas/io/LayoutReader.h); the
// layout joins the format, and whether a diagram had to be re-laid onto the
// grid goes to m_bLoadRelaid and m_nLoadAddedColumns.
void LoadDocumentText(CRuvlenDoc& doc, const std::string& bytes, bool truncated = false,
                      const CLayoutReadOptions& options = CLayoutReadOptions());

// The same in a format decided elsewhere (a part of a file is read in the
// format of the whole file), its box drawing in the format's layout.
void LoadDocumentTextAs(CRuvlenDoc& doc, const std::string& bytes, const CTextFormat& format,
                        bool truncated = false);

// The document as file bytes in the given format: per line the cells' bytes
// in the format's box layout (canvas/io/LayoutText.h) with trailing ASCII
// spaces removed, converted to UTF-8 for the UTF-8 formats (after the
// byte-order mark for UTF-8 with mark), then the line end. Narrow box drawing
// is always written as UTF-8. Lines as
// SavedLineCount says; the last one without a line end when the file read had
// none. For a canvas never read from a file, Shift-JIS with CR LF is exactly
// what WriteText writes. A cell that Shift-JIS cannot decode is written as
// U+FFFD in UTF-8, as the window shows it.
std::string DocumentText(const CRuvlenDoc& doc, const CTextFormat& format);

// How many lines a save writes: one per canvas line for a canvas never read from
// a file; otherwise the file's own line count, or up to the last line with
// something on it when that is further down; never more than the canvas has.
int SavedLineCount(const CRuvlenDoc& doc);
