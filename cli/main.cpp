// tavik-cli: runs a script of commands against one canvas.
#include "cli/CliSession.h"
#include "cli/ScriptLexer.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
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
    "  open FILE [wide|narrow] [ascii]  read a text file into a fresh canvas:\n"
    "                       UTF-8 when it has a byte-order mark or is valid UTF-8\n"
    "                       with non-ASCII text, Shift-JIS otherwise; warns of\n"
    "                       characters it replaced; a file longer than 99 lines or\n"
    "                       wider than 99 cells is cut, and the warning lists its\n"
    "                       diagram blocks. Box drawing is full-width (wide) or\n"
    "                       half-width as Western fonts show it (narrow), told\n"
    "                       apart by where vertical lines join unless given;\n"
    "                       narrow diagrams drawn elsewhere are re-laid onto the\n"
    "                       two-column grid, with a warning. ascii: + - = | become\n"
    "                       lines where they join\n"
    "  open FILE LINES      read only lines of FILE, to save them back in place:\n"
    "                       LINES is FIRST-LAST (1-based) or diagram N\n"
    "  diagrams FILE        list FILE's diagram blocks, one a line: FIRST-LAST and\n"
    "                       the block's first line\n"
    "  save FILE [ENC] [EOL] [BOX]  write the canvas in the format of the file it\n"
    "                       was read from (a new canvas: sjis crlf wide), or in\n"
    "                       encoding ENC (sjis utf8 utf8-bom), line ends EOL (crlf\n"
    "                       lf) and box drawing BOX (wide; narrow, always UTF-8;\n"
    "                       ascii), which the canvas then keeps; after open FILE\n"
    "                       LINES, the whole file with the canvas's lines in place\n"
    "                       of LINES\n"
    "  save                 after open FILE LINES: write them back into FILE, every\n"
    "                       other byte as it was; exits 1, writing nothing, when\n"
    "                       FILE changed on disk since it was read\n"
    "  show                 print the canvas as UTF-8\n"
    "  size C L             change columns and lines; cells are kept\n"
    "  tool NAME            select hline vline rect erase symbol htext vtext type\n"
    "  weight thin|thick    the line weight\n"
    "  drag X1 Y1 X2 Y2 [\"TEXT\"]  press, move and release with the current tool;\n"
    "                       TEXT answers the text dialog of the text tools\n"
    "  click X Y [\"TEXT\"]   drag X Y X Y\n"
    "  rclick X Y ARM       right button on the arm (right down left up) of a cell\n"
    "  caret X Y            with tool type: put the typing caret on a cell\n"
    "  type \"TEXT\"          type TEXT at the caret (\\n is Enter)\n"
    "  key NAME             left right up down home end backspace delete enter esc tab,\n"
    "                       shift+tab ctrl+home ctrl+end; shift+left/right/up/down draw\n"
    "                       a line; in a table cell they edit the cell, tab goes to the\n"
    "                       next field\n"
    "  pick CATEGORY SLOT   choose a palette symbol (0..9, 0..59)\n"
    "  copy cut paste tpaste undo redo selectall clear rotate90 rotate180 fliph flipv\n"
    "                       paste and tpaste wait for the next drag or click\n"
    "  copy wide|narrow|ascii  copy the selection with full-width (as copy),\n"
    "                       half-width or ASCII box drawing\n"
    "  undolevels N         keep N undo steps (1..100, default 1: a second undo\n"
    "                       takes the undo back); redo steps forward again\n"
    "  export FILE [SIZE] [used]  write the canvas's cells as an SVG picture\n"
    "                       (FILE.svg) at font size SIZE (0..5; default the\n"
    "                       canvas's own, 2 for a new one), as a fenced block of\n"
    "                       half-width box drawing for Markdown (FILE.md), or as\n"
    "                       text (FILE.txt, full-width box drawing); used: only\n"
    "                       the rectangle of non-blank cells\n"
    "  table FILE [thin|thick] [header] [compact] [transparent]  a ruled table\n"
    "                       from CSV or tab-separated data (FILE - : the\n"
    "                       clipboard's text), waiting like paste; thin or thick\n"
    "                       frame (default thick), header: a line under the first\n"
    "                       row, compact: no lines between the other rows,\n"
    "                       transparent: pasted like tpaste, lines joined\n"
    "  copytable            the fields of the table holding the selection's top-left\n"
    "                       cell, tab-separated, onto the clipboard\n"
    "  tabledata FILE       write that table's fields to FILE: .csv (UTF-8 with a\n"
    "                       byte-order mark), .tsv, .md (a pipe table) or .html\n"
    "  tableformat [thin|thick] [header] [compact]  re-lay that table from its\n"
    "                       fields as table lays data out; no words: keep its frame,\n"
    "                       inner weight, header line and compact rows\n"
    "  sorttable [desc] [header|noheader]  sort its rows by the column of the\n"
    "                       selection's left cell (numbers by value, empty last)\n"
    "  mergecells           join the table cells the selection touches into one\n"
    "  clipboard \"TEXT\"     put text on the clipboard\n"
    "  clipboard            print the clipboard's text\n"
    "\n"
    "Every cell is two columns wide. Japanese fonts show box drawing full-width;\n"
    "Western fonts (terminals, code editors, code hosting sites) show it one\n"
    "column wide: save ... narrow, copy narrow and export FILE.md write it so.\n"
    "\n"
    "Example: a thin line through the diagram of a UTF-8 Markdown file, saved in\n"
    "the file's own encoding and line ends:\n"
    "  tavik-cli -e 'open notes.md; weight thin; tool vline; drag 6 1 6 3; save notes.md'\n"
    "The same for the second diagram of a long README, the rest left as it is:\n"
    "  tavik-cli -e 'open README.md diagram 2; tool htext; drag 2 1 9 1 \"label\"; save'\n";

