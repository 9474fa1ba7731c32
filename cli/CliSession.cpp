#include "cli/CliSession.h"

#include "canvas/CommandIds.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/UndoHistory.h"
#include "canvas/io/Cp932.h"
#include "canvas/io/ExportArea.h"
#include "canvas/io/LayoutReader.h"
#include "canvas/io/OutputFormat.h"
#include "canvas/io/RoundTrip.h"
#include "canvas/io/TextFile.h"
#include "cli/CliWording.h"
#include "tools/CommandRegistry.h"
#include "tools/SymbolTable.h"
#include "tools/ToolRegistry.h"

#include <cctype>
#include <cstdlib>
#include <map>
#include <ostream>

namespace {

// Parses a whole decimal number in [lo, hi]. A quoted word is text, never a
// number; nine digits at most, so strtol cannot overflow and the value fits an int.
bool ParseInt(const CScriptWord& word, int lo, int hi, int& value) {
    if (word.quoted || word.text.empty() || word.text.size() > 9) return false;
    char* end = nullptr;
    long v = std::strtol(word.text.c_str(), &end, 10);
    if (*end != 0 || v < lo || v > hi) return false;
    value = static_cast<int>(v);
    return true;
}

// What a command that is not available now is waiting for.
const char* Needs(EnableRule rule) {
    switch (rule) {
    case EnableRule::SquareSelection:
        return " (it needs a square selection)";
    case EnableRule::Paste:
        return " (it needs text on the clipboard and no tool at work)";
    case EnableRule::Undo:
        return " (nothing to undo)";
    case EnableRule::Redo:
        return " (nothing to redo)";
    case EnableRule::Selection:
        return " (it needs a selection)";
    case EnableRule::SelectionNoPaste:
        return " (it needs a selection and no waiting paste)";
    default:
        return "";
    }
}

// The format words after save FILE: an encoding, a line-end style and a box
// drawing layout, each at most once, in any order; what is not given stays as
// it is in format. Narrow box drawing is UTF-8: with it, sjis is refused and
// no encoding means UTF-8.
bool ParseSaveFormat(const std::vector<CScriptWord>& a, CTextFormat& format, std::string& error) {
    static const std::map<std::string, TextEncoding> encodings = {
        {"sjis", TextEncoding::ShiftJis},
        {"utf8", TextEncoding::Utf8},
        {"utf8-bom", TextEncoding::Utf8Bom}};
    static const std::map<std::string, LineEnding> lineEnds = {{"crlf", LineEnding::CrLf},
                                                               {"lf", LineEnding::Lf}};
    static const std::map<std::string, BoxLayout> layouts = {
        {"wide", BoxLayout::Wide}, {"narrow", BoxLayout::Narrow}, {"ascii", BoxLayout::Ascii}};
    bool encodingGiven = false, lineEndGiven = false, layoutGiven = false;
    for (size_t i = 2; i < a.size(); ++i) {
        const auto encoding = encodings.find(a[i].text);
        const auto lineEnd = lineEnds.find(a[i].text);
        const auto layout = layouts.find(a[i].text);
        if (!a[i].quoted && encoding != encodings.end() && !encodingGiven) {
            format.m_encoding = encoding->second;
            encodingGiven = true;
        } else if (!a[i].quoted && lineEnd != lineEnds.end() && !lineEndGiven) {
            format.m_lineEnding = lineEnd->second;
            lineEndGiven = true;
        } else if (!a[i].quoted && layout != layouts.end() && !layoutGiven) {
            format.m_layout = layout->second;
            layoutGiven = true;
        } else {
            error = "save: after FILE come at most an encoding (sjis, utf8, utf8-bom), "
                    "line ends (crlf, lf) and the box drawing (wide, narrow, ascii), not '" +
                    a[i].text + "'";
            return false;
        }
    }
    if (format.m_layout == BoxLayout::Narrow && format.m_encoding == TextEncoding::ShiftJis) {
        if (encodingGiven) {
            error = "save: narrow box drawing is written in UTF-8 (utf8 or utf8-bom), not sjis";
            return false;
        }
        format.m_encoding = TextEncoding::Utf8;
    }
    return true;
}

// A word after open FILE that says how to read the whole file's box drawing.
bool IsOpenLayoutWord(const CScriptWord& word) {
    return !word.quoted && (word.text == "wide" || word.text == "narrow" || word.text == "ascii");
}

// The words after open FILE: a layout (wide or narrow; detected when absent)
// and ascii, each at most once.
bool ParseOpenLayout(const std::vector<CScriptWord>& a, CLayoutReadOptions& options,
                     std::string& error) {
    bool layoutGiven = false;
    for (size_t i = 2; i < a.size(); ++i) {
        const std::string& w = a[i].text;
        if (!a[i].quoted && !layoutGiven && (w == "wide" || w == "narrow")) {
            options.layout = w == "wide" ? LayoutChoice::Wide : LayoutChoice::Narrow;
            layoutGiven = true;
        } else if (!a[i].quoted && w == "ascii" && !options.asciiLines) {
            options.asciiLines = true;
        } else {
            error = "open: after FILE come at most the box drawing's width (wide, narrow) and "
                    "ascii, or the lines of a part, not '" +
                    w + "'";
            return false;
        }
    }
    return true;
}

// The suffixes of the formats tavik-cli can write, and of those it cannot.
std::string CliSuffixes(bool writable) {
    std::string list;
    for (const COutputFormat& row : OutputFormats()) {
        const std::string suffix = std::string(".") + row.suffix;
        if (bool(row.writer) != writable || list.find(suffix) != std::string::npos) continue;
        list += (list.empty() ? "" : ", ") + suffix;
    }
    return list;
}

bool ArgCount(const std::vector<CScriptWord>& a, size_t lo, size_t hi, std::string& error) {
    if (a.size() - 1 >= lo && a.size() - 1 <= hi) return true;
    error = a[0].text + ": wrong number of arguments";
    return false;
}

} // namespace

