// Decodes its input into a sequence of tavik-cli commands and gestures (canvas
// size, tools, drags and clicks, right clicks, edit commands with undo and redo,
// the number of undo levels, clipboard text, palette picks, SVG exports) and runs
// them through the session the command line uses. After every step it checks that
// - the canvas size, the selection, the undo rectangle and the paste buffer stay
//   inside their limits, and the square flag matches the selection;
// - every cell that changed lies inside the rectangle the step undoes (for undo,
//   the one it restored);
// - no cell off the canvas changed, except by undo or redo (at one level: giving
//   back the snapshot);
// - no gesture is left half done, and every changed cell holds two non-NUL
//   bytes (a line cell its glyph);
// - undo then redo, and redo then undo, change nothing (at one level: undo twice).
// At the end, at 100 levels, undoing every step gives the canvas as it was when
// there was nothing to undo, and redoing them gives the canvas back.
#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"
#include "cli/CliSession.h"
#include "tools/CommandRegistry.h"
#include "tools/ToolRegistry.h"

#include <cstdint>
#include <cstdlib>
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

// Every tool name and every argument-less edit word, from the rows, so a new
// one is fuzzed without a change here.
const std::vector<std::string>& ToolNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> v;
        for (const CToolRow& row : ToolRows()) v.push_back(row.cliName);
        return v;
    }();
    return names;
}

const std::vector<std::string>& EditWords() {
    static const std::vector<std::string> words = [] {
        std::vector<std::string> v;
        for (const CCommandRow& row : CommandRegistry())
            if (row.cliWord) v.push_back(row.cliWord);
        return v;
    }();
    return words;
}

const char* const kArms[] = {"right", "down", "left", "up"};

using Words = std::vector<CScriptWord>;

// A folder of its own for the exported pictures, made once.
const std::string& ExportFolder() {
    static const std::string folder = [] {
        char name[] = "/tmp/tavik-fuzz-export-XXXXXX";
        const char* made = mkdtemp(name);
        return std::string(made ? made : "/tmp");
    }();
    return folder;
}

// An export: an .svg name in either case, a name that is refused, a folder that
// is not there; with or without a size, now and then one out of range.
Words ExportCommand(CByteReader& in) {
    const char* const names[] = {"/a.svg", "/B.SVG", "/c.png", "/missing/d.svg"};
    Words w = {{"export"}, {ExportFolder() + names[in.Below(4)]}};
    if (in.Below(2)) w.push_back({std::to_string(in.Below(7))});
    return w;
}

// Mostly the two ends, 1 and 100, which the history checks need.
Words UndoLevelsCommand(CByteReader& in) {
    const int choice = in.Below(8);
    const int levels = choice < 3 ? 100 : choice < 5 ? 1 : choice == 5 ? 2 : 1 + in.Below(101);
    return {{"undolevels"}, {std::to_string(levels)}};
}

void AddCell(Words& w, CByteReader& in, const CRuvlenDoc& doc) {
    w.push_back({Coordinate(in, doc.m_nColumns)});
    w.push_back({Coordinate(in, doc.m_nLines)});
}

// One command decoded from the input.
Words NextCommand(CByteReader& in, const CRuvlenDoc& doc) {
    Words w;
    const int op = in.Below(19);
    switch (op) {
    case 0: // a new canvas forgets everything: only after a marker byte
        if (in.Next() == 'N') return {{"new"}, {Size(in)}, {Size(in)}};
        return {{"show"}};
    case 1:
    case 2:
        return {{"size"}, {Size(in)}, {Size(in)}};
    case 3:
        return {{"tool"}, {ToolNames()[in.Below(int(ToolNames().size()))]}};
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
    case 16:
        return UndoLevelsCommand(in);
    case 17:
        return ExportCommand(in);
    default: // 12 to 15 and 18
        return {{EditWords()[in.Below(int(EditWords().size()))]}};
    }
}

