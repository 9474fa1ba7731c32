#pragma once

#include "canvas/Cell.h"
#include "canvas/CellRect.h"
#include "canvas/TableEditResult.h"
#include "canvas/ToolObject.h"

#include <map>
#include <string>
#include <vector>

class CRuvlenDoc;
struct CDrawnTable;
class CTableCellLine;

// The typing tool's caret on one canvas: the cell and the half of it where the
// next half-width character goes, and the run of keystrokes in progress.
//
// Typed text is written at the caret, overwriting, with the cell rules of the
// horizontal text tool: half-width characters fill a cell two at a time, a
// full-width character takes a whole cell (at a right half it leaves a half-width
// blank there and goes into the next cell). Shift+arrow draws one step of a ruled
// path in the current line weight. A run of typing (with Backspace, Delete and
// Enter) is one undo step, a run of drawing another; a caret moved by a click or
// a plain arrow, any other command and a change of line weight end the run.
//
// Inside an area of a recognised table (a table cell) the caret edits the cell
// instead (tools/TypingCaretTable.cpp): typing inserts into the cell's line and
// the rest of it moves, Backspace and Delete close up and never reach a
// border, Home and End go to the ends of the line's text, Enter to the next
// line of the cell (adding one to the row on the last), Tab and Shift+Tab to
// the next and previous field (Tab in the last one adds a row). A line that no
// longer fits widens its column through the table's lines; text kept to the
// right grows to the left. Growth is part of the typing run's undo step.
//
// Every change repaints only the cells it changed and the caret's old and new
// cells, in every window of the canvas; a growth also the table band that moved,
// and a move to another table cell that cell's frame and the old one's.
class CTypingCaret : public CToolObject {
public:
    enum Key {
        KEY_LEFT,
        KEY_RIGHT,
        KEY_UP,
        KEY_DOWN,
        KEY_HOME,
        KEY_END,
        KEY_BACKSPACE,
        KEY_DELETE,
        KEY_ENTER,
        KEY_ESCAPE,
        KEY_TAB
    };
    enum Modifier { MOD_SHIFT = 1, MOD_CTRL = 2 };

    explicit CTypingCaret(CRuvlenDoc* doc) : m_pDoc(doc) {}

    // The canvas's caret, or null when there is none.
    static CTypingCaret* Of(CRuvlenDoc* doc);
    // Puts the caret at the left half of a cell (clamped into the canvas),
    // creating it when the canvas has none; ends the run.
    static CTypingCaret& PlaceAt(CRuvlenDoc* doc, int column, int row);
    // The caret without a click: the one there is, or one where the canvas's
    // caret last stood, or else at `firstVisible` (the window's first cell in view).
    static CTypingCaret& Resume(CRuvlenDoc* doc, CCellPoint firstVisible);

    CCellPoint Cell() const { return m_caret; }
    // 0 left, 1 right, 2 past the right edge (of the canvas, or of the last
    // column of a table cell)
    int Half() const { return m_nHalf; }

    // Types UTF-8 text at the caret; "\n" is Enter, other control characters are
    // skipped. A character with no Shift-JIS form, or a full-width one with no
    // room at the right edge, is not written and `status` (UTF-8) says why;
    // returns false then. Where a table cannot grow for a character, that one
    // and the rest are not typed.
    bool TypeText(const std::string& utf8, std::string* status);
    // One key with MOD_ flags; false for a key the caret does not use. When a
    // table cannot grow for it, nothing changes and `status` says why.
    bool PressKey(int key, int modifiers, std::string* status = nullptr);
    // What the last keystroke's table growth would have needed and did not
    // get: the columns or lines the canvas must have (0 when nothing was refused).
    int NeededColumns() const { return m_nNeedColumns; }
    int NeededLines() const { return m_nNeedLines; }
    // The table cell the caret is in (its cells inside the borders; in a band
    // read as one row per text line, the caret's line of them); false outside
    // table cells. Kept from the caret's last move or edit, or the last Refresh.
    bool TableCell(CCellRect& cells) const;
    // Looks again for the caret's table cell after another command changed the
    // canvas, repainting the frames of the old and the new one when it moved.
    void Refresh() { RefreshTableCell(); }
    // The next keystroke starts a new run (and a new undo step).
    void EndRun() { m_nRunKind = RUN_NONE; }

