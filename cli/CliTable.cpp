// The table command: data from a file or the clipboard as a waiting paste.
#include "canvas/CommandIds.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/TableLayout.h"
#include "canvas/io/TableText.h"
#include "canvas/io/TextFile.h"
#include "cli/CliSession.h"
#include "cli/CliWording.h"

#include <ostream>

namespace {

// Larger data could never give a table that fits a canvas.
constexpr size_t kMaxTableBytes = 1 << 20;

std::string ProblemText(const CTableProblem& p) {
    switch (p.m_kind) {
    case TableProblem::NoFields:
        return "the data holds no fields";
    case TableProblem::UnterminatedQuote:
        return "the quoted field that starts in line " + std::to_string(p.m_nLine) +
               " is not closed";
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
