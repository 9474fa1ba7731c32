// tavik-cli's help against the words its session accepts.
#include "cli/CliHelp.h"
#include "cli/CliSession.h"
#include "tools/CommandRegistry.h"
#include "tools/ToolRegistry.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The words the help names, read from its text: the first word of each entry
// under "Commands:", and every word of the indented lines under the tools' and
// the edit commands' headings.
struct CHelpWords {
    std::set<std::string> commands, tools, edits;
};

CHelpWords ReadHelp(const std::string& help) {
    CHelpWords words;
    std::set<std::string>* section = nullptr;
    std::istringstream lines(help);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("Commands:", 0) == 0) section = &words.commands;
        if (line.rfind("Tools, ", 0) == 0) section = &words.tools;
        if (line.rfind("Edit commands, ", 0) == 0) section = &words.edits;
        if (line.empty() || line[0] != ' ') {
            if (line.empty()) section = nullptr;
            continue;
        }
        if (!section || line.rfind("  ", 0) != 0 || line[2] == ' ') continue;
        std::istringstream in(line);
        std::string word;
        if (section == &words.commands) {
            in >> word;
            section->insert(word);
        } else {
            while (in >> word) section->insert(word);
        }
    }
    return words;
}

// Runs one command in a fresh session; the message when it failed.
std::string RunOnce(const std::vector<CScriptWord>& words) {
    std::ostringstream out, err;
    CCliSession session(out, err);
    std::string error;
    session.Run(words, error);
    return error;
}

bool IsUnknown(const std::string& error) {
    return error.find("unknown command") != std::string::npos ||
           error.find("unknown tool") != std::string::npos;
}

} // namespace

TEST(CliHelp, NamesEveryWordTheSessionAccepts) {
    const CHelpWords help = ReadHelp(CliHelp());
    for (const CCliSession::CWord& word : CCliSession::Words())
        EXPECT_EQ(help.commands.count(word.name), 1u) << word.name;
    for (const CToolRow& row : ToolRows())
        EXPECT_EQ(help.tools.count(row.cliName), 1u) << row.cliName;
    int edits = 0;
    for (const CCommandRow& row : CommandRegistry()) {
        if (!row.cliWord) continue;
        // A word of two is a form of a command: its first word with the second
        // among that command's arguments.
        const std::string word = row.cliWord;
        const size_t space = word.find(' ');
        if (space != std::string::npos) {
            bool named = false;
            for (const CCliSession::CWord& w : CCliSession::Words())
                named = named || (word.compare(0, space, w.name) == 0 &&
                                  std::string(w.arguments).find(word.substr(space + 1)) !=
                                      std::string::npos);
            EXPECT_TRUE(named) << word;
            continue;
        }
        // Named once: among the commands when the session explains it there,
        // otherwise among the bare edit commands.
        const bool own = help.commands.count(word) > 0;
        if (!own) ++edits;
        EXPECT_EQ(help.edits.count(word), own ? 0u : 1u) << word;
    }
    // The words once missing from a hand-written help.
    for (const char* word : {"delete", "insertlines", "deletelines", "insertcols", "deletecols"})
        EXPECT_EQ(help.edits.count(word), 1u) << word;
    EXPECT_EQ(help.edits.size(), size_t(edits));
}

TEST(CliHelp, EveryWordItNamesIsAccepted) {
    const CHelpWords help = ReadHelp(CliHelp());
    ASSERT_GT(help.commands.size(), 10u);
    for (const std::string& word : help.commands)
        EXPECT_FALSE(IsUnknown(RunOnce({{word, false}}))) << word;
    for (const std::string& word : help.edits)
        EXPECT_FALSE(IsUnknown(RunOnce({{word, false}}))) << word;
    for (const std::string& tool : help.tools)
        EXPECT_EQ(RunOnce({{"tool", false}, {tool, false}}), "") << tool;
    // A word the help does not name is refused as unknown.
    EXPECT_TRUE(IsUnknown(RunOnce({{"frobnicate", false}})));
}
