#pragma once

#include "canvas/Archive.h"
#include "canvas/CanvasDefaults.h"
#include "canvas/Cell.h"
#include "canvas/CellGeometry.h"
#include "canvas/CellRect.h"
#include "canvas/CommandIds.h"
#include "canvas/DocView.h"
#include "canvas/ToolObject.h"
#include "canvas/UndoHistory.h"
#include "canvas/io/TextFormat.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

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
    void EndTool();

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
    int ImportText(const char* text);
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

    // --- Undo levels and redo ---
    // At 1 level (the default) the undo grid keeps one snapshot and a second undo
    // swaps it back; redo is never available. At 2..100 levels each operation
    // pushes the rectangle it changes onto the history: Undo steps back, Redo
    // steps forward, and a new operation clears what could be redone. Undo and
    // Redo then repaint the restored rectangle and set the modified flag.
    // Changing the count keeps the next undo; shrinking drops the oldest steps.
    void SetUndoLevels(int levels); // clamped to 1..100
    int GetUndoLevels() const { return m_nUndoLevels; }
    bool CanUndo() const { return m_bUndo != 0; }
    bool CanRedo() const { return m_nUndoLevels > 1 && m_history.CanRedo(); }
    void Redo(CDocView* view);
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
    // Whether undo is available, and the rectangle the next undo restores.
    int m_bUndo = 0;
    CCellRect m_rcUndo;
    int m_nToolMode = ID_TOOL_RECT;
    int m_nPrevToolMode = ID_TOOL_RECT;
    int m_nLineMode = ID_LINE_THICK;
    int m_nToolState = 0; // 0 no tool, 1 a gesture tool, 2 a paste tool
    int m_bDragSelection = 0;
    std::unique_ptr<CToolObject> m_pTool;

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

private:
    int IsThickMode() const { return m_nLineMode == ID_LINE_THICK; }
    bool SelectionOnCanvas(CCellRect& rc) const;
    template <class MapFn> void TransformSelection(CDocView* view, MapFn map, int turns, int flip);
    void PasteFromBuffer(CDocView* view, int left, int top, int right, int bottom,
                         bool transparent);
    void SyncUndoState();
    std::string GetTextRun(int left, int top, int right, int bottom, bool vertical) const;
    void PutTextRun(CDocView* view, int left, int top, int right, int bottom, const char* text,
                    bool vertical);

    std::vector<CCell> m_cells;
    std::vector<CCell> m_undoCells;
    std::vector<CCell> m_bufferCells;
    std::vector<CDocView*> m_views;
    int m_bModified = 0;
    int m_nUndoLevels = 1;
    CUndoHistory m_history{GRID};
};
