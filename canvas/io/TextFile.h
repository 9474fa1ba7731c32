#pragma once

#include "canvas/io/LayoutReader.h"
#include "canvas/io/TextFormat.h"

#include <string>

class CRuvlenDoc;

// Reading and writing canvas files on disk. Errors come back as a message for
// the user (Japanese), never as an exception.

// Reads at most maxBytes of the file into bytes; *more is set when the file is
// longer than that. Anything that is not a regular file (a folder, FIFO, device
// node) is refused at once, without waiting on it or reading from it.
bool ReadFileBytes(const std::string& path, std::string& bytes, size_t maxBytes, bool* more,
                   std::string& error);

// Loads the file into the document with LoadDocumentText (canvas/io/DocumentText.h):
// Shift-JIS or UTF-8, detected; the format goes to m_textFormat and what UTF-8
// text had to replace to m_loadReplacements. A file longer than the reader can
// ever place counts as cut (m_bLoadCut). A file that is not text (LooksBinary,
// canvas/io/BinaryCheck.h) is refused with kNotTextMessage. Clears the
// modified flag.
bool LoadDocumentFile(CRuvlenDoc& doc, const std::string& path, std::string& error);
// The same, reading the box drawing as options say (canvas/io/LayoutReader.h).
bool LoadDocumentFile(CRuvlenDoc& doc, const std::string& path, const CLayoutReadOptions& options,
                      std::string& error);

// Saves the document in its own format (m_textFormat) through WriteFileSafely
// (canvas/io/SafeWrite.h): atomically for a plain file, never replacing a link,
// splitting hard links, changing owner or mode, or writing over a read-only or
// non-regular file.
bool SaveDocumentFile(const CRuvlenDoc& doc, const std::string& path, std::string& error);

// Saves the document in the given format the same way (Save As with a chosen
// encoding and line ends); on success the canvas keeps that format from now on.
bool SaveDocumentFile(CRuvlenDoc& doc, const std::string& path, const CTextFormat& format,
                      std::string& error);

extern const char* const kOpenNotRegularMessage;
extern const char* const kNotTextMessage;
