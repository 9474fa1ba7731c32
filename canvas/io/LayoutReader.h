#pragma once

#include "canvas/io/CellPlacement.h"
#include "canvas/io/TextFormat.h"

#include <string>

// Reading a text's box drawing in the layout it was written in
// (canvas/io/TextFormat.h).

// How to read it: detected, or as the user says.
enum class LayoutChoice { Detect, Wide, Narrow };

struct CLayoutReadOptions {
    LayoutChoice layout = LayoutChoice::Detect;
    // + - = | become ruled lines where they join (canvas/io/AsciiLines.h). The
    // drawing is then taken as drawn for Western widths in UTF-8 and for
    // Japanese ones in Shift-JIS, unless the layout says otherwise.
    bool asciiLines = false;
};

// Whether UTF-8 text (from byte start on) is drawn for Western fonts: its
// vertical joints (a character with a down arm above one with an up arm in the
// same column) are counted with Western widths and with Japanese ones; narrow
// when more join up with Western widths, or as many (at least one) and fewer of
// its vertical pieces and whole-cell characters start on an odd column with
// them. A function of the bytes alone, over the whole text.
bool IsNarrowDrawing(const std::string& utf8, size_t start);

// The layout of a whole file's text in a format (canvas/io/TextFormat.h): narrow
// when IsNarrowDrawing says so of UTF-8, else wide. A part of the file is read
// and written in it.
BoxLayout DetectBoxLayout(const std::string& bytes, const CTextFormat& format);

// How to read text written in a layout as that layout.
CLayoutReadOptions ReadOptionsFor(BoxLayout layout);

// What reading made of a text.
struct CLayoutReading {
    BoxLayout layout = BoxLayout::Wide; // how it was read, and how its canvas writes it
    // False: the text reads as before, with the wide reader on its own bytes.
    // True: cells.bytes holds its cells for that reader.
    bool placed = false;
    CPlacedCells cells;
    bool relaid = false;  // a diagram was re-laid onto the two-column grid
    int addedColumns = 0; // how many cells that widened it
};

// Reads a file's or the clipboard's text (bytes from start on, in UTF-8 when
// utf8, else Shift-JIS). Only the first maxLines lines are laid out; the rest is
// converted as it stands, so that a reader that stops there still sees it.
// lineEnd: a line end for every line instead of their own (the clipboard's).
CLayoutReading ReadBoxLayout(const std::string& bytes, size_t start, bool utf8,
                             const CLayoutReadOptions& options, size_t maxLines = 100,
                             const char* lineEnd = nullptr);

// What the open warning says of a re-laid diagram, in Japanese for the window
// and in English for the command line.
std::string DescribeRelayout(int addedColumns);
std::string DescribeRelayoutEnglish(int addedColumns);

// Text from another program's clipboard (UTF-8) as the Shift-JIS bytes the
// clipboard reader places (CRuvlenDoc::ImportText): a diagram drawn for Western
// fonts is re-laid as when such a file opens; anything else converts as
// UnicodeToClipboardBytes does (canvas/io/Cp932.h). No NUL, CR LF line ends.
std::string ClipboardCellBytes(const std::string& utf8);
