#pragma once

#include <string>

// How a canvas file is stored: its encoding and its line ends. New canvases are
// Shift-JIS with CR LF; a canvas read from a file keeps that file's format.
enum class TextEncoding { ShiftJis, Utf8, Utf8Bom };
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

// Decides the format of a file's bytes. UTF-8 with a byte-order mark when the
// bytes start with one; UTF-8 when all of them are valid UTF-8 and hold at least
// one multi-byte sequence, or when they hold a valid sequence of three or four
// bytes and fewer invalid bytes than valid multi-byte sequences (the invalid
// bytes then read as 〓); Shift-JIS otherwise (pure ASCII reads the same either
// way). When truncated (only the start of a longer file was read), a sequence cut
// off at the very end does not count as invalid. Line ends: LF when the file has
// LF line ends and no CR LF at all; CR LF otherwise (CR LF, mixed, or no line end).
CTextFormat DetectTextFormat(const std::string& bytes, bool truncated = false);

// Short names for the status bar and messages: "Shift-JIS", "UTF-8",
// "UTF-8 (BOM)"; "CR LF", "LF"; "全角罫線", "半角罫線", "ASCII罫線".
const char* TextEncodingName(TextEncoding encoding);
const char* LineEndingName(LineEnding lineEnding);
const char* BoxLayoutName(BoxLayout layout);

// The format as it is written: narrow box drawing is always UTF-8, so Shift-JIS
// becomes UTF-8 there.
CTextFormat WrittenFormat(CTextFormat format);

// Whether text cells follow Western widths in this format (narrow-shown
// characters padded with a space): Narrow, and Ascii in UTF-8.
bool UsesWesternWidths(const CTextFormat& format);

// A Japanese sentence for the user on what reading replaced: how many
// characters in all, of which kind, and where the first one is. Empty when
// nothing was replaced.
std::string DescribeReplacements(const CTextReplacements& replacements);

// Its first sentence: how many characters in all, and of which kind.
std::string DescribeReplacedCharacters(const CTextReplacements& replacements);
