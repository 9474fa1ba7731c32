#pragma once

#include "canvas/io/FilePart.h"
#include "canvas/io/LayoutReader.h"
#include "cli/CliView.h"
#include "cli/ScriptLexer.h"
#include "tools/ViewController.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CRuvlenDoc;
struct CDrawnTable;

// One canvas driven by script commands through the same controller a canvas
// window uses. Run returns false with a message when a command fails.
class CCliSession {
public:
    CCliSession(std::ostream& out, std::ostream& err);
    ~CCliSession();

    bool Run(const std::vector<CScriptWord>& words, std::string& error);

    // A command of the script language other than the edit commands, which come
    // from the command registry: its arguments and explanation as the help
    // shows them, and what carries it out.
    struct CWord {
        const char* name;
        const char* arguments; // as the help shows them, "" for none
        const char* help;      // lines separated by '\n'
        bool (CCliSession::*run)(const std::vector<CScriptWord>& words, std::string& error);
    };
    // Every such command, in the order the help lists them.
    static const std::vector<CWord>& Words();

    // The canvas the commands work on; a new or opened canvas replaces it.
    CRuvlenDoc& Document() { return *m_pDoc; }

private:
    using Args = std::vector<CScriptWord>;
    void Adopt(std::unique_ptr<CRuvlenDoc> doc);
    CCellPoint CellCenter(int x, int y) const;
    bool RequireCell(const Args& a, size_t i, int& x, int& y, std::string& error) const;
    bool Gesture(const Args& a, bool drag, std::string& error);
    bool Drag(const Args& a, std::string& error) { return Gesture(a, true, error); }
    bool Click(const Args& a, std::string& error) { return Gesture(a, false, error); }
    bool Tool(const Args& a, std::string& error);
    bool Weight(const Args& a, std::string& error);
    bool DiagramsWord(const Args& a, std::string& error);
    bool ShowWord(const Args& a, std::string& error);
    bool Clipboard(const Args& a, std::string& error);
    bool RightClick(const Args& a, std::string& error);
    bool Open(const Args& a, std::string& error);
    bool OpenWhole(const std::string& path, const CLayoutReadOptions& options, std::string& error);
    void WarnReplacements(const std::string& path);
    bool CopyWord(const Args& a, std::string& error);
    bool Save(const Args& a, std::string& error);
    // Parts of files (cli/CliPart.cpp).
    bool OpenPart(const Args& a, std::string& error);
    bool SavePart(const Args& a, const CTextFormat& format, std::string& error);
    bool Diagrams(const std::string& path, std::string& error);
    void ListBlocksOfCutFile(const std::string& path);
    bool Size(const Args& a, std::string& error);
    bool Pick(const Args& a, std::string& error);
    bool UndoLevels(const Args& a, std::string& error);
    bool Export(const Args& a, std::string& error);
    bool Table(const Args& a, std::string& error); // CliTable.cpp
    // copytable, tabledata, tableformat, sorttable, mergecells (CliTable.cpp).
    bool TableCommand(const Args& a, std::string& error);
    bool SelectedTable(const Args& a, int id, CDrawnTable& table, std::string& error);
    // Why a command is not available now.
    std::string NotAvailableText(int id) const;
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
    // The part of a file the canvas stands for, after open FILE LINES.
    std::optional<CFilePart> m_part;
    int m_nUndoLevels = 1; // kept for every canvas the session makes
};
