#pragma once

#include "canvas/TableEditResult.h"
#include "tools/CommandRegistry.h"
#include "tools/ViewPort.h"

#include <string>

class CRuvlenDoc;
class CTool;
struct CDrawnTable;
struct CTableData;
struct CTableOptions;
struct CTableProblem;

// What a canvas window does with the mouse and its commands, without widgets:
// routing presses, moves and releases to the active tool, the right button, the
// command table with its enabling rules, and the edit commands. A Qt view, the
// tests and the command line all drive a canvas through this one class.
// Points are in the view's logical coordinates (pixels, scrolling applied).
class CViewController {
public:
    CViewController(CRuvlenDoc* doc, CViewPort* view, CClipboardPort* clipboard,
                    CSymbolSource* symbols)
        : m_pDoc(doc), m_pView(view), m_pClipboard(clipboard), m_pSymbols(symbols) {}

    void OnLButtonDown(int x, int y);
    void OnMouseMove(int x, int y);
    void OnLButtonUp(int x, int y);
    void OnRButtonDown(int x, int y);
    // After the view has painted its cells: the active tool's opaque marker.
    void OnDrawDone();

    void SetToolMode(int id);
    // Esc: ends a gesture in progress (nothing changes and its feedback goes)
    // or a waiting paste (the tool mode from before the paste returns), as
    // choosing the current tool mode again does. False when nothing was going on.
    bool CancelGesture();
    void SetIdleCursor(int x, int y);

    // The commands of the registry (tools/CommandRegistry.h) that a canvas
    // window owns. A command that IsCommandEnabled rejects is not carried out
    // by OnCommand, however it arrives; OnCommand returns whether it ran.
    // Commands without a controller handler (dialogs, printing, zoom) are the
    // window's: OnCommand leaves them alone.
    bool IsCommandEnabled(int id);
    // Enabling rule of inserting and deleting lines and columns: a selection
    // and no paste waiting.
    bool IsTableEditEnabled() const;
    bool IsCommandChecked(int id) const;
    bool OnCommand(int id);
    CContextMenuState GetContextMenuState();

    // Command handlers, reached from the registry rows.
    void OnToolMode(int id);
    void OnLineMode(int id);
    void OnGrid(int id);
    void OnCopy(int id);
    // Copies the selection in the narrow (ID_EDIT_COPY_NARROW) or ASCII
    // (ID_EDIT_COPY_ASCII) box layout, as text for Western fonts.
    void OnCopyInLayout(int id);
    void OnCut(int id);
    void OnPaste(int id);
    void OnUndo(int id);
    void OnRedo(int id);
    void OnRotate90(int id);
    void OnRotate180(int id);
    void OnFlipHorizontal(int id);
    void OnFlipVertical(int id);
    void OnSelectAll(int id);
    void OnClearAll(int id);
    void OnEraseSelection(int id);
    // Inserting or deleting lines or columns through the selection; a refused
    // insert tells how many the canvas would need. (ViewControllerTable.cpp)
    void OnTableEdit(int id);
    // What the last insert or delete of lines or columns did.
    const CTableEditResult& LastTableEdit() const { return m_lastTableEdit; }
    // The table at the selection (canvas/TableRecognition.h): its fields as
    // tab-separated text on the clipboard, and merging the cells the
    // selection touches. Without a table they tell why. (ViewControllerTable.cpp)
    void OnCopyTable(int id);
    void OnMergeCells(int id);

    // The table holding the selection's top-left cell; false with the reason
    // for the user when there is none.
    bool SelectedTable(CDrawnTable& table, std::string& message) const;
    // Re-lays the selected table with the options (with checkOnly, only says
    // whether it could), or sorts its rows by the column of the selection's
    // left cell. False with the reason when nothing changed.
    bool FormatTable(const CTableOptions& options, bool checkOnly, std::string& message);
    bool SortTable(bool descending, bool header, std::string& message);

    // Stores new canvas settings (as the canvas settings dialog does on OK) and
    // recomputes the metrics at the given resolution. Cells are never touched; a
    // change of columns or lines marks the canvas modified.
    void ApplyCanvasSettings(int fontSize, int columns, int lines, int grid, int logPixelsX);

    CTool* ActiveTool() const;

    // Lays a table out into the paste buffer and leaves it waiting to be
    // placed, as the paste command (ID_EDIT_PASTE) or the transparent one does
    // with clipboard text: the next press places it, Esc drops it. Refused
    // (false, with the reason) while a tool is at work or when the table does
    // not fit the canvas; nothing changes then. (ViewControllerTable.cpp)
    bool PasteTable(const CTableData& data, const CTableOptions& options, int pasteId,
                    CTableProblem& problem);
    // Whether a table could be pasted now: no tool at work, window not minimized.
    bool CanPasteTable() const;

private:
    bool IsClipboardTextAvailable();
    bool ImportClipboard();
    void StartPaste(int id); // a waiting paste of the buffer's content
    void Copy(bool cut);
    void FinishCopy(const std::string& bytes, bool cut);
    void FinishTool();
    // After a document command: the other windows on the canvas repaint.
    void UpdateOthers();

    CRuvlenDoc* m_pDoc;
    CViewPort* m_pView;
    CClipboardPort* m_pClipboard;
    CSymbolSource* m_pSymbols;
    CTableEditResult m_lastTableEdit;
};

extern const char* const kClipboardCopyFailedMessage;
