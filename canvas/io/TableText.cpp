#include "canvas/io/TableText.h"

#include "canvas/ByteClass.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/CsvReader.h"
#include "canvas/io/Utf8CellText.h"

namespace {

void Count(CTextReplacements& r, CharChange kind, int row, int field) {
    if (kind == CharChange::BoxChar)
        ++r.m_nBoxChars;
    else if (kind == CharChange::LookAlike)
        ++r.m_nLookAlikes;
    else
        ++r.m_nUnmappable;
    if (r.m_nFirstLine == 0) {
        r.m_nFirstLine = row + 1;
        r.m_nFirstColumn = field + 1;
    }
}

// Keeps what a cell can show: single-byte characters, whole double-byte ones
// and the LF between a field's lines. A tab becomes a blank; any other byte
// (a control byte, a lead byte without its trail) becomes 〓 and is counted.
std::string CellSafe(const std::string& sjis, CTextReplacements& r, int row, int field) {
    std::string out;
    out.reserve(sjis.size());
    for (size_t i = 0; i < sjis.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(sjis[i]);
        if (c == '\n' || IsSingleByteChar(c)) {
            out += static_cast<char>(c);
        } else if (c == '\t') {
            out += ' ';
        } else if (IsLeadByte(c) && i + 1 < sjis.size() &&
                   IsTrailByte(static_cast<unsigned char>(sjis[i + 1]))) {
            out += sjis.substr(i++, 2);
        } else {
            out += SJIS_REPLACEMENT;
            Count(r, CharChange::Unmappable, row, field);
        }
    }
    return out;
}

TableProblem TableProblemOf(CsvProblem csv) {
    switch (csv) {
    case CsvProblem::NoFields:
        return TableProblem::NoFields;
    case CsvProblem::TooManyRows:
        return TableProblem::TooManyRows;
    case CsvProblem::TooManyFields:
        return TableProblem::TooManyFields;
    case CsvProblem::TooManyLines:
        return TableProblem::TooManyLines;
    default:
        return TableProblem::UnterminatedQuote;
    }
}

bool ReadRows(const std::string& text, CCsvRows& rows, CTableProblem& problem) {
    problem = CTableProblem();
    if (text.size() > kMaxTableBytes) {
        problem.m_kind = TableProblem::TooMuchData;
        return false;
    }
    CCsvLimits limits;
    limits.m_nFields = MaxTableFields();
    limits.m_nRows = limits.m_nLines = MaxTableLines();
    CsvProblem csv;
    int line = 0;
    if (ReadCsv(text, rows, csv, &line, limits)) return true;
    problem.m_kind = TableProblemOf(csv);
    problem.m_nLine = line;
    return false;
}

} // namespace

int MaxTableFields() {
    return (CRuvlenDoc::MAX_SIZE - 2) / 2;
}

int MaxTableLines() {
    return CRuvlenDoc::MAX_SIZE - 2;
}

bool ReadTableUtf8(const std::string& utf8, CTableData& data, CTableProblem& problem) {
    data = CTableData();
    CCsvRows rows;
    if (!ReadRows(utf8, rows, problem)) return false;
    data.m_bTabs = rows.m_bTabs;
    for (size_t y = 0; y < rows.m_rows.size(); ++y) {
        std::vector<std::string>& row = rows.m_rows[y];
        for (size_t x = 0; x < row.size(); ++x) {
            std::vector<CCharChange> changes;
            const std::string sjis = Utf8ToCellBytes(row[x], 0, changes);
            for (const CCharChange& change : changes)
                Count(data.m_replacements, change.kind, static_cast<int>(y), static_cast<int>(x));
            row[x] = CellSafe(sjis, data.m_replacements, static_cast<int>(y), static_cast<int>(x));
        }
    }
    data.m_rows = std::move(rows.m_rows);
    return true;
}

bool ReadTableBytes(const std::string& bytes, CTableData& data, CTableProblem& problem) {
    if (DetectTextFormat(bytes).m_encoding != TextEncoding::ShiftJis)
        return ReadTableUtf8(bytes, data, problem);
    data = CTableData();
    CCsvRows rows;
    if (!ReadRows(bytes, rows, problem)) return false;
    data.m_bTabs = rows.m_bTabs;
    for (size_t y = 0; y < rows.m_rows.size(); ++y)
        for (size_t x = 0; x < rows.m_rows[y].size(); ++x)
            rows.m_rows[y][x] = CellSafe(rows.m_rows[y][x], data.m_replacements,
                                         static_cast<int>(y), static_cast<int>(x));
    data.m_rows = std::move(rows.m_rows);
    return true;
}

std::string TableProblemMessage(const CTableProblem& p) {
    switch (p.m_kind) {
    case TableProblem::NoFields:
        return "表にする項目がありません。";
    case TableProblem::UnterminatedQuote:
        return std::to_string(p.m_nLine) + " 行目で始まる \" で囲まれた項目が閉じていません。";
    case TableProblem::TooMuchData:
        return "データが大きすぎて表にできません（" + std::to_string(kMaxTableBytes / 1024) +
               " KB まで）。";
    case TableProblem::TooManyRows:
        return "データの行が多すぎて、どのキャンバスにも入りません。表にできるのは " +
               std::to_string(MaxTableLines()) + " 行までです（" + std::to_string(p.m_nLine) +
               " 行目で超えました）。";
    case TableProblem::TooManyFields:
        return std::to_string(p.m_nLine) +
               " 行目の項目が多すぎて、どのキャンバスにも入りません。表にできるのは 1 行に " +
               std::to_string(MaxTableFields()) + " 項目までです。";
    case TableProblem::TooManyLines:
        return "項目の中の改行も数えると表の行が多すぎて、どのキャンバスにも入りません。表の文字の"
               "行は " +
               std::to_string(MaxTableLines()) + " 行までです（" + std::to_string(p.m_nLine) +
               " 行目で超えました）。";
    case TableProblem::TooLarge:
        return "表には " + std::to_string(p.m_nNeedColumns) + " 桁 × " +
               std::to_string(p.m_nNeedLines) + " 行が必要ですが、キャンバスは " +
               std::to_string(p.m_nColumns) + " 桁 × " + std::to_string(p.m_nLines) + " 行です。";
    default:
        return std::string();
    }
}

std::string DescribeTableReplacements(const CTextReplacements& r) {
    if (!r.Any()) return std::string();
    return DescribeReplacedCharacters(r) + "最初は " + std::to_string(r.m_nFirstLine) + " 行目の " +
           std::to_string(r.m_nFirstColumn) + " 番目の項目です。";
}
