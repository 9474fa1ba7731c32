#pragma once

#include "cli/CliView.h"
#include "cli/ScriptLexer.h"
#include "tools/ViewController.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class CRuvlenDoc;

// One canvas driven by script commands through the same controller a canvas
// window uses. Run returns false with a message when a command fails.
class CCliSession {
public:
    CCliSession(std::ostream& out, std::ostream& err);
    ~CCliSession();

    bool Run(const std::vector<CScriptWord>& words, std::string& error);

    // The canvas the commands work on; a new or opened canvas replaces it.
    CRuvlenDoc& Document() { return *m_pDoc; }

private:
    using Args = std::vector<CScriptWord>;
    void Adopt(std::unique_ptr<CRuvlenDoc> doc);
    CCellPoint CellCenter(int x, int y) const;
    bool RequireCell(const Args& a, size_t i, int& x, int& y, std::string& error) const;
    bool Gesture(const Args& a, bool drag, std::string& error);
    bool RightClick(const Args& a, std::string& error);
    bool Open(const Args& a, std::string& error);
    bool CopyInLayout(const Args& a, std::string& error);
    bool Save(const Args& a, std::string& error);
    bool Size(const Args& a, std::string& error);
    bool Pick(const Args& a, std::string& error);
    bool UndoLevels(const Args& a, std::string& error);
    bool Export(const Args& a, std::string& error);
    bool Table(const Args& a, std::string& error); // CliTable.cpp
    bool Command(int id, std::string& error);
    // The typing tool's words (cli/CliTyping.cpp).
    bool Caret(const Args& a, std::string& error);
    bool Type(const Args& a, std::string& error);
    bool Key(const Args& a, std::string& error);
    void Show();

    std::ostream& m_out;
    std::ostream& m_err;
    CCliView m_view;
    CCliClipboard m_clipboard;
    CCliPalette m_palette;
    std::unique_ptr<CRuvlenDoc> m_pDoc;
    std::unique_ptr<CViewController> m_pController;
    int m_nUndoLevels = 1; // kept for every canvas the session makes
};