    // CToolObject: taking the caret away repaints its cell; a smaller canvas
    // keeps the caret on it; after undo or redo a caret that would stand
    // inside a full-width character goes to its start, and the frame of its
    // table cell follows the restored table.
    void EraseFeedback() override;
    void FitToCanvas() override;
    void CellsRestored() override;

private:
    struct CCaretCell;
    enum RunKind { RUN_NONE, RUN_TYPING, RUN_DRAWING };
    // What a drawing run knows of a cell it passed: the cell as the run found it
    // and the arms the path used in it.
    struct PathCell {
        CCell original;
        int arms = 0;
    };

    void MoveTo(int column, int row, int half);
    void MoveBy(int dx, int dy);
    bool PressPlainKey(int key, int modifiers);
    bool Edit(int key);
    bool BeginRun(RunKind kind);
    bool TypeChar(const std::string& sjis, std::string* status);
    void TypeHalfWidth(char c);
    bool TypeFullWidth(const std::string& sjis, std::string* status);
    void Backspace();
    void Write(int x, int y, const CCell& cell);
    void DrawStep(int dx, int dy);
    void AddPathArm(int x, int y, int arm, int thick);
    void RepaintCell(const CCellPoint& cell) const;
    int LastColumn() const;
    int LastRow() const;

    // Table cells (tools/TypingCaretTable.cpp).
    bool FindCell(CCaretCell& cell) const;
    bool PressTableKey(int key, int modifiers, std::string* status);
    int TypeInCell(const std::string& sjis, std::string* status);
    void EraseInCell(const CCaretCell& cell, bool before);
    int EditPlace(const CTableCellLine& line, bool runStarts) const;
    bool EnterInCell(const CCaretCell& cell, std::string* status);
    bool TabInTable(const CCaretCell& cell, bool back, std::string* status);
    void MoveToField(const CDrawnTable& table, int field);
    void MoveToHalf(int half, int line, int lastColumn);
    int CaretHalf() const { return 2 * m_caret.x + m_nHalf; }
    bool RunKeepsRight(const CCaretCell& cell);
    void WriteLine(int left, int line, const std::vector<std::string>& cells);
    bool Refused(const CTableEditResult& result, bool lines, std::string* status);
    void SyncSerial();
    void RefreshTableCell();
    void RepaintFrame(const CCellRect& cells) const;

    CRuvlenDoc* m_pDoc;
    CCellPoint m_caret;
    int m_nHalf = 0;
    RunKind m_nRunKind = RUN_NONE;
    int m_nRun = 0;                 // the document's undo run
    int m_nSerial = 0;              // the document's undo serial after the run's last keystroke
    int m_nRunColumn = 0;           // where Enter returns to
    int m_nRunLineMode = 0;         // the weight a drawing run draws in
    std::map<int, PathCell> m_path; // by x + 100 y
    int m_nRunKeepsRight = -1;      // a typing run in a table cell: its text keeps right
    int m_nNeedColumns = 0, m_nNeedLines = 0;
    bool m_bInTable = false; // the caret's table cell, as last looked for
    CCellRect m_rcTableCell;
};

// The path's arms of a cell merged into the cell as the run found it, with the
// line tools' operations: one arm alone is a full straight line, two facing
// arms a straight line, two perpendicular arms a corner.
CCell MergePathArms(const CCell& original, int arms, int thick);

extern const char* const kNoShiftJisMessage;
extern const char* const kNoRoomAtEdgeMessage;

// Why a table cell did not grow: the columns (or lines) the canvas needs.
std::string TableGrowthMessage(bool lines, int needed);
