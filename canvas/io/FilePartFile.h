#pragma once

#include "canvas/io/DiagramBlocks.h"
#include "canvas/io/FilePart.h"

#include <string>
#include <vector>

class CRuvlenDoc;

// Parts of files on disk: reading a whole file with its stamp, opening a range
// of its lines on a canvas, and saving that canvas back in place or as a new
// file. Writes go through WriteFileSafely (canvas/io/SafeWrite.h).

// Reads all of a regular file (at most kMaxPartFileMiB) and its stamp.
bool ReadWholeFile(const std::string& path, std::string& bytes, CFileStamp& stamp,
                   CPartProblem& problem);

// The diagram blocks of a file, with its line count and format.
bool ReadDiagramBlocks(const std::string& path, std::vector<CDiagramBlock>& blocks, int& lines,
                       CPartProblem& problem);

// Reads lines first..last of the file into a fresh document (LoadFilePart),
// in the format DetectTextFormat and DetectBoxLayout find for the whole file.
bool OpenFilePart(CRuvlenDoc& doc, const std::string& path, int first, int last, CFilePart& part,
                  CPartProblem& problem);

// Writes the canvas back into its file in place: refused with ChangedOnDisk,
// writing nothing, when the file's size, modification time or bytes are no
// longer what was read or last written. The part then holds what was written.
bool SaveFilePart(const CRuvlenDoc& doc, CFilePart& part, CPartProblem& problem);

// Writes the whole file, the canvas's lines in place of the range, to another
// path, in the file's format (another format is refused with FormatFixed);
// the part then stands for that file's range.
bool SaveFilePartAs(const CRuvlenDoc& doc, CFilePart& part, const std::string& path,
                    const CTextFormat& format, CPartProblem& problem);

// Save for a path that may be the part's own file (the same path, or the same
// file under another name: SaveFilePart, where another format is refused with
// FormatFixed) or another one (SaveFilePartAs).
bool SaveFilePartTo(const CRuvlenDoc& doc, CFilePart& part, const std::string& path,
                    const CTextFormat& format, CPartProblem& problem);
