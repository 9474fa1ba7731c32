#pragma once

#include "canvas/CellRect.h"

#include <string>

class CRuvlenDoc;

// Exporting a canvas as an SVG 1.1 picture: only its cells, as the printer draws
// them, without the selection. Box-drawing cells become the same pixel-aligned
// rectangles as on the screen; every other non-blank cell becomes a <text>
// element with each character placed explicitly, so the layout never depends on
// the viewer's font, and the text stays selectable. The picture is the cells'
// area at the font size index's cell edge at 96 dpi (canvas/io/ExportSize.h).

struct CSvgExportOptions {
    bool transparent = false; // leave out the white background
};

// The whole SVG file as UTF-8. A size index outside 0 to 5 falls back to the
// cell edge CRuvlenDoc::GetCellSize gives it; callers check it first.
std::string ExportSvg(const CRuvlenDoc& doc, int fontSizeIndex,
                      const CSvgExportOptions& options = CSvgExportOptions());

// The picture of a rectangle of the canvas's cells (canvas/io/ExportArea.h),
// laid out as the whole canvas's is, with the rectangle's top left cell at the
// picture's top left corner. The rectangle must lie on the canvas.
std::string ExportSvg(const CRuvlenDoc& doc, const CCellRect& cells, int fontSizeIndex,
                      const CSvgExportOptions& options = CSvgExportOptions());

// Writes ExportSvg's file through WriteFileSafely (canvas/io/SafeWrite.h): a failed
// write leaves what was at the path as it was. False, with a message for the
// user (Japanese, naming the file), for a bad size index or a failed write.
bool ExportSvgFile(const CRuvlenDoc& doc, const std::string& path, int fontSizeIndex,
                   std::string& error, const CSvgExportOptions& options = CSvgExportOptions());
bool ExportSvgFile(const CRuvlenDoc& doc, const CCellRect& cells, const std::string& path,
                   int fontSizeIndex, std::string& error,
                   const CSvgExportOptions& options = CSvgExportOptions());
