#pragma once

#include <string>

class CRuvlenDoc;

// Reading and writing canvas files on disk. Errors come back as a message for
// the user (Japanese), never as an exception.

// Reads at most maxBytes of the file into bytes; *more is set when the file is
// longer than that. Anything that is not a regular file (a folder, FIFO, device
// node) is refused at once, without waiting on it or reading from it.
bool ReadFileBytes(const std::string& path, std::string& bytes, size_t maxBytes, bool* more,
                   std::string& error);

// Loads the file into the document with ReadText. A file longer than the reader
// can ever place counts as cut (m_bLoadCut).
bool LoadDocumentFile(CRuvlenDoc& doc, const std::string& path, std::string& error);

// Saves the document with WriteText through WriteFileSafely (canvas/SafeWrite.h):
// atomically for a plain file, never replacing a link, splitting hard links,
// changing owner or mode, or writing over a read-only or non-regular file.
bool SaveDocumentFile(const CRuvlenDoc& doc, const std::string& path, std::string& error);

extern const char* const kOpenNotRegularMessage;
