#pragma once

#include "canvas/CellGeometry.h"
#include "canvas/CellRect.h"
#include "canvas/DocView.h"
#include "tools/Feedback.h"

#include <string>
#include <vector>

class CTextInputDlg;

// The canvas context menu as it opens: command ids in order (0 for a
// separator), each with whether it is enabled right now.
struct CContextMenuState {
    struct Item {
        int id;
        bool enabled;
    };
    std::vector<Item> items;
    bool IsEnabled(int id) const {
        for (const Item& item : items)
            if (item.id == id) return item.enabled;
        return false;
    }
};

// What the editing logic needs from a canvas window. The Qt view implements it
// with widgets; tests and the command line implement it without.
class CViewPort : public CDocView {
public:
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    // Scrolls one step towards a point (logical) that has left the visible area.
    virtual void AutoScroll(int x, int y) = 0;
    // Inverting feedback: drawing a figure a second time removes it.
    virtual void InvertFeedback(const CFeedbackFigure& figure) = 0;
    // Opaque marker, removed by the next repaint of its cells.
    virtual void DrawMarker(const CFeedbackFigure& figure) = 0;
    virtual void SetCursor(int cursorId) = 0;
    // The cell under the pointer for the status bar (0-based).
    virtual void SetPositionText(int column, int row) = 0;
    // Runs the text input dialog modally; IDOK or IDCANCEL.
    virtual int RunTextInput(CTextInputDlg& dialog) = 0;
    // A message box with the application title as caption (UTF-8 text).
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void ShowContextMenu(int x, int y, const CContextMenuState& state) = 0;
    virtual bool IsFrameMinimized() const = 0;
    // A waiting paste previewed where the pointer is: the buffer's cells drawn
    // faintly over `cells` (blank ones left out for a transparent paste), or
    // nothing when `shown` is false. A window without a pointer ignores it.
    virtual void SetPastePreview(bool /*shown*/, const CCellRect& /*cells*/, bool /*transparent*/) {
    }
    // What to do with clipboard text larger than the canvas (its size in
    // cells): grow the canvas first, cut the text at the canvas's edges, or
    // paste nothing. A window asks the user; without one the text is cut.
    enum EPasteFit { PASTE_ENLARGE, PASTE_CUT, PASTE_CANCEL };
    virtual EPasteFit AskPasteFit(int /*columns*/, int /*lines*/) { return PASTE_CUT; }
    // A paste was cut at the edges of the canvas (its size given): cutLines of
    // the text's lines lost cells. A window says so in its status bar.
    virtual void ReportPasteCut(int /*cutLines*/, int /*columns*/, int /*lines*/) {}
    // The resolution the window lays the canvas out at.
    virtual int LogPixelsX() const { return kReferenceDpi; }
};

// The symbol the symbol tool places: the palette's current choice.
class CSymbolSource {
public:
    virtual ~CSymbolSource() = default;
    // Copies the chosen symbol (NUL-terminated, at most 3 bytes) into buffer.
    virtual void GetChosenSymbol(char buffer[4]) = 0;
    // Shows the symbol palette if it is hidden.
    virtual void ShowPalette() {}
};

// The system clipboard as Shift-JIS plain text with CR LF line ends.
class CClipboardPort {
public:
    virtual ~CClipboardPort() = default;
    virtual bool HasText() = 0;
    // The clipboard text as Shift-JIS bytes, without a terminating NUL.
    virtual bool GetText(std::string& bytes) = 0;
    // The clipboard text as the program that put it there wrote it (UTF-8), so
    // that a diagram drawn for Western fonts can be re-laid; false when only
    // GetText is available.
    virtual bool GetUnicodeText(std::string& /*utf8*/) { return false; }
    // Puts the copied bytes (Shift-JIS, CR LF, final NUL) on the clipboard.
    virtual bool SetText(const std::string& bytes) = 0;
};
