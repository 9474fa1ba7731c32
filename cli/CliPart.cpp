// Parts of files: open FILE LINES, save back in place, diagrams FILE.
#include "canvas/RuvlenDoc.h"
#include "canvas/io/FilePartFile.h"
#include "canvas/io/TextFile.h"
#include "cli/CliSession.h"
#include "cli/CliWording.h"

#include <cstdlib>
#include <ostream>

namespace {

// What went wrong, naming the file; a read or write error names it already.
std::string PartError(const char* what, const std::string& path, const CPartProblem& problem) {
    if (problem.m_kind == EPartProblem::Io) return FileProblem(what, path, problem.m_strMessage);
    std::string text = path + ": " + DescribePartProblemEnglish(problem);
    if (problem.m_kind == EPartProblem::ChangedOnDisk)
        text += " (save OTHERFILE writes the whole file under another name)";
    return text;
}

// A whole decimal number of at most nine digits.
bool ParseLineNumber(const std::string& text, int& value) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::atoi(text.c_str());
    return true;
}

const char kLinesUsage[] = "open: LINES is FIRST-LAST (such as 39-55) or diagram N";

} // namespace

bool CCliSession::OpenPart(const Args& a, std::string& error) {
    const std::string& path = a[1].text;
    int first = 0, last = 0;
    if (a.size() == 4) {
        int n = 0;
        std::vector<CDiagramBlock> blocks;
        int lines = 0;
        CPartProblem problem;
        if (a[2].quoted || a[2].text != "diagram" || !ParseLineNumber(a[3].text, n)) {
            error = kLinesUsage;
            return false;
        }
        if (!ReadDiagramBlocks(path, blocks, lines, problem)) {
            error = PartError("open", path, problem);
            return false;
        }
        if (n < 1 || n > int(blocks.size())) {
            error = "open: " + path + " has " + std::to_string(blocks.size()) +
                    " diagram blocks, so there is no diagram " + a[3].text +
                    " (diagrams FILE lists them)";
            return false;
        }
        first = blocks[size_t(n - 1)].m_nFirst;
        last = blocks[size_t(n - 1)].m_nLast;
    } else {
        const std::string& range = a[2].text;
        const size_t dash = range.find('-');
        if (a[2].quoted || dash == std::string::npos ||
            !ParseLineNumber(range.substr(0, dash), first) ||
            !ParseLineNumber(range.substr(dash + 1), last)) {
            error = kLinesUsage;
            return false;
        }
    }
    auto doc = std::make_unique<CRuvlenDoc>();
    CFilePart part;
    CPartProblem problem;
    if (!OpenFilePart(*doc, path, first, last, part, problem)) {
        error = PartError("open", path, problem);
        return false;
    }
    Adopt(std::move(doc));
    m_part = std::move(part);
    WarnReplacements(path);
    return true;
}

bool CCliSession::SavePart(const Args& a, const CTextFormat& format, std::string& error) {
    const std::string path = a.size() == 1 ? m_part->m_strPath : a[1].text;
    CPartProblem problem;
    if (SaveFilePartTo(*m_pDoc, *m_part, path, format, problem)) return true;
    error = PartError("save", path, problem);
    return false;
}

bool CCliSession::Diagrams(const std::string& path, std::string& error) {
    std::vector<CDiagramBlock> blocks;
    int lines = 0;
    CPartProblem problem;
    if (!ReadDiagramBlocks(path, blocks, lines, problem)) {
        error = PartError("diagrams", path, problem);
        return false;
    }
    for (const CDiagramBlock& block : blocks)
        m_out << block.m_nFirst << '-' << block.m_nLast << ' ' << block.m_strFirstLine << '\n';
    return true;
}

// After a cut open: where the file's diagrams are, so that a script can open
// the right part instead.
void CCliSession::ListBlocksOfCutFile(const std::string& path) {
    std::vector<CDiagramBlock> blocks;
    int lines = 0;
    CPartProblem problem;
    if (!ReadDiagramBlocks(path, blocks, lines, problem)) return;
    m_err << "tavik-cli: warning: " << path << ": " << lines << " lines, " << blocks.size()
          << " diagram block" << (blocks.size() == 1 ? "" : "s") << "; open " << path
          << " FIRST-LAST edits one in place" << (blocks.empty() ? "" : ":") << "\n";
    for (const CDiagramBlock& block : blocks)
        m_err << "tavik-cli:   " << block.m_nFirst << '-' << block.m_nLast << ' '
              << block.m_strFirstLine << '\n';
}
