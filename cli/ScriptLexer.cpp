#include "cli/ScriptLexer.h"

namespace {

// CR counts as a blank, so that a script with CR LF line ends reads as one with LF.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Reads a quoted string starting after the opening quote at line[i].
bool ReadQuoted(const std::string& line, size_t& i, std::string& out, std::string& error) {
    for (; i < line.size(); ++i) {
        char c = line[i];
        if (c == '"') {
            ++i;
            return true;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= line.size()) break;
        switch (line[i]) {
        case '"':
            out += '"';
            break;
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        default:
            error = std::string("unknown escape \\") + line[i] + " in a quoted string";
            return false;
        }
    }
    error = "unterminated quoted string";
    return false;
}

} // namespace

bool SplitWords(const std::string& line, std::vector<CScriptWord>& words, std::string& error) {
    words.clear();
    size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        CScriptWord word;
        if (line[i] == '"') {
            word.quoted = true;
            ++i;
            if (!ReadQuoted(line, i, word.text, error)) return false;
            // "a"b is an error rather than two words run together.
            if (i < line.size() && !IsBlank(line[i])) {
                error = "a quoted string must be followed by a blank";
                return false;
            }
        } else {
            while (i < line.size() && !IsBlank(line[i])) word.text += line[i++];
        }
        words.push_back(word);
    }
    return true;
}

std::vector<std::string> SplitCommands(const std::string& text) {
    std::vector<std::string> commands(1);
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        // Escapes pass through as they are (SplitWords resolves them), and an
        // escaped quote does not end the quoted part.
        if (quoted && c == '\\' && i + 1 < text.size()) {
            commands.back() += c;
            commands.back() += text[++i];
            continue;
        }
        if (c == '"') quoted = !quoted;
        if ((c == ';' || c == '\n') && !quoted)
            commands.emplace_back();
        else
            commands.back() += c;
    }
    return commands;
}

bool IsCommentOrBlank(const std::string& line) {
    size_t i = line.find_first_not_of(" \t\r");
    return i == std::string::npos || line[i] == '#';
}
