#pragma once

#include <QByteArray>
#include <QImage>

#include "canvas/CellRect.h"
#include "canvas/io/OutputFormat.h"

#include <string>
#include <vector>

class CRuvlenDoc;

// Exporting a canvas as a picture: only its cells, as the printer draws them,
// without the selection, through the cell painter the window uses, at the font
// size index's cell edge at 96 dpi (canvas/io/ExportSize.h). SVG files are written
// by the core (canvas/io/SvgExport.h).

// The cells' area, columns x d by lines x d pixels, on white or, with
// `transparent`, on a fully transparent background. A size index outside 0 to 5
// falls back to the cell edge CRuvlenDoc::GetCellSize gives it. Needs a
// QGuiApplication (the cell font).
QImage RenderCanvasImage(const CRuvlenDoc& doc, int fontSizeIndex, bool transparent);
// The same for a rectangle of the canvas's cells (canvas/io/ExportArea.h), its
// top left cell at the picture's top left corner; it must lie on the canvas.
QImage RenderCanvasImage(const CRuvlenDoc& doc, const CCellRect& cells, int fontSizeIndex,
                         bool transparent);

// RenderCanvasImage's picture encoded as a PNG file (stating 96 dpi); empty if
// encoding failed.
QByteArray CanvasPng(const CRuvlenDoc& doc, int fontSizeIndex, bool transparent);
QByteArray CanvasPng(const CRuvlenDoc& doc, const CCellRect& cells, int fontSizeIndex,
                     bool transparent);

// Writes CanvasPng's file as a PNG file through WriteFileSafely
// (canvas/io/SafeWrite.h): a failed write leaves what was at the path as it was.
// False, with a message for the user (Japanese, naming the file), for a bad
// size index or a failed write.
bool ExportPng(const CRuvlenDoc& doc, const std::string& path, int fontSizeIndex, bool transparent,
               std::string& error);
bool ExportPng(const CRuvlenDoc& doc, const CCellRect& cells, const std::string& path,
               int fontSizeIndex, bool transparent, std::string& error);

// The same cells as a one-page PDF of the picture's size, the text kept as
// text; written like ExportPng.
QByteArray CanvasPdf(const CRuvlenDoc& doc, const CCellRect& cells, int fontSizeIndex);
bool ExportPdf(const CRuvlenDoc& doc, const CCellRect& cells, const std::string& path,
               int fontSizeIndex, std::string& error);

// The table of output formats (canvas/io/OutputFormat.h) with the PNG and PDF
// writers, which paint with the window system, given to it. Needs a
// QGuiApplication to write with them.
const std::vector<COutputFormat>& WindowOutputFormats();
