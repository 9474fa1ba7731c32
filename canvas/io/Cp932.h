#pragma once

// Conversion between the Shift-JIS bytes that cells and files keep (Windows-31J, code page 932)
// and UTF-8. Used only at the edges: painting, the system clipboard, the text dialog and the
// command line. No Qt, so the core and the command line can use it.

#include <string>

// Decodes Shift-JIS bytes to UTF-8. A byte sequence that cannot be decoded becomes U+FFFD;
// any input is accepted. Returns false only when the system has no CP932 converter; utf8 then
// holds the ASCII bytes of the input and U+FFFD for all others.
bool Cp932ToUtf8(const std::string& sjis, std::string& utf8);

// Encodes UTF-8 to Shift-JIS. A character with no CP932 form, and every invalid UTF-8
// sequence, becomes the single byte `unmappable`. Common look-alikes are accepted: U+301C
// wave dash, U+2212 minus, U+2016, U+2014, U+00A2, U+00A3, U+00AC, U+00C5 (as the
// angstrom sign) and U+00A5 (as 0x5C).
std::string Utf8ToCp932(const std::string& utf8, char unmappable);

// Copied canvas bytes (Shift-JIS, CR LF line ends, possibly NUL-terminated) to UTF-8 text with
// LF line ends. The text ends at the first NUL, as a NUL-terminated clipboard string does.
std::string ClipboardBytesToUnicode(const std::string& bytes);

// UTF-8 text from another program to Shift-JIS bytes for the clipboard reader: every line end
// (CR LF, LF, CR) becomes CR LF; a character with no CP932 form (or an invalid sequence)
// becomes 〓 (0x81 0xAC), as it does in an opened file; NUL becomes 0xFF, which the reader
// treats as undecodable. The result holds no NUL and is not NUL-terminated.
std::string UnicodeToClipboardBytes(const std::string& utf8);
