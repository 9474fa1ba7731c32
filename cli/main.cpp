// tavik-cli: runs a script of commands against one canvas.
#include "cli/CliSession.h"
#include "cli/ScriptLexer.h"

#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const kHelp =
    "usage: tavik-cli [SCRIPT | -]\n"
    "       tavik-cli -e 'CMD[; CMD...]' [-e ...]\n"
    "\n"
    "Runs commands against one canvas (40 x 30, thick lines, rectangle tool).\n"
    "Scripts are UTF-8, one command a line; '#' starts a comment line.\n"
    "Cells are 0-based, column first. Quoted text: \"...\" with \\\" \\\\ \\n.\n"
    "\n"
    "  new C L              a fresh canvas of C columns and L lines (10..99)\n"
    "  open FILE            read a Shift-JIS text file into a fresh canvas\n"
    "  save FILE            write the canvas (Shift-JIS, CR LF)\n"
    "  show                 print the canvas as UTF-8\n"
    "  size C L             change columns and lines; cells are kept\n"
    "  tool NAME            select hline vline rect erase symbol htext vtext\n"
    "  weight thin|thick    the line weight\n"
    "  drag X1 Y1 X2 Y2 [\"TEXT\"]  press, move and release with the current tool;\n"
    "                       TEXT answers the text dialog of the text tools\n"
    "  click X Y [\"TEXT\"]   drag X Y X Y\n"
    "  rclick X Y ARM       right button on the arm (right down left up) of a cell\n"
    "  pick CATEGORY SLOT   choose a palette symbol (0..9, 0..59)\n"
    "  copy cut paste tpaste undo selectall clear rotate90 rotate180 fliph flipv\n"
    "                       paste and tpaste wait for the next drag or click\n"
    "  clipboard \"TEXT\"     put text on the clipboard\n"
    "  clipboard            print the clipboard's text\n";

struct Line {
    int number;
    std::string text;
};

int Usage(const std::string& message) {
    std::cerr << "tavik-cli: " << message << "\nTry 'tavik-cli --help'.\n";
    return 2;
}

std::vector<Line> ReadLines(std::istream& in) {
    std::vector<Line> lines;
    std::string text;
    for (int n = 1; std::getline(in, text); ++n) lines.push_back({n, text});
    return lines;
}

// Runs every command; stops at the first failure with status 1.
int RunScript(const std::vector<Line>& lines) {
    CCliSession session(std::cout, std::cerr);
    for (const Line& line : lines) {
        if (IsCommentOrBlank(line.text)) continue;
        std::vector<CScriptWord> words;
        std::string error;
        bool ok =
            SplitWords(line.text, words, error) && (words.empty() || session.Run(words, error));
        if (!ok) {
            std::cout.flush();
            std::cerr << "tavik-cli: line " << line.number << ": " << error << "\n";
            return 1;
        }
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    std::vector<Line> lines;
    std::string scriptPath;
    int inlineCount = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kHelp;
            return 0;
        }
        if (arg == "-e") {
            if (++i >= argc) return Usage("-e needs a command");
            ++inlineCount;
            for (const std::string& cmd : SplitCommands(argv[i]))
                lines.push_back({inlineCount, cmd});
        } else if (arg.size() > 1 && arg[0] == '-') {
            return Usage("unknown option " + arg);
        } else if (!scriptPath.empty()) {
            return Usage("only one SCRIPT may be given");
        } else {
            scriptPath = arg;
        }
    }
    if (inlineCount > 0 && !scriptPath.empty()) return Usage("give either SCRIPT or -e, not both");
    if (inlineCount > 0) return RunScript(lines);
    if (scriptPath.empty() || scriptPath == "-") return RunScript(ReadLines(std::cin));
    std::ifstream file(scriptPath, std::ios::binary);
    if (!file) return Usage("cannot read the script " + scriptPath + ": " + std::strerror(errno));
    return RunScript(ReadLines(file));
}