bool MovesStorage(const std::string& word) {
    for (const char* edit : {"insertlines", "deletelines", "insertcols", "deletecols"})
        if (word == edit) return true;
    return false;
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
    // Line and column edits save the whole stored grid, hidden cells included.
    if (doc.m_bUndo) Check(Inside(doc.m_rcUndo, GRID, GRID));
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

bool SameCells(const CCell* a, const CCell* b) {
    return std::memcmp(a, b, GRID * GRID * sizeof(CCell)) == 0;
}

// Every changed cell lies in the rectangle the step can undo (after undo: the
// one it restored, which was the next to undo before it); off the canvas only
// undo and redo may change a cell, and at one level only back to its snapshot.
// Cells beyond the canvas change only by undo and redo, or by an edit that
// moves whole stored lines or columns (hidden cells go with their lines).
void CheckChanges(CRuvlenDoc& doc, const CSnapshot& before, const CCellRect& undoneRect,
                  bool history, bool movesStorage) {
    const bool oneLevel = doc.GetUndoLevels() == 1;
    for (int y = 0; y < GRID; ++y) {
        const CCell* row = &doc.Cell(0, y);
        if (std::memcmp(row, &before.cells[y * GRID], GRID * sizeof(CCell)) == 0) continue;
        for (int x = 0; x < GRID; ++x) {
            const CCell& was = before.cells[y * GRID + x];
            if (std::memcmp(&row[x], &was, sizeof(CCell)) == 0) continue;
            CheckCell(row[x]);
            if (row[x] == was) continue;
            const bool inUndo = doc.m_bUndo && doc.m_rcUndo.Contains(x, y);
            Check(inUndo || (history && undoneRect.Contains(x, y)));
            if ((x >= doc.m_nColumns || y >= doc.m_nLines) && !movesStorage)
                Check(history && (!oneLevel || row[x] == before.undo[y * GRID + x]));
        }
    }
}

// What undo and redo leave to compare besides the cells: the history's shape.
struct CHistoryState {
    int steps;
    bool canUndo, canRedo;
    CCellRect next;
    bool operator==(const CHistoryState& o) const {
        return steps == o.steps && canUndo == o.canUndo && canRedo == o.canRedo &&
               (!canUndo || next == o.next);
    }
    static CHistoryState Of(const CRuvlenDoc& doc) {
        return {doc.GetUndoStepCount(), doc.CanUndo(), doc.CanRedo(), doc.m_rcUndo};
    }
};

// Runs two history moves that must cancel out and checks that they do.
template <class First, class Second>
void CheckCancels(CRuvlenDoc& doc, CSnapshot& scratch, First first, Second second) {
    const int modified = doc.IsModified();
    const CHistoryState state = CHistoryState::Of(doc);
    scratch.Take(doc);
    first();
    second();
    Check(SameCells(scratch.cells, &doc.Cell(0, 0)));
    Check(CHistoryState::Of(doc) == state);
    doc.SetModifiedFlag(modified);
}

// Undo then redo and redo then undo change nothing; at one level, where undo
// is its own inverse, undo twice changes nothing.
void CheckUndoRedoPairs(CRuvlenDoc& doc) {
    static CSnapshot scratch;
    auto undo = [&doc] { doc.Undo(nullptr); };
    auto redo = [&doc] { doc.Redo(nullptr); };
    if (doc.GetUndoLevels() == 1) {
        if (doc.CanUndo()) CheckCancels(doc, scratch, undo, undo);
        return;
    }
    if (doc.CanUndo()) CheckCancels(doc, scratch, undo, redo);
    if (doc.CanRedo()) CheckCancels(doc, scratch, redo, undo);
}

// The canvas when, at 100 levels, there was nothing to undo: undoing every
// step must give it back. Unknown while fewer levels are kept, and once the
// history may have dropped its oldest step.
class CHistoryStart {
public:
    void Forget() { m_bKnown = false; }
    void Note(CRuvlenDoc& doc) {
        if (doc.GetUndoLevels() != 100 || doc.GetUndoStepCount() >= 100) {
            m_bKnown = false;
        } else if (!doc.CanUndo()) {
            m_start.Take(doc);
            m_bKnown = true;
        }
    }
    // Undoes everything (the start), then redoes as much (the canvas as it was).
    void CheckWholeHistory(CRuvlenDoc& doc) {
        if (!m_bKnown) return;
        static CSnapshot end;
        end.Take(doc);
        int undone = 0;
        for (; doc.CanUndo(); ++undone) doc.Undo(nullptr);
        Check(SameCells(m_start.cells, &doc.Cell(0, 0)));
        for (int i = 0; i < undone; ++i) {
            Check(doc.CanRedo());
            doc.Redo(nullptr);
        }
        Check(SameCells(end.cells, &doc.Cell(0, 0)));
    }

private:
    CSnapshot m_start;
    bool m_bKnown = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::ostream discard(nullptr);
    CCliSession session(discard, discard);
    CByteReader in(data, size);
    static CHistoryStart start; // large: kept between runs
    start.Forget();
    for (int step = 0; step < kMaxSteps && !in.AtEnd(); ++step) {
        CRuvlenDoc& doc = session.Document();
        start.Note(doc);
        const Words words = NextCommand(in, doc);
        static CSnapshot before;
        before.Take(doc);
        const CCellRect undoneRect = doc.m_rcUndo;
        std::string error;
        const bool ran = session.Run(words, error);
        if (ran && words[0].text == "new") continue; // doc is gone
        CheckState(doc);
        const bool history = words[0].text == "undo" || words[0].text == "redo";
        CheckChanges(doc, before, undoneRect, history, MovesStorage(words[0].text));
        CheckUndoRedoPairs(doc);
    }
    start.Note(session.Document());
    start.CheckWholeHistory(session.Document());
    return 0;
}
