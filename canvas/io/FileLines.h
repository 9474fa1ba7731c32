#pragma once

#include "canvas/io/TextFormat.h"

#include <cstddef>
#include <string>
#include <vector>

// One line of a file's bytes: [m_nStart, m_nEnd) with its line end,
// [m_nStart, m_nContentEnd) without it.
struct CFileLine {
    size_t m_nStart = 0;
    size_t m_nContentEnd = 0;
    size_t m_nEnd = 0;
};

// The file's lines as the reader counts them: every LF ends a line (CR LF is
// one line end, a lone CR is part of the line), and bytes after the last LF
// are one more line. A byte-order mark of the format comes before line 1.
std::vector<CFileLine> SplitFileLines(const std::string& bytes, const CTextFormat& format);

// Whether the line holds nothing but blanks (spaces, TABs, full-width spaces,
// a CR), in the format's encoding.
bool IsBlankFileLine(const std::string& bytes, const CFileLine& line, TextEncoding encoding);

// The line's text without its line end, as UTF-8 (converted from Shift-JIS).
std::string FileLineUtf8(const std::string& bytes, const CFileLine& line, TextEncoding encoding);
