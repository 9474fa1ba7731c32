#pragma once

// Long text files for the tests of diagram blocks and parts of files: one made
// here in every format the reader knows, and the installed documentation.

#include "canvas/io/Cp932.h"
#include "canvas/io/TextFormat.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace part_test {

// A 130-line Markdown note (UTF-8, LF) with three diagram blocks: a fenced one
// with a blank line inside (lines 42..47 inside the fence of 41 and 48), a
// paragraph one with text around its boxes (lines 60..64), and one in a fence
// that is never closed (lines 128..130 after 127). A fence without boxes, a
// box-less paragraph, trailing blanks, a TAB and an odd half-width run before
// a full-width character are there too.
inline std::string LongNote() {
    std::vector<std::string> lines;
    const auto filler = [&lines](int until) {
        while (int(lines.size()) < until)
            lines.push_back(
                lines.size() % 7 == 6 ? "" : "本文 text line " + std::to_string(lines.size() + 1));
    };
    lines.push_back("# 長いノート");
    filler(40);
    lines.push_back("```text");
    lines.push_back("┌──────┐");
    lines.push_back("│ 入力 │   ");
    lines.push_back("└──┬───┘");
    lines.push_back("");
    lines.push_back("   │\tx");
    lines.push_back("a漢字 ──┘");
    lines.push_back("```");
    filler(58);
    lines.push_back("");
    lines.push_back("The boxes below:");
    lines.push_back("┏━━━┓  ┌──┐");
    lines.push_back("┃ A ┠──┤B │");
    lines.push_back("┗━━━┛  └──┘");
    lines.push_back("(note under the boxes)  ");
    lines.push_back("");
    lines.push_back("~~~~");
    lines.push_back("plain + ascii | art");
    lines.push_back("~~~~");
    filler(125);
    lines.push_back("");
    lines.push_back("```");
    lines.push_back("│ x │");
    lines.push_back("└───┘");
    lines.push_back("tail");
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// The same text with other line ends, a byte-order mark, in Shift-JIS, or
// without its final line end.
inline std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

inline std::string InShiftJis(const std::string& utf8) {
    return Utf8ToCp932(utf8, '?');
}

// Every format of the note, as (name, bytes).
inline std::vector<std::pair<std::string, std::string>> NoteVariants() {
    const std::string note = LongNote();
    std::string mixed = note;
    mixed.replace(mixed.find("\n"), 1, "\r\n"); // one CR LF among LFs
    return {{"utf8-lf", note},
            {"utf8-crlf", WithCrLf(note)},
            {"utf8-bom", "\xEF\xBB\xBF" + note},
            {"sjis-crlf", InShiftJis(WithCrLf(note))},
            {"sjis-lf", InShiftJis(note)},
            {"mixed", mixed},
            {"no-final-lf", note.substr(0, note.size() - 1)}};
}

// The installed documentation's long text files (more than 99 lines, no NUL
// byte, at most 4 MiB), as (path, bytes), in a fixed order.
inline std::vector<std::pair<std::string, std::string>> InstalledDocs() {
    namespace fs = std::filesystem;
    std::vector<std::pair<std::string, std::string>> docs;
    std::error_code ec;
    if (!fs::is_directory("/usr/share/doc", ec)) return docs;
    std::vector<std::string> paths;
    for (fs::recursive_directory_iterator it("/usr/share/doc", ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string path = it->path().string();
        if (it->is_symlink(ec) || !it->is_regular_file(ec) || path.size() < 4 ||
            path.compare(path.size() - 3, 3, ".gz") == 0 || it->file_size(ec) > (4u << 20))
            continue;
        paths.push_back(path);
    }
    std::sort(paths.begin(), paths.end());
    for (const std::string& path : paths) {
        std::ifstream in(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), {});
        if (bytes.find('\0') != std::string::npos) continue;
        if (std::count(bytes.begin(), bytes.end(), '\n') <= 99) continue;
        docs.emplace_back(path, std::move(bytes));
    }
    return docs;
}

} // namespace part_test
