#pragma once

#include "canvas/Archive.h"
#include "canvas/CanvasDefaults.h"
#include "canvas/Cell.h"
#include "canvas/CellGeometry.h"
#include "canvas/CellRect.h"
#include "canvas/CommandIds.h"
#include "canvas/DocView.h"
#include "canvas/RoundTripChange.h"
#include "canvas/TableEditResult.h"
#include "canvas/TextFormat.h"
#include "canvas/ToolObject.h"
#include "canvas/UndoHistory.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

struct CSeamBand;

// One open canvas: three 100 x 100 grids (canvas, undo snapshot, paste buffer),
// its size and metrics, the selection, the state of the active tool and, with
// more than one undo level, the undo and redo history.
//
// Operations that change cells take the view that issued them (may be null) and
// cell coordinates. The drawing operations do not clip: callers pass coordinates
// inside the canvas, 0 <= column < m_nColumns and 0 <= line < m_nLines, and
// rectangles with left <= right and top <= bottom (the tools map points through
// CellFromPoint and shift their rectangles into the canvas). The operations on the
// selection and the paste buffer cut their rectangles down to the canvas, since a
// size change can leave a selection or a waiting paste larger than the canvas.
// Every such operation saves its undo
// rectangle first, then changes the cells, repaints them in the view and sets the
// modified flag.
class CRuvlenDoc {
public:
    static constexpr int GRID = 100;    // storage edge of each grid
    static constexpr int MAX_SIZE = 99; // largest canvas in columns or lines
    static constexpr int MIN_SIZE = 10;
    // m_nToolState: is there a tool object, and did a paste command make it.
    enum : int { NO_TOOL = 0, GESTURE_TOOL = 1, PASTE_TOOL = 2 };

    explicit CRuvlenDoc(const CCanvasDefaults& defaults = CCanvasDefaults());
    CRuvlenDoc(const CRuvlenDoc&) = delete;
    CRuvlenDoc& operator=(const CRuvlenDoc&) = delete;
    ~CRuvlenDoc();

    // Cell access (column x, line y); the grids are row-major with stride 100.
    CCell& Cell(int x, int y) { return m_cells[x + GRID * y]; }
    const CCell& Cell(int x, int y) const { return m_cells[x + GRID * y]; }
    CCell& UndoCell(int x, int y) { return m_undoCells[x + GRID * y]; }
    CCell& BufferCell(int x, int y) { return m_bufferCells[x + GRID * y]; }
    const CCell& BufferCell(int x, int y) const { return m_bufferCells[x + GRID * y]; }

    // --- Views ---
    void AddView(CDocView* view);
    void RemoveView(CDocView* view);
    const std::vector<CDocView*>& Views() const { return m_views; }
    void UpdateAllViews(CDocView* sender, int hint);

    // --- Text file ---
    void Serialize(CArchive& ar);
    void WriteText(CArchive& ar) const;
    void ReadText(CArchive& ar);

    // --- Metrics and hit tests (logical coordinates are device pixels) ---
    static int GetCellSize(int logPixelsX, int fontSizeIndex);
    // The layout of this canvas at a resolution (ComputeMetrics stores it).
    CCellGeometry Geometry(int logPixelsX) const;
    void ComputeMetrics(int logPixelsX);
    void ApplySettings(int logPixelsX);
    int IsInCanvas(int x, int y) const;
    CCellPoint CellFromPoint(int x, int y) const;
    int ArmFromPoint(int x, int y) const;
    CCellRect CellToLogical(const CCellRect& rc) const; // right and bottom exclusive
    // The canvas as a cell rectangle, and a rectangle cut down to it (corners in
    // any order); false when nothing of it lies on the canvas.
    CCellRect CanvasRect() const { return {0, 0, m_nColumns - 1, m_nLines - 1}; }
    bool ClipToCanvas(CCellRect& rc) const;

    // --- Repaint, undo snapshot, modified flag, tool ---
    void InvalidateCells(CDocView* view, int left, int top, int right, int bottom);
    void InvalidateCells(CDocView* view, const CCellRect& rc);
    void SaveUndo(int left, int top, int right, int bottom);
    void SaveUndoCell(const CCell& old, int x, int y);
    int IsModified() const { return m_bModified; }
    void SetModifiedFlag(int modified = 1) { m_bModified = modified; }
    // Ends the active tool and takes the typing caret away.
    void EndTool();

    // --- Runs of keystrokes (canvas/RuvlenDocTyping.cpp) ---
    // Undo for one keystroke of a run of typing or keyboard drawing. With run 0,
    // or when any other undo record, undo, redo or BreakUndoRun came since the
    // run's last keystroke, this saves the rectangle as SaveUndo does and opens a
    // new run; otherwise the run's one undo step grows to cover the rectangle too,
    // so that one undo takes back the whole run. Returns the run to pass next time.
    int SaveUndoRun(int left, int top, int right, int bottom, int run);
    // Changes with every undo record, undo, redo, level change and run break.
    int UndoSerial() const { return m_nUndoSerial; }
    bool IsUndoRunOpen(int run) const { return run != 0 && run == m_nUndoSerial && m_bUndo; }
    // Any other command: the next keystroke starts a new undo step.
    void BreakUndoRun() { ++m_nUndoSerial; }
    // Writes one cell as a keystroke of a run: undo as SaveUndoRun, the cell,
    // a repaint of that cell in every window of the canvas, the modified flag.
    // A cell that would not change is left alone and costs no undo step.
    void WriteCellInRun(int x, int y, const CCell& cell, int& run);

