#pragma once

#include "canvas/Archive.h"
#include "canvas/CellRect.h"

#include <string>
#include <vector>

class CRuvlenDoc;

// The Shift-JIS text file's reader and writer under the document's ReadText and
// WriteText (canvas/RuvlenDocFile.cpp); the file formats build on them
// (canvas/io/DocumentText.h).

// Reads Shift-JIS bytes exactly as ReadText does and tells, for each byte offset
// of the input in offsets (ascending), the cell its byte landed in; {-1, -1} for
// bytes that were not placed (cut off, or part of a line end).
void ReadTextLocating(CRuvlenDoc& doc, CArchive& ar, const std::vector<size_t>& offsets,
                      std::vector<CCellPoint>& cells);

// The Shift-JIS bytes of canvas line y as a file holds them: the two bytes of
// each of the canvas' columns, trailing ASCII spaces removed (full-width spaces
// kept). line must hold 2 x 99 bytes; returns how many were written.
int TextFileLine(const CRuvlenDoc& doc, int y, char* line);
