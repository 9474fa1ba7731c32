#pragma once

// How a canvas file is stored: its encoding and its line ends. New canvases are
// Shift-JIS with CR LF; a canvas read from a file keeps that file's format.
enum class TextEncoding { ShiftJis, Utf8, Utf8Bom };
// The last of them: stored files keep an encoding as its number up to this.
constexpr TextEncoding kLastTextEncoding = TextEncoding::Utf8Bom;
enum class LineEnding { CrLf, Lf };

// How box-drawing is written; every cell is two columns wide in all three.
// - Wide: box characters as full-width cells, as Japanese fonts show them.
// - Narrow: for Western fonts, where ─ │ ┌ are one column wide: a line cell's
//   character, then the horizontal line of its right arm (or a space); UTF-8.
// - Ascii: + for corners and junctions, - and = for thin and thick
//   horizontals, | for verticals, each followed by - or = for a right arm.
// In Narrow, and in Ascii written as UTF-8, a double-byte character that
// Western fonts show one column wide is followed by a space.
enum class BoxLayout { Wide, Narrow, Ascii };
// The last of them: stored files keep a layout as its number up to this.
constexpr BoxLayout kLastBoxLayout = BoxLayout::Ascii;

struct CTextFormat {
    TextEncoding m_encoding = TextEncoding::ShiftJis;
    LineEnding m_lineEnding = LineEnding::CrLf;
    BoxLayout m_layout = BoxLayout::Wide;

    bool operator==(const CTextFormat& o) const {
        return m_encoding == o.m_encoding && m_lineEnding == o.m_lineEnding &&
               m_layout == o.m_layout;
    }
    bool operator!=(const CTextFormat& o) const { return !(*this == o); }
};

// What reading a UTF-8 file had to change so that its text fits the Shift-JIS
// cells. Only characters that landed on the canvas are counted (what a cut
// dropped is told by m_bLoadCut). Saving does not give the originals back.
struct CTextReplacements {
    int m_nBoxChars = 0;   // box-drawing characters outside JIS, now the nearest JIS line cell
    int m_nLookAlikes = 0; // read as a Shift-JIS look-alike that saves as another character
    int m_nUnmappable = 0; // no Shift-JIS form (or invalid UTF-8): now the replacement cell 〓
    // The cell holding the first of them in reading order, 1-based as a user
    // counts lines and columns; 0 when nothing was replaced.
    int m_nFirstLine = 0;
    int m_nFirstColumn = 0;
    // The first of each kind, the same way (line, column); 0 when unknown.
    struct Place {
        int line = 0;
        int column = 0;
    };
    Place m_firstBoxChar, m_firstLookAlike, m_firstUnmappable;

    int Total() const { return m_nBoxChars + m_nLookAlikes + m_nUnmappable; }
    bool Any() const { return Total() > 0; }
};

// The Shift-JIS cell that stands for a character with no Shift-JIS form: 〓, the
// mark Japanese text has long used for a missing character. Unlike ？ it is rare
// in real text, so a replacement stays visible as one.
#define SJIS_REPLACEMENT "\x81\xAC"
