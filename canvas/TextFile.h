#pragma once

#include <string>

class CRuvlenDoc;

// Reading and writing canvas files on disk. Errors come back as a message for
// the user (Japanese), never as an exception.

// Reads at most maxBytes of the file into bytes; *more is set when the file is
// longer than that.
bool ReadFileBytes(const std::string& path, std::string& bytes, size_t maxBytes, bool* more,
                   std::string& error);

// Writes the bytes to a temporary file in the same folder and renames it over
// the target, so a failed write leaves the old file as it was.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

// Loads the file into the document with ReadText. A file longer than the reader
// can ever place counts as cut (m_bLoadCut).
bool LoadDocumentFile(CRuvlenDoc& doc, const std::string& path, std::string& error);

// Saves the document with WriteText, atomically.
bool SaveDocumentFile(const CRuvlenDoc& doc, const std::string& path, std::string& error);