    // --- Drawing ---
    void DrawHorizontalLine(CDocView* view, int x1, int y1, int x2, int y2, int thick);
    void DrawVerticalLine(CDocView* view, int x1, int y1, int x2, int y2, int thick);
    void DrawRectangle(CDocView* view, int left, int top, int right, int bottom, int thick);
    void DrawSlashLine(CDocView* view, int left, int top, int right, int bottom);
    void DrawBackslashLine(CDocView* view, int left, int top, int right, int bottom);
    void DrawSymbolLine(CDocView* view, const char* symbol, int x1, int y1, int x2, int y2);
    void PutTextHorizontal(CDocView* view, int left, int top, int right, int bottom,
                           const char* text);
    void PutTextVertical(CDocView* view, int left, int top, int right, int bottom,
                         const char* text);
    std::string GetTextHorizontal(int left, int top, int right, int bottom) const;
    std::string GetTextVertical(int left, int top, int right, int bottom) const;
    // Right-button edits; (x, y) is a point in the view's logical coordinates.
    void ToggleArmAt(CDocView* view, int x, int y);
    void EraseCellAt(CDocView* view, int x, int y);

    // --- Regions, clipboard text, undo ---
    void Select(CDocView* view, int left, int top, int right, int bottom);
    void Deselect(CDocView* view);
    // How many non-blank cells of the canvas lie outside a canvas of the given
    // size: what a size change would hide and a save would no longer write.
    int CountCellsOutside(int columns, int lines) const;
    // Cuts the selection down to the canvas (after a size change), dropping it
    // when nothing of it is left.
    void ClipSelection();
    int IsInSelection(int x, int y);
    void EraseRect(CDocView* view, int left, int top, int right, int bottom);
    void EraseRectNoUndo(int left, int top, int right, int bottom);
    void ClearAll(CDocView* view);
    // The selection as clipboard text: per line the cells' two bytes, CR LF,
    // and one NUL at the end (2 x h x (w + 1) + 1 bytes).
    std::string CopyToClipboard() const;
    void DeleteSelection(CDocView* view);
    // Reads clipboard text into the paste buffer, wrapping lines wider than the
    // canvas into the next buffer line and dropping lines below its last.
    int ImportText(const char* text);
    // Reads it cut at the canvas's edges instead: a line keeps only the cells
    // that fit across, and lines below the last are dropped. Returns how many
    // of the text's lines lost cells (cut at the right or dropped).
    int ImportTextCut(const char* text);
    // The size clipboard text would take unwrapped: its widest line in cells
    // (columns) and its line count (lines).
    static CCellPoint MeasureText(const char* text);
    void ClearBuffer();
    void Paste(CDocView* view, int left, int top, int right, int bottom);
    void PasteTransparent(CDocView* view, int left, int top, int right, int bottom);
    void RotateSelection90(CDocView* view);
    void RotateSelection180(CDocView* view);
    void FlipSelectionHorizontal(CDocView* view);
    void FlipSelectionVertical(CDocView* view);
    void MoveSelection(CDocView* view, int dx, int dy);
    void CopyRectToBuffer(int left, int top, int right, int bottom);
    void CopyBufferToRect(int left, int top, int right, int bottom);
    void Undo(CDocView* view);

    // --- Whole lines and columns of a drawn table ---
    // InsertLines puts as many blank lines as the selection is tall above its top
    // line, across the whole canvas width; InsertColumns as many blank columns as
    // it is wide left of its left column. A ruled line that crossed the seam runs
    // on through the new cells. DeleteLines and DeleteColumns remove the selected
    // lines or columns; the rest moves up or left, blank ones come in at the bottom
    // or the right, and the ruled lines meeting at the seam are joined again
    // (canvas/TableSeam.h). After an insert the selection follows its cells, cut
    // down to the canvas; after a delete it is dropped. An insert that would push
    // a non-blank cell off the canvas changes nothing and reports how many lines
    // or columns the canvas would need. Each change is one undo step.
    CTableEditResult InsertLines(CDocView* view);
    CTableEditResult DeleteLines(CDocView* view);
    CTableEditResult InsertColumns(CDocView* view);
    CTableEditResult DeleteColumns(CDocView* view);
    // The insert of InsertLines and InsertColumns through a band of the canvas
    // only (canvas/TableSeam.h): the band's cells from the seam on move down (or
    // right), everything outside it stays, and where a cell just inside the
    // band's edges changed, the arms across that edge are joined again as at a
    // deleted seam. It changes the band's stored rows from the seam on (cells a
    // smaller canvas hides included) and the cells beside them. With a run of keystrokes (`run`, as
    // for SaveUndoRun) it is part of that run's undo step and repaints every window; otherwise it
    // is an undo step of its own and repaints `view`. The selection stays. An insert that would
    // push a non-blank cell of the band off the canvas changes nothing.
    CTableEditResult InsertInBand(CDocView* view, const CSeamBand& band, int* run = nullptr);

