#pragma once

#include "canvas/CellRect.h"

#include <string>
#include <vector>

class CRuvlenDoc;

// Every format the canvas's cells can be exported to, in one table: the export
// dialog, `tavik --export` and tavik-cli's `export` are built from its rows, so
// that a new format is one row and one writer.

// What a format takes besides the cells it writes.
enum OutputOption : unsigned {
    kOutputSize = 1,        // a character size (canvas/io/ExportSize.h)
    kOutputTransparent = 2, // no background
};

struct COutputRequest {
    CCellRect cells; // which cells (canvas/io/ExportArea.h)
    int fontSize = 2;
    bool transparent = false;
};

// Writes the cells to the file safely (canvas/io/SafeWrite.h); false with a
// message for the user (Japanese, naming the file).
using OutputWriter = bool (*)(const CRuvlenDoc& doc, const COutputRequest& request,
                              const std::string& path, std::string& error);

struct COutputFormat {
    const char* name;    // the word that names it: png, svg, pdf, md, txt, narrow, ascii
    const char* suffix;  // the file name's extension, without the dot
    const char* filter;  // the file dialog's filter text
    unsigned options;    // OutputOption bits
    OutputWriter writer; // null while the window layer has not given it (PNG, PDF)
};

// The rows in the order the export dialog lists them: PNG, SVG, PDF, Markdown,
// then text in the wide, narrow and ASCII layouts.
const std::vector<COutputFormat>& OutputFormats();

// Gives the writer of a row whose pictures need the window system's painter
// (view/ImageExport.h).
void SetOutputWriter(const char* name, OutputWriter writer);

const COutputFormat* FindOutputFormat(const std::string& name);
// The first row whose suffix the path ends in (in any case), or null.
const COutputFormat* OutputFormatForPath(const std::string& path);

// The text formats' files. Markdown: the cells in the narrow layout, as a fenced
// ```text block in UTF-8 with LF line ends, ready for a README. Text: the cells'
// lines in the layout, trailing spaces removed, in the canvas's encoding and
// line ends (UTF-8 for the narrow layout).
std::string MarkdownText(const CRuvlenDoc& doc, const CCellRect& cells);
