// tavik-cli: runs a script of commands against one canvas.
#include "cli/CliHelp.h"
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
    return message.substr(0, end) + " (" + rest + ")";
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
            std::cout << CliHelp();
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
