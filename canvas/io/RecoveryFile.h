#pragma once

#include "canvas/PackedCell.h"
#include "canvas/io/TextFormat.h"

#include <cstdint>
#include <string>
#include <vector>

class CRuvlenDoc;

// What a recovery copy holds of a canvas with unsaved changes: every cell of
// the grid (also those a smaller canvas hides), the size, text size and grid
// flag, the file the canvas belongs to, its text format, what reading that
// file had changed, and when the copy was taken.
//
// On disk: a magic header and a version, the length of the body, the body, and
// a checksum of the body; all numbers little-endian. Reading refuses anything
// else (a foreign file, an unknown version, a cut or damaged copy) with a
// reason, and never a half-read canvas. Version 2 adds the box drawing's layout
// after the cells; a version 1 copy reads as the full-width layout.
struct CRecoveryFile {
    static constexpr int kVersion = 2;
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

    // A copy of the document as it stands.
    static CRecoveryFile FromDocument(const CRuvlenDoc& doc, const std::string& path,
                                      bool lossyLoad, std::int64_t savedAt);
    // Puts the copy into a fresh document: cells, size, text size, grid flag,
    // format and load flags; the document is marked modified.
    void RestoreTo(CRuvlenDoc& doc) const;

    std::string Bytes() const;
    // False, with a short reason for the user (Japanese), when the bytes are
    // not a whole, readable copy of this version; the object is then unchanged.
    bool Parse(const std::string& bytes, std::string& why);

    // Writes the copy through WriteFileSafely, so the file holds the old copy or
    // the new one, never a part. The file is readable by its owner only.
    bool Write(const std::string& filePath, std::string& error) const;
    bool Read(const std::string& filePath, std::string& why);
};
