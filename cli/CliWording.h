#pragma once

#include "canvas/TextFormat.h"

#include <string>

// "1 cell", "2 cells".
std::string Plural(int count, const char* noun);

// What tavik-cli says when characters were replaced on the way into the cells:
// the counts of each kind, then where the first was (`firstPlace`, such as
// "at line 3, column 7").
std::string ReplacementWarning(const CTextReplacements& r, const std::string& firstPlace);

// tavik-cli speaks English; the core's messages are the window's, in Japanese.
// These put them in English, quoting the window's text where a user of both may
// look for it.

// A failed open, read or save of path (`what` is the command word): why, from
// the file layer's message `japanese`, with the system's reason when it gave one.
std::string FileProblem(const std::string& what, const std::string& path,
                        const std::string& japanese);

// The text dialog's refusal of a text.
std::string DialogRefusal(const std::string& japanese);

// Why typing skipped a character.
std::string TypingProblem(const std::string& japanese);

// Why inserting lines (or columns) changed nothing: the canvas would need
// `needed` of them.
std::string NoRoomForInsert(bool lines, int needed);
