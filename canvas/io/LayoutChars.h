#pragma once

#include "canvas/io/Utf8CellText.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// A text read for re-laying onto the canvas's two-column grid: its lines as
// characters, each with the cell bytes it becomes, its width in the text's own
// font and, for a ruled-line piece, its line flags.

// How wide the text's characters are shown.
enum class ColumnModel {
    Western, // East Asian Width: box-drawing and other ambiguous characters one column
    Cells    // as Japanese fonts and Shift-JIS bytes: every double-byte character two
};

struct CLayoutChar {
    char sjis[3] = {' ', 0, 0}; // its Shift-JIS form: one or two bytes, NUL-terminated
    uint8_t cols = 1;           // columns it takes in the text
    uint8_t lineFlags = 0;      // a ruled-line piece with these valid line flags; 0 for text
    int8_t change = -1;         // a CharChange the conversion made, or -1
    int32_t source = -1;        // its place among the characters read; -1 when added

    bool IsLine() const { return lineFlags != 0; }
    bool IsSpace() const { return !lineFlags && sjis[0] == ' ' && sjis[1] == 0; }
    bool IsWholeCell() const { return lineFlags || sjis[1] != 0; } // fills a cell alone
    // One column in the text, but a whole cell: the cell's second column is a
    // space, or a line piece after a ruled line.
    bool NeedsFiller() const { return IsWholeCell() && cols == 1; }
};

struct CLayoutLine {
    std::vector<CLayoutChar> chars;
    std::string eol; // "\r\n", "\n", or empty for a last line without a line end

    int Columns() const; // the line's width, trailing spaces included
};

// Turns characters into cell bytes as the UTF-8 file reader does
// (Utf8ToCellBytes), remembering each character's answer.
class CCellFormCache {
public:
    struct Form {
        char sjis[3];
        int8_t change;       // CharChange, or -1
        uint8_t westernCols; // WesternColumns of the character
    };
    const Form& Of(char32_t code, const unsigned char* utf8, size_t length);

private:
    std::unordered_map<char32_t, Form> m_forms;
};

// Splits text into lines (CR LF and LF end a line; a lone CR is a space) and
// characters: a TAB becomes spaces up to the next even column, other control
// characters a space; box-drawing characters become their nearest JIS line
// piece. source numbers the characters in reading order. UTF-8 text (from byte
// start on) converts as the UTF-8 file reader converts it; Shift-JIS bytes that
// are no character become spaces, as in the canvas file reader.
class CLineReader {
public:
    CLineReader(const std::string& bytes, size_t start, bool utf8, ColumnModel model);
    // The next line; false after the last one.
    bool Next(CLayoutLine& line);
    // Where the next line starts.
    size_t Offset() const { return m_pos; }

private:
    void Add(CLayoutLine& line, const char* sjis, int westernCols, int8_t change = -1);
    bool Control(CLayoutLine& line, bool& ended);

    const std::string& m_bytes;
    size_t m_pos;
    bool m_bUtf8;
    ColumnModel m_model;
    int m_nColumn = 0;
    int32_t m_nSource = 0;
    CCellFormCache m_forms;
};

// At most maxLines lines from the reader's start; *end is where reading stopped.
std::vector<CLayoutLine> ReadLayoutLines(const std::string& bytes, size_t start, bool utf8,
                                         ColumnModel model, size_t maxLines, size_t* end = nullptr);

// The starting column of each character of a line.
std::vector<int> CharColumns(const CLayoutLine& line);

// The index of the character starting at each column (-1 where none starts).
std::vector<int> CharAtColumn(const CLayoutLine& line);
