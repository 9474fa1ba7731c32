// The table command: data from a file or the clipboard as a waiting paste;
// and the commands on a table drawn on the canvas.
#include "canvas/CommandIds.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/TableCommands.h"
#include "canvas/TableLayout.h"
#include "canvas/TableRecognition.h"
#include "canvas/io/TableDataWriter.h"
#include "canvas/io/TableText.h"
#include "canvas/io/TextFile.h"
#include "cli/CliSession.h"
#include "cli/CliWording.h"

#include <algorithm>
#include <ostream>

namespace {

std::string ProblemText(const CTableProblem& p) {
    switch (p.m_kind) {
    case TableProblem::NoFields:
        return "the data holds no fields";
    case TableProblem::UnterminatedQuote:
        return "the quoted field that starts in line " + std::to_string(p.m_nLine) +
               " is not closed";
    case TableProblem::TooMuchData:
        return "the data is larger than a table can be (" + std::to_string(kMaxTableBytes / 1024) +
               " KB at most)";
    case TableProblem::TooManyRows:
        return "more rows than any canvas can hold, at line " + std::to_string(p.m_nLine) + " (" +
               std::to_string(MaxTableLines()) + " at most)";
    case TableProblem::TooManyFields:
        return "line " + std::to_string(p.m_nLine) + " has more fields than any canvas can hold (" +
               std::to_string(MaxTableFields()) + " at most)";
    case TableProblem::TooManyLines:
        return "the fields' lines pass what any canvas can hold at line " +
               std::to_string(p.m_nLine) + " (" + std::to_string(MaxTableLines()) + " at most)";
    case TableProblem::TooLarge:
        return "the table needs " + std::to_string(p.m_nNeedColumns) + " x " +
               std::to_string(p.m_nNeedLines) + " cells; the canvas is " +
               std::to_string(p.m_nColumns) + " x " + std::to_string(p.m_nLines);
    default:
        return "it cannot be pasted now (a tool is at work)";
    }
}

// The words after FILE: thin or thick once, header, compact, transparent, in
// any order.
bool ParseTableOptions(const std::vector<CScriptWord>& a, CTableOptions& options, bool& transparent,
                       std::string& error) {
    bool weightGiven = false, headerGiven = false, compactGiven = false;
    transparent = false;
    for (size_t i = 2; i < a.size(); ++i) {
        const std::string& w = a[i].text;
        if (!a[i].quoted && (w == "thin" || w == "thick") && !weightGiven) {
            options.m_bThickOuter = w == "thick";
            weightGiven = true;
        } else if (!a[i].quoted && w == "header" && !headerGiven) {
            options.m_bHeader = headerGiven = true;
        } else if (!a[i].quoted && w == "compact" && !compactGiven) {
            options.m_bCompact = compactGiven = true;
        } else if (!a[i].quoted && w == "transparent" && !transparent) {
            transparent = true;
        } else {
            error = "table: after FILE come thin or thick, header, compact and transparent, not '" +
                    w + "'";
            return false;
        }
    }
    return true;
}

} // namespace

bool CCliSession::Table(const Args& a, std::string& error) {
    if (a.size() < 2 || a.size() > 6) {
        error = "table: wrong number of arguments";
        return false;
    }
    CTableOptions options;
    bool transparent = false;
    if (!ParseTableOptions(a, options, transparent, error)) return false;
    const bool fromClipboard = a[1].text == "-" && !a[1].quoted;
    const std::string source = fromClipboard ? "clipboard" : a[1].text;
    CTableData data;
    CTableProblem problem;
    bool read = false;
    if (fromClipboard) {
        if (!m_clipboard.m_bHasText) {
            error = "table: the clipboard holds no text";
            return false;
        }
        read = ReadTableUtf8(m_clipboard.m_strText, data, problem);
    } else {
        std::string bytes;
        bool more = false;
        if (!ReadFileBytes(a[1].text, bytes, kMaxTableBytes, &more, error)) {
            error = FileProblem("table", a[1].text, error);
            return false;
        }
        if (more) {
            error = "table: " + source + " is too large for a table";
            return false;
        }
        read = ReadTableBytes(bytes, data, problem);
    }
    if (read && m_pController->PasteTable(data, options,
                                          transparent ? ID_EDIT_TRANSPARENT_PASTE : ID_EDIT_PASTE,
                                          problem)) {
        if (data.m_replacements.Any())
            m_err << "tavik-cli: warning: " << source << ": "
                  << ReplacementWarning(
                         data.m_replacements,
                         "in row " + std::to_string(data.m_replacements.m_nFirstLine) + ", field " +
                             std::to_string(data.m_replacements.m_nFirstColumn))
                  << "\n";
        return true;
    }
    error = "table: " + source + ": " + ProblemText(problem);
    return false;
}

// --- The commands on a table recognised on the canvas ---