    // --- Undo levels and redo ---
    // At 1 level (the default) the undo grid keeps one snapshot and a second undo
    // swaps it back; redo is never available. At 2..100 levels each operation
    // pushes the rectangle it changes onto the history: Undo steps back, Redo
    // steps forward, and a new operation clears what could be redone. At every
    // level Undo and Redo repaint the restored rectangle and set the modified flag.
    // Changing the count keeps the next undo; shrinking drops the oldest steps.
    void SetUndoLevels(int levels); // clamped to 1..100
    int GetUndoLevels() const { return m_nUndoLevels; }
    bool CanUndo() const { return m_bUndo != 0; }
    bool CanRedo() const { return m_nUndoLevels > 1 && m_history.CanRedo(); }
    void Redo(CDocView* view);
    // Steps on both sides of the history (0 at one level).
    int GetUndoStepCount() const { return m_history.UndoCount() + m_history.RedoCount(); }
    // Bytes held by the history's steps (0 at one level, where the fixed undo
    // grid is used instead).
    std::size_t GetUndoHistoryBytes() const { return m_history.BytesHeld(); }

    // --- Fields ---
    int m_nFontSize = 2;
    int m_nCellSize = 0;
    int m_nColumns = 40;
    int m_nLines = 30;
    int m_nCanvasWidth = 0;
    int m_nCanvasHeight = 0;
    int m_nTotalWidth = 0;
    int m_nTotalHeight = 0;
    int m_bSelection = 0;
    CCellRect m_rcSelection;
    int m_nOriginX = 0;
    int m_nOriginY = 0;
    int m_bGrid = 1;
    int m_bSquareSelection = 0;
    int m_nBufferColumns = 0;
    int m_nBufferLines = 0;
    // The buffer holds a laid-out table: pasted transparently, its ruled lines
    // merge with the canvas's as drawn lines do, instead of replacing them.
    bool m_bBufferMergesLines = false;
    // Whether undo is available, and the rectangle the next undo restores.
    int m_bUndo = 0;
    CCellRect m_rcUndo;
    int m_nToolMode = ID_TOOL_RECT;
    int m_nPrevToolMode = ID_TOOL_RECT;
    int m_nLineMode = ID_LINE_THICK;
    int m_nToolState = NO_TOOL;
    int m_bDragSelection = 0;
    std::unique_ptr<CToolObject> m_pTool;
    // The typing tool's caret with its run of keystrokes, while that tool is the
    // tool mode and a cell has been clicked (tools/TypingCaret.h).
    std::unique_ptr<CToolObject> m_pCaret;
    // Where the caret last stood, kept after it goes; x is -1 before it ever stood.
    CCellPoint m_ptLastCaret{-1, -1};

    // What the last ReadText had to change to fit the canvas: a line wider than
    // 99 cells was wrapped, or content after the 99th line was dropped. Saving
    // over the file would not give back what was read.
    int m_bLoadWrapped = 0;
    int m_bLoadCut = 0;
    // The format of the file the canvas was read from, kept when it is saved
    // (Shift-JIS with CR LF for a new canvas), and what reading a UTF-8 file had
    // to replace (canvas/TextFormat.h). Set by LoadDocumentFile.
    CTextFormat m_textFormat;
    CTextReplacements m_loadReplacements;
    // The shape of the file the canvas was read from, kept so that a save gives
    // it back: its line count (-1 for a canvas never read from a file, which
    // writes one line per canvas line) and whether its last line had a line end.
    int m_nFileLines = -1;
    int m_bFileFinalLineEnd = 1;
    // Where writing the canvas back would first differ from the bytes read (set
    // by LoadDocumentText).
    CRoundTripChange m_loadRoundTrip;
    // A diagram drawn for narrow box drawing was re-laid onto the two-column
    // grid when read, widening it by m_nLoadAddedColumns cells.
    int m_bLoadRelaid = 0;
    int m_nLoadAddedColumns = 0;

private:
    bool SelectionOnCanvas(CCellRect& rc) const;
    template <class MapFn> void TransformSelection(CDocView* view, MapFn map, int turns, int flip);
    void PasteFromBuffer(CDocView* view, int left, int top, int right, int bottom,
                         bool transparent);
    void SyncUndoState();
    CTableEditResult InsertRows(CDocView* view, bool columns);
    CTableEditResult DeleteRows(CDocView* view, bool columns);
    std::string GetTextRun(int left, int top, int right, int bottom, bool vertical) const;
    void PutTextRun(CDocView* view, int left, int top, int right, int bottom, const char* text,
                    bool vertical);

    std::vector<CCell> m_cells;
    std::vector<CCell> m_undoCells;
    std::vector<CCell> m_bufferCells;
    std::vector<CDocView*> m_views;
    int m_bModified = 0;
    int m_nUndoLevels = 1;
    int m_nUndoSerial = 1; // changes with every undo record, undo, redo and run break
    CUndoHistory m_history{GRID};
};
