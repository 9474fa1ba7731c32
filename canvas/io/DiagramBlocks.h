#pragma once

#include "canvas/io/TextFormat.h"

#include <string>
#include <vector>

// A run of a file's lines that holds a diagram: lines with box-drawing
// characters, the lines between them and around them up to the nearest blank
// line. Inside a Markdown code fence (``` or ~~~) it is the fence's whole
// content, without the fence lines.
struct CDiagramBlock {
    int m_nFirst = 0; // 1-based, inclusive
    int m_nLast = 0;
    std::string m_strFirstLine; // the text of its first line, UTF-8, trailing blanks removed
};

// The diagram blocks of a whole file's bytes, from the top, in the file's format.
std::vector<CDiagramBlock> FindDiagramBlocks(const std::string& bytes, const CTextFormat& format);