namespace {

std::string EnglishTableMessage(const CTableCommandResult& r) {
    const std::string both =
        std::to_string(r.m_nColumns) + " column(s) and " + std::to_string(r.m_nLines) + " line(s)";
    switch (r.m_nStatus) {
    case CTableCommandResult::NO_SELECTION:
        return "select a cell of the table first";
    case CTableCommandResult::NO_TABLE:
        return "no table holds the selection's top-left cell (a table is ruled all round "
               "and divided inside by ruled lines into rectangles)";
    case CTableCommandResult::BEYOND_CANVAS:
        return "the re-laid table does not fit the canvas: it needs " + both +
               " more; nothing changed";
    case CTableCommandResult::NO_ROOM:
        return "non-blank cells are in the way of the re-laid table (" + both +
               " to its right and below it); nothing changed";
    case CTableCommandResult::MERGED_COMPACT:
        return "a compact table cannot keep merged cells below its header; nothing changed";
    case CTableCommandResult::MERGED_ROWS:
        return "a table with a cell merged across rows cannot be sorted; nothing changed";
    case CTableCommandResult::NO_BOUNDARY:
        return "the selection lies inside one cell: nothing to merge";
    case CTableCommandResult::DONE:
        break;
    }
    return std::string();
}

// The words after tableformat: thin or thick, header and compact, each once.
bool ParseFormatWords(const std::vector<CScriptWord>& a, CTableOptions& options,
                      std::string& error) {
    bool weight = false, header = false, compact = false;
    for (size_t i = 1; i < a.size(); ++i) {
        const std::string& w = a[i].text;
        if (!a[i].quoted && (w == "thin" || w == "thick") && !weight) {
            options.m_bThickOuter = w == "thick";
            weight = true;
        } else if (!a[i].quoted && w == "header" && !header) {
            options.m_bHeader = header = true;
        } else if (!a[i].quoted && w == "compact" && !compact) {
            options.m_bCompact = compact = true;
        } else {
            error = "tableformat: the words are thin or thick, header and compact, not '" + w + "'";
            return false;
        }
    }
    return true;
}

// The words after sorttable: desc, and header or noheader, each once.
bool ParseSortWords(const std::vector<CScriptWord>& a, bool& descending, int& header,
                    std::string& error) {
    descending = false;
    header = -1; // the table's own rule
    for (size_t i = 1; i < a.size(); ++i) {
        const std::string& w = a[i].text;
        if (!a[i].quoted && w == "desc" && !descending) {
            descending = true;
        } else if (!a[i].quoted && (w == "header" || w == "noheader") && header < 0) {
            header = w == "header";
        } else {
            error = "sorttable: the words are desc, and header or noheader, not '" + w + "'";
            return false;
        }
    }
    return true;
}

} // namespace

// The table at the selection for a command that the window would allow now.
bool CCliSession::SelectedTable(const Args& a, int id, CDrawnTable& table, std::string& error) {
    if (!m_pController->IsCommandEnabled(id)) {
        error = a[0].text + ": " + NotAvailableText(id);
        return false;
    }
    const CTableCommandResult result = TableAtSelection(*m_pDoc, table);
    if (!result.Done()) error = a[0].text + ": " + EnglishTableMessage(result);
    return result.Done();
}

bool CCliSession::TableCommand(const Args& a, std::string& error) {
    const std::string& name = a[0].text;
    const bool data = name == "tabledata", format = name == "tableformat";
    const bool sort = name == "sorttable", merge = name == "mergecells";
    if ((data && a.size() != 2) || ((name == "copytable" || merge) && a.size() != 1) ||
        (sort && a.size() > 3) || (format && a.size() > 4)) {
        error = name + ": wrong number of arguments";
        return false;
    }
    const int id = data     ? ID_SAVE_TABLE_DATA
                   : format ? ID_FORMAT_TABLE
                   : sort   ? ID_SORT_TABLE
                   : merge  ? ID_MERGE_CELLS
                            : ID_COPY_TABLE_DATA;
    CTableOptions options;
    bool descending = false;
    int header = -1;
    if ((format && !ParseFormatWords(a, options, error)) ||
        (sort && !ParseSortWords(a, descending, header, error)))
        return false;
    const CTableDataFormatRow* file = data ? TableDataFormatForPath(a[1].text) : nullptr;
    if (data && !file) {
        error = "tabledata: the file name must end in .csv, .tsv, .md or .html";
        return false;
    }
    CDrawnTable table;
    if (!SelectedTable(a, id, table, error)) return false;
    m_pDoc->BreakUndoRun();
    CCellRect selection = m_pDoc->m_rcSelection;
    m_pDoc->ClipToCanvas(selection);
    CTableCommandResult result;
    if (data) return SaveTableData(table, a[1].text, file->format, error);
    if (format)
        result =
            ReLayTable(*m_pDoc, &m_view, table, a.size() > 1 ? options : TableOptionsOf(table));
    else if (sort)
        result = ::SortTable(*m_pDoc, &m_view, table, std::max(0, table.ColumnAt(selection.left)),
                             descending, header < 0 ? table.m_bHeader : header == 1);
    else if (merge)
        result = MergeTableCells(*m_pDoc, &m_view, table, selection);
    else
        m_clipboard.SetText(TableClipboardBytes(table));
    if (result.Done()) return true;
    error = name + ": " + EnglishTableMessage(result);
    return false;
}
