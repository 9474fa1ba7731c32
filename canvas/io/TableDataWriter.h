#pragma once

#include <string>
#include <vector>

struct CDrawnTable;

// A recognised table (canvas/TableRecognition.h) written as data: the formats
// of "表をデータとして保存", tavik-cli's tabledata and the clipboard's text.

enum class TableDataFormat { Csv, Tsv, Markdown, Html };

// One format: its file name suffix (lower case, with the dot) and the file
// dialog's filter text. The save dialog and tavik-cli go through this table.
struct CTableDataFormatRow {
    TableDataFormat format;
    const char* suffix;
    const char* filter;
};

const std::vector<CTableDataFormatRow>& TableDataFormats();
// The format whose suffix the path ends in, in any case; null for none.
const CTableDataFormatRow* TableDataFormatForPath(const std::string& path);

// The file's bytes, UTF-8:
// - CSV: with a byte-order mark, CR LF, fields holding a comma, a tab, a line
//   break or a quote in double quotes with the quotes inside doubled;
// - TSV: CR LF, quoted the same way for a tab, a line break or a quote;
// - Markdown: a pipe table whose header is the first row, columns whose body
//   fields (those not empty) are all numbers aligned right, | as \| and line
//   breaks as <br>;
// - HTML: a document with one <table>, <th> for the first row of a table
//   with a header, colspan and rowspan for merged cells, & < > escaped and
//   line breaks as <br>.
// In CSV, TSV and Markdown a merged field's text is in its top-left place and
// the places it covers are empty. Fields are written as they stand.
std::string TableDataBytes(const CDrawnTable& table, TableDataFormat format);

// The table as the clipboard takes it (CClipboardPort::SetText): TSV in
// Shift-JIS with CR LF, quoted as above.
std::string TableClipboardBytes(const CDrawnTable& table);

// Writes TableDataBytes through WriteFileSafely (canvas/io/SafeWrite.h); on
// failure error holds the message (Japanese, naming the file).
bool SaveTableData(const CDrawnTable& table, const std::string& path, TableDataFormat format,
                   std::string& error);
