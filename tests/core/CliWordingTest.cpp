// tavik-cli speaks English: whatever fails, its own words are ASCII, and the
// window's Japanese appears only inside 「」 quotes and what the user gave
// inside ''.
#include "TempDirTest.h"

#include "cli/CliSession.h"
#include "cli/ScriptLexer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <sys/stat.h>

namespace {

// Runs a script in a fresh session: the failing command's message and what
// went to standard error.
std::string Messages(const std::string& script) {
    std::ostringstream out, err;
    CCliSession session(out, err);
    std::string error;
    for (const std::string& line : SplitCommands(script)) {
        std::vector<CScriptWord> words;
        if (!SplitWords(line, words, error) || (!words.empty() && !session.Run(words, error)))
            break;
    }
    return error + "\n" + err.str();
}

// The text with every quote taken out: the window's words in 「」, and what the
// user gave (a file name, a character) in ''.
std::string Unquoted(std::string text) {
    for (const auto& [open, close] :
         {std::pair<std::string, std::string>{"「", "」"}, {"'", "'"}}) {
        for (size_t at; (at = text.find(open)) != std::string::npos;) {
            const size_t end = text.find(close, at + open.size());
            if (end == std::string::npos) break;
            text.erase(at, end + close.size() - at);
        }
    }
    return text;
}

bool IsAscii(const std::string& text) {
    for (unsigned char c : text)
        if (c >= 0x80) return false;
    return true;
}

} // namespace

class CliWording : public TempDirTest {};

TEST_F(CliWording, MessagesAreEnglishOutsideQuotes) {
    const std::string dir = PathOf("");
    const std::string readOnly = PathOf("ro.txt");
    Put(readOnly, "old\r\n");
    ::chmod(readOnly.c_str(), 0444);
    const char* const scripts[] = {
        "open .",
        "open /nonexistent/file.txt",
        "save .",
        "save /nonexistent/folder/file.txt",
        "new 10 10; export /nonexistent/x.svg",
        "new 10 10; export x.svg 2 used",
        "table /nonexistent.csv",
        "new 10 10; tool htext; drag 0 0 3 0 \"a\tb\"",
        "new 10 10; tool htext; drag 0 0 1 0 \"abcdefghij\"",
        "new 10 10; tool type; caret 0 0; type \"\xF0\x9F\x98\x80\"",
        "new 10 10; tool vline; drag 2 0 2 9; tool select; drag 0 4 3 5; insertlines",
        "new 99 10; tool hline; drag 0 0 98 0; tool select; drag 0 0 98 0; insertcols",
    };
    for (const char* script : scripts) {
        SCOPED_TRACE(script);
        const std::string said = Messages(script);
        EXPECT_GT(said.size(), 2u); // every one of them fails or warns
        EXPECT_TRUE(IsAscii(Unquoted(said))) << said;
    }
    const std::string saved = Messages("save " + readOnly);
    EXPECT_NE(saved.find("is read-only"), std::string::npos) << saved;
    EXPECT_TRUE(IsAscii(Messages("save " + dir)));
}