struct Line {
    int number;
    std::string text;
};

int Usage(const std::string& message) {
    std::cerr << "tavik-cli: " << message << "\nTry 'tavik-cli --help'.\n";
    return 2;
}

// Reads the whole script from fd. A folder, or a file that cannot be read to
// its end, is an error (errno set), never an empty script.
bool ReadAll(int fd, std::string& text) {
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return false;
    }
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        text.append(chunk, size_t(n));
    }
}

// The script at path, or standard input for "" and "-".
bool ReadScript(const std::string& path, std::vector<Line>& lines) {
    const bool useStdin = path.empty() || path == "-";
    const int fd = useStdin ? 0 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    std::string text;
    const bool ok = ReadAll(fd, text);
    const int savedErrno = errno;
    if (!useStdin) ::close(fd);
    errno = savedErrno;
    if (!ok) return false;
    std::istringstream in(text);
    for (int n = 1; std::getline(in, text); ++n) lines.push_back({n, text});
    return true;
}

// A message of the core may span lines (what failed, then the system's reason);
// on the command line it is one line, the rest in brackets.
std::string OneLine(const std::string& message) {
    const size_t end = message.find('\n');
    if (end == std::string::npos) return message;
    std::string rest = message.substr(end + 1);
    for (char& c : rest)
        if (c == '\n') c = ' ';
    return message.substr(0, end) + "（" + rest + "）";
}

// Flushes standard output; a failed write (a full disk, a closed pipe) is told.
bool FlushOutput() {
    std::cout.flush();
    if (std::cout) return true;
    const int savedErrno = errno;
    std::cerr << "tavik-cli: cannot write to standard output";
    if (savedErrno != 0) std::cerr << ": " << std::strerror(savedErrno);
    std::cerr << "\n";
    return false;
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
            FlushOutput();
            std::cerr << "tavik-cli: line " << line.number << ": " << OneLine(error) << "\n";
            return 1;
        }
    }
    return FlushOutput() ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    // A reader that goes away early (| head) makes writes fail with EPIPE, told
    // like any failed write, instead of killing the program without a word.
    std::signal(SIGPIPE, SIG_IGN);
    std::vector<Line> lines;
    std::string scriptPath;
    int inlineCount = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kHelp;
            return FlushOutput() ? 0 : 1;
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
    if (!ReadScript(scriptPath, lines)) {
        const std::string name =
            scriptPath.empty() || scriptPath == "-" ? "from standard input" : scriptPath;
        return Usage("cannot read the script " + name + ": " + std::strerror(errno));
    }
    return RunScript(lines);
}
