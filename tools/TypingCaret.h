#pragma once

#include "canvas/Cell.h"
#include "canvas/CellRect.h"
#include "canvas/ToolObject.h"

#include <map>
#include <string>

class CRuvlenDoc;

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
// Every change repaints only the cells it changed and the caret's old and new
// cells, in every window of the canvas.
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
        KEY_ESCAPE
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
    int Half() const { return m_nHalf; } // 0 left, 1 right, 2 past the right edge

    // Types UTF-8 text at the caret; "\n" is Enter, other control characters are
    // skipped. A character with no Shift-JIS form, or a full-width one with no
    // room at the right edge, is not written and `status` (UTF-8) says why;
    // returns false then.
    bool TypeText(const std::string& utf8, std::string* status);
    // One key with MOD_ flags; false for a key the caret does not use.
    bool PressKey(int key, int modifiers);
    // The next keystroke starts a new run (and a new undo step).
    void EndRun() { m_nRunKind = RUN_NONE; }

    // CToolObject: taking the caret away repaints its cell; a smaller canvas
    // keeps the caret on it; after undo or redo a caret that would stand
    // inside a full-width character goes to its start.
    void EraseFeedback() override;
    void FitToCanvas() override;
    void CellsRestored() override;

private:
    enum RunKind { RUN_NONE, RUN_TYPING, RUN_DRAWING };
    // What a drawing run knows of a cell it passed: the cell as the run found it
    // and the arms the path used in it.
    struct PathCell {
        CCell original;
        int arms = 0;
    };

    void MoveTo(int column, int row, int half);
    void MoveBy(int dx, int dy);
    bool Edit(int key);
    void BeginRun(RunKind kind);
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

    CRuvlenDoc* m_pDoc;
    CCellPoint m_caret;
    int m_nHalf = 0;
    RunKind m_nRunKind = RUN_NONE;
    int m_nRun = 0;                 // the document's undo run
    int m_nSerial = 0;              // the document's undo serial after the run's last keystroke
    int m_nRunColumn = 0;           // where Enter returns to
    int m_nRunLineMode = 0;         // the weight a drawing run draws in
    std::map<int, PathCell> m_path; // by x + 100 y
};

// The path's arms of a cell merged into the cell as the run found it, with the
// line tools' operations: one arm alone is a full straight line, two facing
// arms a straight line, two perpendicular arms a corner.
CCell MergePathArms(const CCell& original, int arms, int thick);

extern const char* const kNoShiftJisMessage;
extern const char* const kNoRoomAtEdgeMessage;
