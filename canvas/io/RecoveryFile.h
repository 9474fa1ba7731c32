#pragma once

#include "canvas/PackedCell.h"
#include "canvas/io/FilePart.h"
#include "canvas/io/TextFormat.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CPrivateFolder;
class CRuvlenDoc;

// What a recovery copy holds of a canvas with unsaved changes: every cell of
// the grid (also those a smaller canvas hides), the size, text size and grid
// flag, the file the canvas belongs to, its text format, what reading that
// file had changed, when the copy was taken, and, for a canvas that stands for
// a part of its file, that part (from version 2 on).
//
// On disk: a magic header and a version, the length of the body, the body, and
// a checksum of the body; all numbers little-endian. Reading refuses anything
// else (a foreign file, an unknown version, a cut or damaged copy) with a
// reason, and never a half-read canvas. It also refuses what no edit can make,
// even with a right checksum: a cell that the file reader would not give
// (bytes that are not whole Shift-JIS characters, control bytes, a line cell
// whose flags have no glyph or whose text is not that glyph), and a file path
// that is not absolute or holds control characters. Version 2 adds the part of
// a file, version 3 the box drawing's layout after it; older copies read as
// the full-width layout.
struct CRecoveryFile {
    static constexpr int kVersion = 3;
    static constexpr int kGrid = 100;

    std::string m_path;          // the canvas's file; empty for a canvas never saved
    std::int64_t m_nSavedAt = 0; // milliseconds since 1970-01-01 UTC
    int m_nColumns = 40;
    int m_nLines = 30;
    int m_nFontSize = 2;
    int m_bGrid = 1;
    CTextFormat m_format;
    bool m_bLossyLoad = false; // saving over the file loses what reading it changed
    int m_bLoadWrapped = 0;
    int m_bLoadCut = 0;
    int m_nFileLines = -1;       // lines of the file the canvas was read from; -1: none
    int m_bFileFinalLineEnd = 1; // whether that file ended with a line end
    CTextReplacements m_replacements;
    std::vector<CPackedCell> m_cells = std::vector<CPackedCell>(kGrid * kGrid);
    // The part of m_path the canvas stands for; its path and format are the
    // copy's m_path and m_format.
    std::optional<CFilePart> m_part;

    // A copy of the document as it stands.
    static CRecoveryFile FromDocument(const CRuvlenDoc& doc, const std::string& path,
                                      bool lossyLoad, std::int64_t savedAt);
    // Puts the copy into a fresh document: cells, size, text size, grid flag,
    // format and load flags; the document is marked modified.
    void RestoreTo(CRuvlenDoc& doc) const;

    std::string Bytes() const;
    // False, with a short reason for the user (Japanese), when the bytes are
    // not a whole, readable copy of this version or an earlier one; the object
    // is then unchanged.
    bool Parse(const std::string& bytes, std::string& why);

    // Writes the copy as NAME in the folder (CPrivateFolder::WriteFile), so the
    // file holds the old copy or the new one, never a part, and is readable by
    // its owner only.
    bool Write(const CPrivateFolder& folder, const std::string& name, std::string& error) const;
    // Reads NAME from the folder: a regular file of this user's, never a link.
    bool Read(const CPrivateFolder& folder, const std::string& name, std::string& why);
};
