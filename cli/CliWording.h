#pragma once

#include "canvas/io/TextFormat.h"

#include <string>

// "1 cell", "2 cells".
std::string Plural(int count, const char* noun);

// What tavik-cli says when characters were replaced on the way into the cells:
// the counts of each kind, then where the first was (`firstPlace`, such as
// "at line 3, column 7").
std::string ReplacementWarning(const CTextReplacements& r, const std::string& firstPlace);
