// Decodes its input into a sequence of tavik-cli commands and gestures (canvas
// size, tools, drags and clicks, right clicks, edit commands, clipboard text,
// palette picks) and runs them through the session the command line uses. After
// every step it checks that
// - the canvas size, the selection, the undo rectangle and the paste buffer stay
//   inside their limits, and the square flag matches the selection;
// - every cell that changed lies inside the undo rectangle of that step;
// - no cell off the canvas changed, except by undo giving back the snapshot;
// - no gesture is left half done, and every changed cell holds two non-NUL
//   bytes (a line cell its glyph).
#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"
#include "cli/CliSession.h"

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr int GRID = CRuvlenDoc::GRID;
// Enough for any sequence that matters; longer inputs only cost time.
constexpr int kMaxSteps = 100;

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

// Reads the input byte by byte; past its end every byte is 0.
class CByteReader {
public:
    CByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool AtEnd() const { return m_pos >= m_size; }
    int Next() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    int Below(int n) { return Next() % n; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// Characters the text tools and the clipboard get: half- and full-width text,
// box-drawing characters, a character without a Shift-JIS form, line breaks.
const char* const kPieces[] = {"a", "Z", " ", "\t", "\n", "\r\n", "品",   "　", "┼",  "━",
                               "★", "€", "ｱ", "\\", "\"", "ab",   "漢字", "─┐", "\r", "x"};

std::string Text(CByteReader& in) {
    std::string text;
    for (int n = in.Below(24); n > 0; --n) text += kPieces[in.Below(20)];
    return text;
}

// A coordinate: mostly on the canvas, now and then just past its edge.
std::string Coordinate(CByteReader& in, int limit) {
    return std::to_string(in.Below(limit + 2));
}

std::string Size(CByteReader& in) {
    return std::to_string(CRuvlenDoc::MIN_SIZE + in.Below(90));
}

const char* const kTools[] = {"select", "hline",  "vline", "rect",
                              "erase",  "symbol", "htext", "vtext"};
const char* const kEdits[] = {"copy",  "cut",      "paste",     "tpaste", "undo", "selectall",
                              "clear", "rotate90", "rotate180", "fliph",  "flipv"};
const char* const kArms[] = {"right", "down", "left", "up"};

using Words = std::vector<CScriptWord>;

void AddCell(Words& w, CByteReader& in, const CRuvlenDoc& doc) {
    w.push_back({Coordinate(in, doc.m_nColumns)});
    w.push_back({Coordinate(in, doc.m_nLines)});
}

// One command decoded from the input.
Words NextCommand(CByteReader& in, const CRuvlenDoc& doc) {
    Words w;
    const int op = in.Below(16);
    switch (op) {
    case 0: // a new canvas forgets everything: only after a marker byte
        if (in.Next() == 'N') return {{"new"}, {Size(in)}, {Size(in)}};
        return {{"show"}};
    case 1:
    case 2:
        return {{"size"}, {Size(in)}, {Size(in)}};
    case 3:
        return {{"tool"}, {kTools[in.Below(8)]}};
    case 4:
        return {{"weight"}, {in.Below(2) ? "thin" : "thick"}};
    case 5:
    case 6:
    case 7:
        w = {{"drag"}};
        AddCell(w, in, doc);
        AddCell(w, in, doc);
        if (in.Below(3) == 0) w.push_back({Text(in), true});
        return w;
    case 8:
        w = {{"click"}};
        AddCell(w, in, doc);
        return w;
    case 9:
        w = {{"rclick"}};
        AddCell(w, in, doc);
        w.push_back({kArms[in.Below(4)]});
        return w;
    case 10:
        return {{"clipboard"}, {Text(in), true}};
    case 11:
        return {{"pick"}, {std::to_string(in.Below(10))}, {std::to_string(in.Below(60))}};
    default:
        return {{kEdits[in.Below(11)]}};
    }
}

bool Inside(const CCellRect& rc, int columns, int lines) {
    return 0 <= rc.left && rc.left <= rc.right && rc.right < columns && 0 <= rc.top &&
           rc.top <= rc.bottom && rc.bottom < lines;
}

void CheckState(const CRuvlenDoc& doc) {
    Check(doc.m_nColumns >= CRuvlenDoc::MIN_SIZE && doc.m_nColumns <= CRuvlenDoc::MAX_SIZE);
    Check(doc.m_nLines >= CRuvlenDoc::MIN_SIZE && doc.m_nLines <= CRuvlenDoc::MAX_SIZE);
    if (doc.m_bSelection) {
        Check(Inside(doc.m_rcSelection, doc.m_nColumns, doc.m_nLines));
        const bool square = doc.m_rcSelection.Width() == doc.m_rcSelection.Height();
        Check(doc.m_bSquareSelection == (square ? 1 : 0));
    } else {
        Check(doc.m_bSquareSelection == 0);
    }
    if (doc.m_bUndo) Check(Inside(doc.m_rcUndo, CRuvlenDoc::MAX_SIZE, CRuvlenDoc::MAX_SIZE));
    Check(doc.m_nBufferColumns >= 0 && doc.m_nBufferColumns <= GRID);
    Check(doc.m_nBufferLines >= 0 && doc.m_nBufferLines <= GRID);
    // A gesture is whole within one command; only a paste may wait.
    Check(doc.m_nToolState == 0 || doc.m_nToolState == 2);
    Check((doc.m_nToolState != 0) == (doc.m_pTool != nullptr));
}

void CheckCell(const CCell& cell) {
    Check(cell.m_szText[0] != 0 && cell.m_szText[1] != 0 && cell.m_szText[2] == 0);
    if (cell.m_bLine) Check(std::memcmp(LineGlyphFor(cell.m_nLineFlags), cell.m_szText, 2) == 0);
}

// The canvas and undo grids before a step. The grids are contiguous arrays of
// plain cells: they are copied as blocks into buffers kept between steps, and
// compared a row at a time, looking at single cells only in rows that differ.
struct CSnapshot {
    CCell cells[GRID * GRID];
    CCell undo[GRID * GRID];
    void Take(CRuvlenDoc& doc) {
        std::memcpy(cells, &doc.Cell(0, 0), sizeof cells);
        std::memcpy(undo, &doc.UndoCell(0, 0), sizeof undo);
    }
};

// Every changed cell lies in the step's undo rectangle; off the canvas only
// undo may change a cell, and only back to the snapshot it held.
void CheckChanges(CRuvlenDoc& doc, const CSnapshot& before, bool undo) {
    for (int y = 0; y < GRID; ++y) {
        const CCell* row = &doc.Cell(0, y);
        if (std::memcmp(row, &before.cells[y * GRID], GRID * sizeof(CCell)) == 0) continue;
        for (int x = 0; x < GRID; ++x) {
            const CCell& was = before.cells[y * GRID + x];
            if (std::memcmp(&row[x], &was, sizeof(CCell)) == 0) continue;
            CheckCell(row[x]);
            if (row[x] == was) continue;
            Check(doc.m_bUndo && doc.m_rcUndo.Contains(x, y));
            if (x >= doc.m_nColumns || y >= doc.m_nLines)
                Check(undo && row[x] == before.undo[y * GRID + x]);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::ostream discard(nullptr);
    CCliSession session(discard, discard);
    CByteReader in(data, size);
    for (int step = 0; step < kMaxSteps && !in.AtEnd(); ++step) {
        CRuvlenDoc& doc = session.Document();
        const Words words = NextCommand(in, doc);
        static CSnapshot before;
        before.Take(doc);
        std::string error;
        const bool ran = session.Run(words, error);
        if (ran && words[0].text == "new") continue; // doc is gone
        CheckState(doc);
        CheckChanges(doc, before, words[0].text == "undo");
    }
    return 0;
}
