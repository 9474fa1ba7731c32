#include "canvas/io/TableDataWriter.h"

#include "canvas/TableLayout.h"
#include "canvas/TableRecognition.h"
#include "canvas/io/Cp932.h"
#include "canvas/io/SafeWrite.h"

#include <cctype>

namespace {

using Rows = std::vector<std::vector<std::string>>;

// A field of separated values, quoted when it holds the separator, a quote
// or a line break.
std::string Quoted(const std::string& field, char separator) {
    if (field.find_first_of(std::string("\"\r\n\t") + separator) == std::string::npos) return field;
    std::string out = "\"";
    for (char c : field) out += c == '"' ? "\"\"" : std::string(1, c);
    return out + "\"";
}

// Shift-JIS separated values, rows ending in CR LF.
std::string Separated(const Rows& rows, char separator) {
    std::string out;
    for (const auto& row : rows) {
        for (size_t c = 0; c < row.size(); ++c)
            out += (c ? std::string(1, separator) : std::string()) + Quoted(row[c], separator);
        out += "\r\n";
    }
    return out;
}

std::string Utf8(const std::string& sjis) {
    std::string utf8;
    Cp932ToUtf8(sjis, utf8);
    return utf8;
}

std::string Replaced(const std::string& text, char from, const std::string& to) {
    std::string out;
    for (char c : text) out += c == from ? to : std::string(1, c);
    return out;
}

// In UTF-8, where no byte of another character is a |, as a Shift-JIS
// trail byte can be.
std::string MarkdownCell(const std::string& field) {
    return Replaced(Replaced(Utf8(field), '|', "\\|"), '\n', "<br>");
}

// Right when every body field of the column that is not empty is a number,
// and there is one.
bool NumberColumn(const Rows& rows, size_t column) {
    bool any = false;
    for (size_t r = 1; r < rows.size(); ++r) {
        const std::string& f = rows[r][column];
        if (f.empty()) continue;
        if (!CTableLayout::IsNumber(f)) return false;
        any = true;
    }
    return any;
}

// The pipe table, UTF-8.
std::string Markdown(const Rows& rows) {
    std::string out;
    const auto line = [&out](const std::vector<std::string>& cells) {
        out += "|";
        for (const std::string& cell : cells) out += " " + cell + " |";
        out += "\n";
    };
    for (size_t r = 0; r < rows.size(); ++r) {
        std::vector<std::string> cells;
        for (const std::string& f : rows[r]) cells.push_back(MarkdownCell(f));
        line(cells);
        if (r > 0) continue;
        std::vector<std::string> rule;
        for (size_t c = 0; c < rows[0].size(); ++c)
            rule.push_back(NumberColumn(rows, c) ? "---:" : "---");
        line(rule);
    }
    return out;
}

std::string HtmlText(const std::string& field) {
    std::string out;
    for (char c : field) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '\n':
            out += "<br>";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string Html(const CDrawnTable& table) {
    std::string out = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n</head>\n"
                      "<body>\n<table>\n";
    size_t next = 0;
    for (int r = 0; r < table.Rows(); ++r) {
        const char* tag = r == 0 && table.m_bHeader ? "th" : "td";
        out += "<tr>";
        for (; next < table.m_fields.size() && table.m_fields[next].m_nRow == r; ++next) {
            const CTableField& f = table.m_fields[next];
            out += std::string("<") + tag;
            if (f.m_nColumnSpan > 1) out += " colspan=\"" + std::to_string(f.m_nColumnSpan) + "\"";
            if (f.m_nRowSpan > 1) out += " rowspan=\"" + std::to_string(f.m_nRowSpan) + "\"";
            out += ">" + HtmlText(f.m_strText) + "</" + tag + ">";
        }
        out += "</tr>\n";
    }
    return out + "</table>\n</body>\n</html>\n";
}

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size()) return false;
    for (size_t i = 0; i < suffix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - suffix.size() + i])) !=
            suffix[i])
            return false;
    return true;
}

} // namespace

const std::vector<CTableDataFormatRow>& TableDataFormats() {
    static const std::vector<CTableDataFormatRow> rows = {
        {TableDataFormat::Csv, ".csv", "CSV (カンマ区切り) (*.csv)"},
        {TableDataFormat::Tsv, ".tsv", "TSV (タブ区切り) (*.tsv)"},
        {TableDataFormat::Markdown, ".md", "Markdown (*.md)"},
        {TableDataFormat::Html, ".html", "HTML (*.html)"},
    };
    return rows;
}

const CTableDataFormatRow* TableDataFormatForPath(const std::string& path) {
    for (const CTableDataFormatRow& row : TableDataFormats())
        if (EndsWithNoCase(path, row.suffix)) return &row;
    return nullptr;
}

std::string TableDataBytes(const CDrawnTable& table, TableDataFormat format) {
    switch (format) {
    case TableDataFormat::Csv:
        return "\xEF\xBB\xBF" + Utf8(Separated(table.Data(), ','));
    case TableDataFormat::Tsv:
        return Utf8(Separated(table.Data(), '\t'));
    case TableDataFormat::Markdown:
        return Markdown(table.Data());
    case TableDataFormat::Html:
        break;
    }
    return Utf8(Html(table));
}

std::string TableClipboardBytes(const CDrawnTable& table) {
    return Separated(table.Data(), '\t');
}

bool SaveTableData(const CDrawnTable& table, const std::string& path, TableDataFormat format,
                   std::string& error) {
    return WriteFileSafely(path, TableDataBytes(table, format), error);
}
