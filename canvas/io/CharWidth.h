#pragma once

// How wide characters are in Western monospace fonts (terminals, code editors,
// code hosting sites), from Unicode's East Asian Width property as ICU gives it:
// Wide and Fullwidth characters take two columns; Ambiguous, Neutral, Narrow
// and Halfwidth ones take one. Japanese fonts show every double-byte Shift-JIS
// character two columns wide, so the two worlds differ on the ambiguous ones:
// → ○ ■ × ① ‘ ’, Greek, Cyrillic and the box-drawing characters.

// 1 or 2.
int WesternColumns(char32_t code);

// Whether the double-byte Shift-JIS character lead trail is shown one column
// wide in a Western font. Answered from a table of the whole Shift-JIS
// repertoire, built from ICU on first use. False for anything that is not a
// double-byte character.
bool IsNarrowInWesternFonts(unsigned char lead, unsigned char trail);