CCliSession::CCliSession(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {
    Adopt(std::make_unique<CRuvlenDoc>());
}

CCliSession::~CCliSession() = default;

// The controller goes before the canvas it drives, so that none ever points at
// a freed one. A new canvas stands for no part of a file: OpenPart sets the
// part again after adopting its canvas.
void CCliSession::Adopt(std::unique_ptr<CRuvlenDoc> doc) {
    m_pController.reset();
    m_part.reset();
    m_pDoc = std::move(doc);
    m_pDoc->ComputeMetrics(kReferenceDpi);
    m_pDoc->SetUndoLevels(m_nUndoLevels);
    m_pDoc->AddView(&m_view);
    m_pController =
        std::make_unique<CViewController>(m_pDoc.get(), &m_view, &m_clipboard, &m_palette);
}

CCellPoint CCliSession::CellCenter(int x, int y) const {
    return m_pDoc->Geometry(kReferenceDpi).CellCenter(x, y);
}

// Numbers far past any canvas still parse, so that a cell off the canvas is
// told with the canvas's size rather than as a malformed number.
bool CCliSession::RequireCell(const Args& a, size_t i, int& x, int& y, std::string& error) const {
    if (!ParseInt(a[i], 0, 10000, x) || !ParseInt(a[i + 1], 0, 10000, y)) {
        error = a[0].text + ": a cell is two whole numbers, column and line";
        return false;
    }
    if (x >= m_pDoc->m_nColumns || y >= m_pDoc->m_nLines) {
        error = "cell (" + std::to_string(x) + ", " + std::to_string(y) + ") is outside the " +
                std::to_string(m_pDoc->m_nColumns) + " x " + std::to_string(m_pDoc->m_nLines) +
                " canvas";
        return false;
    }
    return true;
}

const std::vector<CCliSession::CWord>& CCliSession::Words() {
    using S = CCliSession;
    static const std::vector<CWord> words = {
        {"new", "C L", "a fresh canvas of C columns and L lines (10..99)", &S::Size},
        {"open", "FILE [wide|narrow] [ascii] | FILE LINES",
         "read a text file into a fresh canvas: UTF-8 when it has a\n"
         "byte-order mark or is valid UTF-8 with non-ASCII text,\n"
         "Shift-JIS otherwise; warns of characters it replaced;\n"
         "a file longer than 99 lines or wider than 99 cells is\n"
         "cut, and the warning lists its diagram blocks. Box\n"
         "drawing is full-width (wide) or half-width as Western\n"
         "fonts show it (narrow), told apart by where vertical\n"
         "lines join unless given; narrow diagrams drawn elsewhere\n"
         "are re-laid onto the two-column grid, with a warning;\n"
         "ascii: + - = | become lines where they join. With LINES\n"
         "(FIRST-LAST, 1-based, or diagram N) only those lines, to\n"
         "save them back in place",
         &S::Open},
        {"diagrams", "FILE",
         "list FILE's diagram blocks, one a line: FIRST-LAST and\n"
         "the block's first line",
         &S::DiagramsWord},
        {"save", "[FILE] [ENC] [EOL] [BOX]",
         "write the canvas in the format of the file it was\n"
         "read from (a new canvas: sjis crlf wide), or in encoding\n"
         "ENC (sjis utf8 utf8-bom), line ends EOL (crlf lf) and box\n"
         "drawing BOX (wide; narrow, always UTF-8; ascii), which\n"
         "the canvas then keeps; after open FILE LINES, the whole\n"
         "file with the canvas's lines in place of LINES; without\n"
         "FILE, after open FILE LINES: write them back into FILE,\n"
         "every other byte as it was; exits 1, writing nothing,\n"
         "when FILE changed on disk since it was read",
         &S::Save},
        {"show", "", "print the canvas as UTF-8", &S::ShowWord},
        {"size", "C L", "change columns and lines; cells are kept", &S::Size},
        {"tool", "NAME", "choose a tool; NAME is one of the tools below", &S::Tool},
        {"weight", "thin|thick", "the line weight", &S::Weight},
        {"drag", "X1 Y1 X2 Y2 [\"TEXT\"]",
         "press, move and release with the current tool;\n"
         "TEXT answers the text dialog of the text tools",
         &S::Drag},
        {"click", "X Y [\"TEXT\"]", "drag X Y X Y", &S::Click},
        {"rclick", "X Y ARM", "right button on the arm (right down left up) of a cell",
         &S::RightClick},
        {"caret", "X Y", "with tool type: put the typing caret on a cell", &S::Caret},
        {"type", "\"TEXT\"", "type TEXT at the caret (\\n is Enter)", &S::Type},
        {"key", "NAME",
         "left right up down home end backspace delete enter esc tab,\n"
         "shift+tab ctrl+home ctrl+end; shift+left/right/up/down draw\n"
         "a line; in a table cell they edit the cell, tab goes to the\n"
         "next field",
         &S::Key},
        {"pick", "CATEGORY SLOT", "choose a palette symbol (0..9, 0..59)", &S::Pick},
        {"undolevels", "N",
         "keep N undo steps (1..100, default 1: a second undo\n"
         "takes the undo back); redo steps forward again",
         &S::UndoLevels},
        {"export", "FILE [SIZE] [used]",
         "write the canvas's cells as FILE's extension says: .svg\n"
         "an SVG picture at font size SIZE (0..5; default the\n"
         "canvas's own, 2 for a new one), .md a fenced block of\n"
         "half-width box drawing for Markdown, .txt text with\n"
         "full-width box drawing; used: only the rectangle of\n"
         "non-blank cells",
         &S::Export},
        {"copy", "[wide|narrow|ascii]",
         "copy the selection onto the clipboard, its box drawing\n"
         "full-width (wide, as without a word), half-width for\n"
         "Western fonts or in ASCII",
         &S::CopyWord},
        {"table", "FILE [thin|thick] [header] [compact] [transparent]",
         "a ruled table from CSV or tab-separated data (FILE - : the\n"
         "clipboard's text), waiting like paste; thin or thick\n"
         "frame (default thick), header: a line under the first\n"
         "row, compact: no lines between the other rows,\n"
         "transparent: pasted like tpaste, lines joined",
         &S::Table},
        {"copytable", "",
         "the fields of the table holding the selection's top-left\n"
         "cell, tab-separated, onto the clipboard",
         &S::TableCommand},
        {"tabledata", "FILE",
         "write that table's fields to FILE: .csv (UTF-8 with a\n"
         "byte-order mark), .tsv, .md (a pipe table) or .html",
         &S::TableCommand},
        {"tableformat", "[thin|thick] [header] [compact]",
         "re-lay that table from its fields as table lays data out;\n"
         "no words: keep its frame, inner weight, header line and\n"
         "compact rows",
         &S::TableCommand},
        {"sorttable", "[desc] [header|noheader]",
         "sort its rows by the column of the selection's left cell\n"
         "(numbers by value, empty last)",
         &S::TableCommand},
        {"mergecells", "", "join the table cells the selection touches into one", &S::TableCommand},
        {"clipboard", "[\"TEXT\"]", "put text on the clipboard; without TEXT, print its text",
         &S::Clipboard},
    };
    return words;
}

bool CCliSession::Run(const Args& a, std::string& error) {
    const std::string& name = a[0].text;
    if (a[0].quoted) {
        error = "a command name cannot be quoted";
        return false;
    }
    // The session's own words first: copytable and mergecells are registry
    // words too, but here they say in English why a table command did nothing.
    for (const CWord& word : Words())
        if (name == word.name) return (this->*word.run)(a, error);
    if (const CCommandRow* row = FindCommandByCliWord(name.c_str())) {
        if (!ArgCount(a, 0, 0, error)) return false;
        return Command(row->id, error);
    }
    error = "unknown command '" + name + "'";
    return false;
}

// Tools and weights are chosen through their commands, as a toolbar button
// chooses them: a tool at work ends the same way.
bool CCliSession::Tool(const Args& a, std::string& error) {
    if (!ArgCount(a, 1, 1, error)) return false;
    const CToolRow* tool = FindToolByCliName(a[1].text);
    if (!tool) {
        error = "unknown tool '" + a[1].text + "' (" + ToolCliNames() + ")";
        return false;
    }
    return Command(tool->id, error);
}

bool CCliSession::Weight(const Args& a, std::string& error) {
    if (!ArgCount(a, 1, 1, error)) return false;
    if (a[1].text != "thin" && a[1].text != "thick") {
        error = "weight: thin or thick";
        return false;
    }
    return Command(a[1].text == "thin" ? ID_LINE_THIN : ID_LINE_THICK, error);
}

bool CCliSession::DiagramsWord(const Args& a, std::string& error) {
    return ArgCount(a, 1, 1, error) && Diagrams(a[1].text, error);
}

bool CCliSession::ShowWord(const Args& a, std::string& error) {
    if (!ArgCount(a, 0, 0, error)) return false;
    Show();
    return true;
}

// The clipboard as the script sees it: UTF-8 text in, UTF-8 text out.
bool CCliSession::Clipboard(const Args& a, std::string& error) {
    if (!ArgCount(a, 0, 1, error)) return false;
    if (a.size() == 1) {
        // The next output starts on a line of its own.
        m_out << m_clipboard.m_strText;
        if (!m_clipboard.m_strText.empty() && m_clipboard.m_strText.back() != '\n') m_out << '\n';
        return true;
    }
    m_clipboard.m_strText = a[1].text;
    m_clipboard.m_bHasText = true;
    return true;
}

bool CCliSession::Command(int id, std::string& error) {
    // A message the command shows the user means that it failed.
    m_view.m_strError.clear();
    const bool ran = m_pController->OnCommand(id);
    // Each warning the view keeps ends in a line break; only whole lines go out.
    for (size_t start = 0, end; (end = m_view.m_strWarnings.find('\n', start)) != std::string::npos;
         start = end + 1)
        m_err << "tavik-cli: warning: " << m_view.m_strWarnings.substr(start, end + 1 - start);
    m_view.m_strWarnings.clear();
    if (!ran) {
        error = NotAvailableText(id);
        return false;
    }
    // Before m_strError, which then holds the window's Japanese text for the
    // same refusal.
    const CTableEditResult& edit = m_pController->LastTableEdit();
    if ((id == ID_INSERT_LINES || id == ID_INSERT_COLUMNS) &&
        edit.m_nStatus == CTableEditResult::NO_ROOM) {
        error = NoRoomForInsert(id == ID_INSERT_LINES, edit.m_nNeeded);
        return false;
    }
    if (!m_view.m_strError.empty()) {
        error = m_view.m_strError;
        return false;
    }
    return true;
}

std::string CCliSession::NotAvailableText(int id) const {
    const CCommandRow* row = FindCommand(id);
    return std::string("this command is not available now") + (row ? Needs(row->enable) : "");
}

bool CCliSession::Gesture(const Args& a, bool drag, std::string& error) {
    const size_t cells = drag ? 4 : 2;
    if (!ArgCount(a, cells, cells + 1, error)) return false;
    int x1, y1, x2, y2;
    if (!RequireCell(a, 1, x1, y1, error) || !RequireCell(a, drag ? 3 : 1, x2, y2, error))
        return false;
    const bool hasText = a.size() == cells + 2;
    const int mode = m_pDoc->m_nToolMode;
    // Only a text tool's gesture opens the text dialog; with a paste waiting the
    // click places the paste instead, and TEXT would go unused.
    if (hasText && (m_pDoc->m_nToolState != CRuvlenDoc::NO_TOOL ||
                    (mode != ID_TOOL_HTEXT && mode != ID_TOOL_VTEXT))) {
        error = a[0].text + ": TEXT is only for the text tools (tool htext or tool vtext)";
        return false;
    }
    m_view.m_bHasDialogText = hasText;
    m_view.m_strDialogText = hasText ? a.back().text : std::string();
    m_view.m_strError.clear();
    // One move is enough: a tool takes the end of its gesture from the last move.
    const CCellPoint p1 = CellCenter(x1, y1), p2 = CellCenter(x2, y2);
    m_pController->OnLButtonDown(p1.x, p1.y);
    m_pController->OnMouseMove(p2.x, p2.y);
    m_pController->OnLButtonUp(p2.x, p2.y);
    // A later dialog is cancelled, never answered with this gesture's text.
    m_view.m_bHasDialogText = false;
    if (m_view.m_strError.empty()) return true;
    error = m_view.m_strError;
    return false;
}

bool CCliSession::RightClick(const Args& a, std::string& error) {
    if (!ArgCount(a, 3, 3, error)) return false;
    int x, y;
    if (!RequireCell(a, 1, x, y, error)) return false;
    // A point well inside the triangle of the arm, whatever the cell size.
    const CCellGeometry g = m_pDoc->Geometry(kReferenceDpi);
    const int s = g.d, h = s / 2;
    const std::map<std::string, CCellPoint> offsets = {
        {"right", {s - 2, h}}, {"down", {h, s - 2}}, {"left", {1, h}}, {"up", {h, 1}}};
    auto it = offsets.find(a[3].text);
    if (it == offsets.end()) {
        error = "rclick: ARM is right, down, left or up";
        return false;
    }
    m_pController->OnRButtonDown(g.originX + x * s + it->second.x,
                                 g.originY + y * s + it->second.y);
    return true;
}

// copy, copy wide (the plain copy), copy narrow or copy ascii.
bool CCliSession::CopyWord(const Args& a, std::string& error) {
    if (!ArgCount(a, 0, 1, error)) return false;
    if (a.size() == 1 || (a[1].text == "wide" && !a[1].quoted)) return Command(ID_EDIT_COPY, error);
    const CCommandRow* row =
        a[1].quoted ? nullptr : FindCommandByCliWord(("copy " + a[1].text).c_str());
    if (!row) {
        error = "copy: the box drawing is wide, narrow or ascii, not '" + a[1].text + "'";
        return false;
    }
    return Command(row->id, error);
}

// open FILE [wide|narrow] [ascii] reads the whole file; open FILE FIRST-LAST or
// open FILE diagram N a part of it.
bool CCliSession::Open(const Args& a, std::string& error) {
    if (!ArgCount(a, 1, 3, error)) return false;
    CLayoutReadOptions options;
    if (a.size() == 2 || IsOpenLayoutWord(a[2])) {
        if (!ParseOpenLayout(a, options, error)) return false;
        return OpenWhole(a[1].text, options, error);
    }
    return OpenPart(a, error);
}

void CCliSession::WarnReplacements(const std::string& path) {
    const CTextReplacements& r = m_pDoc->m_loadReplacements;
    if (r.Any())
        m_err << "tavik-cli: warning: " << path << ": "
              << ReplacementWarning(r, "at line " + std::to_string(r.m_nFirstLine) + ", column " +
                                           std::to_string(r.m_nFirstColumn))
              << "\n";
}

// Read into a canvas of its own first: a file that cannot be opened leaves the
// current canvas as it was.
bool CCliSession::OpenWhole(const std::string& path, const CLayoutReadOptions& options,
                            std::string& error) {
    auto doc = std::make_unique<CRuvlenDoc>();
    if (!LoadDocumentFile(*doc, path, options, error)) {
        error = FileProblem("open", path, error);
        return false;
    }
    if (doc->m_bLoadCut)
        m_err << "tavik-cli: warning: " << path << ": content past " << CRuvlenDoc::MAX_SIZE
              << " lines was dropped\n";
    else if (doc->m_bLoadWrapped)
        m_err << "tavik-cli: warning: " << path << ": lines wider than " << CRuvlenDoc::MAX_SIZE
              << " cells were wrapped\n";
    const bool cut = doc->m_bLoadCut || doc->m_bLoadWrapped;
    const CRoundTripChange roundTrip = doc->m_loadRoundTrip;
    const int relaid = doc->m_bLoadRelaid ? doc->m_nLoadAddedColumns : -1;
    Adopt(std::move(doc));
    WarnReplacements(path);
    if (relaid >= 0)
        m_err << "tavik-cli: warning: " << path << ": " << DescribeRelayoutEnglish(relaid) << "\n";
    if (roundTrip.Any())
        m_err << "tavik-cli: warning: " << path << ": " << DescribeRoundTripChangeEnglish(roundTrip)
              << "\n";
    if (cut) ListBlocksOfCutFile(path);
    return true;
}

bool CCliSession::Save(const Args& a, std::string& error) {
    // A part starts from its file's format; saving it back refuses another one.
    if (!ArgCount(a, 0, 4, error)) return false;
    CTextFormat format = m_part ? m_part->m_format : m_pDoc->m_textFormat;
    if (!ParseSaveFormat(a, format, error)) return false;
    if (m_part) return SavePart(a, format, error);
    if (a.size() == 1) {
        error = "save: FILE is needed (only a part opened with open FILE LINES is saved back "
                "without one)";
        return false;
    }
    if (SaveDocumentFile(*m_pDoc, a[1].text, format, error)) return true;
    error = FileProblem("save", a[1].text, error);
    return false;
}

// new and size: new makes a fresh canvas of that size, size changes the
// current one's and keeps its cells, as the canvas settings dialog does.
bool CCliSession::Size(const Args& a, std::string& error) {
    if (!ArgCount(a, 2, 2, error)) return false;
    int columns, lines;
    if (!ParseInt(a[1], CRuvlenDoc::MIN_SIZE, CRuvlenDoc::MAX_SIZE, columns) ||
        !ParseInt(a[2], CRuvlenDoc::MIN_SIZE, CRuvlenDoc::MAX_SIZE, lines)) {
        error = a[0].text + ": columns and lines are whole numbers from " +
                std::to_string(CRuvlenDoc::MIN_SIZE) + " to " +
                std::to_string(CRuvlenDoc::MAX_SIZE);
        return false;
    }
    if (a[0].text == "new") {
        CCanvasDefaults defaults;
        defaults.m_nDefaultColumns = columns;
        defaults.m_nDefaultLines = lines;
        Adopt(std::make_unique<CRuvlenDoc>(defaults));
    } else {
        if (const int outside = m_pDoc->CountCellsOutside(columns, lines))
            m_err << "tavik-cli: warning: " << Plural(outside, "non-blank cell")
                  << (outside == 1 ? " falls" : " fall") << " outside the " << columns << " x "
                  << lines << " canvas; they are kept but not saved\n";
        m_pController->ApplyCanvasSettings(m_pDoc->m_nFontSize, columns, lines, m_pDoc->m_bGrid,
                                           kReferenceDpi);
    }
    return true;
}

bool CCliSession::UndoLevels(const Args& a, std::string& error) {
    if (!ArgCount(a, 1, 1, error)) return false;
    int levels = 1;
    if (!ParseInt(a[1], CUndoHistory::MIN_LEVELS, CUndoHistory::MAX_LEVELS, levels)) {
        error = "undolevels: a whole number from " + std::to_string(CUndoHistory::MIN_LEVELS) +
                " to " + std::to_string(CUndoHistory::MAX_LEVELS);
        return false;
    }
    m_nUndoLevels = levels;
    m_pDoc->SetUndoLevels(m_nUndoLevels); // later canvases start with it too
    return true;
}

bool CCliSession::Export(const Args& a, std::string& error) {
    if (!ArgCount(a, 1, 3, error)) return false;
    const std::string& path = a[1].text;
    const COutputFormat* format = OutputFormatForPath(path);
    if (!format || !format->writer) {
        error = "export: the file name must end in " + CliSuffixes(true) + " (tavik --export " +
                "also writes " + CliSuffixes(false) + ")";
        return false;
    }
    // After the name: an optional SIZE (for pictures), then an optional `used`.
    size_t next = 2;
    COutputRequest request;
    request.fontSize = m_pDoc->m_nFontSize;
    if (next < a.size() && a[next].text != "used" &&
        (!(format->options & kOutputSize) ||
         !ParseInt(a[next++], 0, kMaxFontSize, request.fontSize))) {
        error = format->options & kOutputSize
                    ? "export: SIZE is a font size index from 0 to 5"
                    : "export: a ." + std::string(format->suffix) + " file takes no SIZE";
        return false;
    }
    const bool used = next < a.size() && a[next].text == "used";
    if (next + (used ? 1 : 0) != a.size()) {
        error = "export: only `used` (the non-blank cells' area) may follow SIZE";
        return false;
    }
    // The whole canvas always has an area; only a blank canvas has no used one.
    if (!ExportAreaRect(*m_pDoc, used ? EExportArea::Used : EExportArea::Canvas, request.cells,
                        error)) {
        error = "export: the canvas is blank, so it has no used area";
        return false;
    }
    if (format->writer(*m_pDoc, request, path, error)) return true;
    error = FileProblem("export", path, error);
    return false;
}

bool CCliSession::Pick(const Args& a, std::string& error) {
    if (!ArgCount(a, 2, 2, error)) return false;
    int category, slot;
    if (!ParseInt(a[1], 0, kSymbolCategoryCount - 1, category) ||
        !ParseInt(a[2], 0, kSymbolSlotCount - 1, slot)) {
        error = "pick: CATEGORY is 0..9 and SLOT 0..59";
        return false;
    }
    if (!m_palette.Pick(category, slot))
        m_err << "tavik-cli: warning: slot " << slot << " of category " << category
              << " is empty; the chosen symbol stays\n";
    // Picking in the palette switches the canvas to the symbol tool.
    m_pController->SetToolMode(ID_TOOL_SYMBOL);
    return true;
}

void CCliSession::Show() {
    for (int y = 0; y < m_pDoc->m_nLines; ++y) {
        std::string line;
        for (int x = 0; x < m_pDoc->m_nColumns; ++x) {
            line += m_pDoc->Cell(x, y).FirstByte();
            line += m_pDoc->Cell(x, y).SecondByte();
        }
        line.erase(line.find_last_not_of(' ') + 1);
        std::string utf8;
        Cp932ToUtf8(line, utf8);
        m_out << utf8 << '\n';
    }
}
