#pragma once

#include "canvas/TextFormat.h"

#include <string>

// Decides the format of a file's bytes. UTF-8 with a byte-order mark when the
// bytes start with one; UTF-8 when all of them are valid UTF-8 and hold at least
// one multi-byte sequence, or when they hold a valid sequence of three or four
// bytes and fewer invalid bytes than valid multi-byte sequences (the invalid
// bytes then read as 〓); Shift-JIS otherwise (pure ASCII reads the same either
// way). When truncated (only the start of a longer file was read), a sequence cut
// off at the very end does not count as invalid. Line ends: LF when the file has
// LF line ends and no CR LF at all; CR LF otherwise (CR LF, mixed, or no line end).
CTextFormat DetectTextFormat(const std::string& bytes, bool truncated = false);

// Short names for the status bar and messages: "Shift-JIS", "UTF-8",
// "UTF-8 (BOM)"; "CR LF", "LF"; "全角罫線", "半角罫線", "ASCII罫線".
const char* TextEncodingName(TextEncoding encoding);
const char* LineEndingName(LineEnding lineEnding);
const char* BoxLayoutName(BoxLayout layout);

// The format as it is written: narrow box drawing is always UTF-8, so Shift-JIS
// becomes UTF-8 there.
CTextFormat WrittenFormat(CTextFormat format);

// Whether text cells follow Western widths in this format (narrow-shown
// characters padded with a space): Narrow, and Ascii in UTF-8.
bool UsesWesternWidths(const CTextFormat& format);

// A Japanese sentence for the user on what reading replaced: how many
// characters in all, of which kind, and where the first one is. Empty when
// nothing was replaced.
std::string DescribeReplacements(const CTextReplacements& replacements);

// Its first sentence: how many characters in all, and of which kind.
std::string DescribeReplacedCharacters(const CTextReplacements& replacements);
