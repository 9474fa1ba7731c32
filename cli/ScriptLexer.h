#pragma once

#include <string>
#include <vector>

// One word of a script line; quoted words keep their text exactly (escapes
// resolved) and remember that they were quoted.
struct CScriptWord {
    std::string text;
    bool quoted = false;
};

// Splits a line into words separated by blanks. A quoted string is in double
// quotes with \", \\ and \n escapes. Returns false with a message on a broken line.
bool SplitWords(const std::string& line, std::vector<CScriptWord>& words, std::string& error);

// Splits the text of one -e argument into commands at semicolons and line
// breaks outside quotes.
std::vector<std::string> SplitCommands(const std::string& text);

// True for a line that holds no command: blank, or starting with '#'.
bool IsCommentOrBlank(const std::string& line);
