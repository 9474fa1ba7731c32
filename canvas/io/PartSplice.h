#pragma once

#include <string>

class CRuvlenDoc;
struct CFilePart;

// Writing a part's canvas back into its file.

// The bytes that replace the part's range: the canvas's lines written as a
// file's lines are (DocumentText, in the file's encoding and line ends), up to
// its last line with something on it, or as many as the range had, moved up
// or down by the lines put in or taken out above its last line with something
// on it (so the blank lines that ended the range stay after the content). A
// line the canvas still writes as it wrote when read keeps the bytes it was
// read from (its trailing blanks, TABs, line end), matched in order as a line
// diff matches them, so that a canvas saved with no edits gives the range back
// byte for byte and an edit changes only the lines it touched. The range's
// last line keeps having no line end when it had none. *lines gets the number
// of lines.
std::string PartRangeText(const CRuvlenDoc& doc, const CFilePart& part, int* lines = nullptr);

// The whole file: the bytes before the range, PartRangeText, the bytes after.
std::string PartFileText(const CRuvlenDoc& doc, const CFilePart& part, int* lines = nullptr);
