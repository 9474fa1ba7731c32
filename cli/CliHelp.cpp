#include "cli/CliHelp.h"

#include "cli/CliSession.h"
#include "tools/CommandRegistry.h"
#include "tools/ToolRegistry.h"

#include <cstring>
#include <sstream>

namespace {

constexpr size_t kHelpColumn = 23; // where explanations start
constexpr size_t kLineWidth = 80;

const char* const kUsage =
    "usage: tavik-cli [SCRIPT | -]\n"
    "       tavik-cli -e 'CMD[; CMD...]' [-e ...]\n"
    "\n"
    "Runs commands against one canvas (40 x 30, thick lines, rectangle tool).\n"
    "Scripts are UTF-8, one command a line; '#' starts a comment line.\n"
    "Cells are 0-based, column first. Quoted text: \"...\" with \\\" \\\\ \\n.\n";

const char* const kEditNotes =
    "paste and tpaste wait for the next drag or click; delete blanks the\n"
    "selection. insertlines and insertcols put as many blank lines (columns) as\n"
    "the selection is tall (wide) above (left of) it; deletelines and deletecols\n"
    "remove its lines (columns); ruled lines stay joined across the seam.\n";

const char* const kNotes =
    "Every cell is two columns wide. Japanese fonts show box drawing full-width;\n"
    "Western fonts (terminals, code editors, code hosting sites) show it one\n"
    "column wide: save ... narrow, copy narrow and export FILE.md write it so.\n"
    "\n"
    "Example: a thin line through the diagram of a UTF-8 Markdown file, saved in\n"
    "the file's own encoding and line ends:\n"
    "  tavik-cli -e 'open notes.md; weight thin; tool vline; drag 6 1 6 3; save notes.md'\n"
    "The same for the second diagram of a long README, the rest left as it is:\n"
    "  tavik-cli -e 'open README.md diagram 2; tool htext; drag 2 1 9 1 \"label\"; save'\n";

// "  name ARGS", then the explanation from kHelpColumn on, one line per line of it.
// At least two blanks part a head from its explanation; a longer head gets a
// line of its own.
void AddEntry(std::ostream& out, const CCliSession::CWord& word) {
    std::string head = std::string("  ") + word.name;
    if (*word.arguments) head += std::string(" ") + word.arguments;
    const std::string indent(kHelpColumn, ' ');
    std::istringstream lines(word.help);
    std::string line;
    bool first = true;
    while (std::getline(lines, line)) {
        if (first && head.size() + 2 <= kHelpColumn)
            out << head << std::string(kHelpColumn - head.size(), ' ') << line << "\n";
        else if (first)
            out << head << "\n" << indent << line << "\n";
        else
            out << indent << line << "\n";
        first = false;
    }
}

// The words after two blanks, as many to a line as fit.
void AddWordLines(std::ostream& out, const std::vector<std::string>& words) {
    std::string line = " ";
    for (const std::string& word : words) {
        if (line.size() + 1 + word.size() > kLineWidth) {
            out << line << "\n";
            line = " ";
        }
        line += " " + word;
    }
    out << line << "\n";
}

// A registry word the session explains among its own commands is listed there
// only, not again among the bare edit commands.
bool HasOwnEntry(const std::string& word) {
    for (const CCliSession::CWord& own : CCliSession::Words())
        if (word == own.name) return true;
    return false;
}

} // namespace

std::string CliHelp() {
    std::ostringstream out;
    out << kUsage << "\nCommands:\n";
    for (const CCliSession::CWord& word : CCliSession::Words()) AddEntry(out, word);

    out << "\nTools, for tool NAME (as the toolbar orders them):\n";
    std::vector<std::string> tools;
    for (const CToolRow& row : ToolRows()) tools.push_back(row.cliName);
    AddWordLines(out, tools);

    out << "\nEdit commands, without arguments:\n";
    std::vector<std::string> edits;
    // A word of two (copy narrow) is a form of a command listed above.
    for (const CCommandRow& row : CommandRegistry())
        if (row.cliWord && !std::strchr(row.cliWord, ' ') && !HasOwnEntry(row.cliWord))
            edits.push_back(row.cliWord);
    AddWordLines(out, edits);
    out << kEditNotes << "\n" << kNotes;
    return out.str();
}
