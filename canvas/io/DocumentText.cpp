#include "canvas/io/DocumentText.h"

#include "canvas/RuvlenDoc.h"
#include "canvas/io/Cp932.h"
#include "canvas/io/LayoutReader.h"
#include "canvas/io/LayoutText.h"
#include "canvas/io/RoundTrip.h"
#include "canvas/io/Utf8CellText.h"

#include <algorithm>
#include <cstring>

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";

// Counts the changes that landed on the canvas and finds the first of them.
CTextReplacements TallyChanges(const std::vector<CCharChange>& changes,
                               const std::vector<CCellPoint>& cells) {
    CTextReplacements tally;
    for (size_t i = 0; i < changes.size(); ++i) {
        if (cells[i].x < 0) continue;
        const CTextReplacements::Place place{cells[i].y + 1, cells[i].x + 1};
        if (!tally.Any()) {
            tally.m_nFirstLine = place.line;
            tally.m_nFirstColumn = place.column;
        }
        switch (changes[i].kind) {
        case CharChange::BoxChar:
            if (!tally.m_nBoxChars++) tally.m_firstBoxChar = place;
            break;
        case CharChange::LookAlike:
            if (!tally.m_nLookAlikes++) tally.m_firstLookAlike = place;
            break;
        case CharChange::Unmappable:
            if (!tally.m_nUnmappable++) tally.m_firstUnmappable = place;
            break;
        }
    }
    return tally;
}

// Places cell bytes converted from the file, recording what landed of the
// characters the conversion changed.
void LoadCells(CRuvlenDoc& doc, const std::string& sjis, const std::vector<CCharChange>& changes) {
    std::vector<size_t> offsets;
    offsets.reserve(changes.size());
    for (const CCharChange& change : changes) offsets.push_back(change.offset);
    std::vector<CCellPoint> cells;
    CArchive ar = CArchive::ForLoading(sjis);
    ReadTextLocating(doc, ar, offsets, cells);
    doc.m_loadReplacements = TallyChanges(changes, cells);
}

void LoadUtf8(CRuvlenDoc& doc, const std::string& bytes, size_t start) {
    std::vector<CCharChange> changes;
    const std::string sjis = Utf8ToCellBytes(bytes, start, changes);
    LoadCells(doc, sjis, changes);
}

// Reads the bytes in the encoding and line ends of `format`, their box drawing as
// options say.
void LoadInFormat(CRuvlenDoc& doc, const std::string& bytes, CTextFormat format, bool truncated,
                  const CLayoutReadOptions& options) {
    const bool utf8 = format.m_encoding != TextEncoding::ShiftJis;
    const size_t start = format.m_encoding == TextEncoding::Utf8Bom ? 3 : 0;
    const CLayoutReading reading = ReadBoxLayout(bytes, start, utf8, options);
    if (reading.placed) {
        LoadCells(doc, reading.cells.bytes, reading.cells.changes);
    } else if (!utf8) {
        CArchive ar = CArchive::ForLoading(bytes);
        doc.ReadText(ar);
        doc.m_loadReplacements = CTextReplacements();
    } else {
        LoadUtf8(doc, bytes, start);
    }
    format.m_layout = reading.layout;
    format = WrittenFormat(format);
    doc.m_bLoadRelaid = reading.relaid;
    doc.m_nLoadAddedColumns = reading.addedColumns;
    doc.m_textFormat = format;
    // What a save with no edits would write, compared with what was read. Only
    // the start of a truncated file was read; that file is cut (m_bLoadCut).
    doc.m_loadRoundTrip = truncated
                              ? CRoundTripChange()
                              : FindRoundTripChange(bytes, DocumentText(doc, format),
                                                    format.m_encoding, UsesWesternWidths(format));
}

} // namespace

void LoadDocumentText(CRuvlenDoc& doc, const std::string& bytes, bool truncated,
                      const CLayoutReadOptions& options) {
    LoadInFormat(doc, bytes, DetectTextFormat(bytes, truncated), truncated, options);
}

void LoadDocumentTextAs(CRuvlenDoc& doc, const std::string& bytes, const CTextFormat& format,
                        bool truncated) {
    LoadInFormat(doc, bytes, format, truncated, ReadOptionsFor(format.m_layout));
}

int SavedLineCount(const CRuvlenDoc& doc) {
    if (doc.m_nFileLines < 0) return doc.m_nLines;
    char line[2 * CRuvlenDoc::MAX_SIZE];
    int last = 0; // lines up to the last one with something on it
    for (int y = doc.m_nLines - 1; y >= doc.m_nFileLines && last == 0; --y)
        if (TextFileLine(doc, y, line) > 0) last = y + 1;
    return std::min(doc.m_nLines, std::max(doc.m_nFileLines, last));
}

std::string DocumentText(const CRuvlenDoc& doc, const CTextFormat& format) {
    const char* eol = format.m_lineEnding == LineEnding::Lf ? "\n" : "\r\n";
    const int lines = SavedLineCount(doc);
    std::string sjis;
    if (format.m_layout != BoxLayout::Wide && lines > 0) {
        sjis = LayoutLines(doc, {0, 0, doc.m_nColumns - 1, lines - 1}, format, eol);
        if (!doc.m_bFileFinalLineEnd) sjis.resize(sjis.size() - std::strlen(eol));
        return EncodeLayoutText(sjis, format);
    }
    sjis.reserve(size_t(lines) * (2 * doc.m_nColumns + 2));
    char line[2 * CRuvlenDoc::MAX_SIZE];
    for (int y = 0; y < lines; ++y) {
        sjis.append(line, size_t(TextFileLine(doc, y, line)));
        if (y + 1 < lines || doc.m_bFileFinalLineEnd) sjis += eol;
    }
    if (format.m_encoding == TextEncoding::ShiftJis) return sjis;
    // Every line starts on a character boundary and CR and LF are never part of a
    // double-byte character, so the text converts in one piece.
    std::string utf8;
    Cp932ToUtf8(sjis, utf8);
    if (format.m_encoding == TextEncoding::Utf8Bom) utf8.insert(0, kByteOrderMark);
    return utf8;
}
