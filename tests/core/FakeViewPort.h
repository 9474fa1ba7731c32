#pragma once

// A canvas window without widgets for the tool and controller tests: it records
// every call the editing logic makes, keeps the inverting figures that are on
// screen right now, and answers the text input dialog from a script. A small
// harness drives a CViewController on a fresh 40 x 30 canvas at 96 dpi.

#include "canvas/RuvlenDoc.h"
#include "tools/DialogResult.h"
#include "tools/TextInputDlg.h"
#include "tools/Tool.h"
#include "tools/ViewController.h"
#include "tools/ViewPort.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <typeinfo>
#include <vector>

static inline void PrintTo(const CFeedbackFigure& f, std::ostream* os) {
    static const char* const kinds[] = {"None", "DottedRect", "DottedLine", "GrayBlocks", "Marker"};
    *os << kinds[f.kind];
    if (f.kind == CFeedbackFigure::DottedLine)
        *os << "(" << f.x1 << "," << f.y1 << " -> " << f.x2 << "," << f.y2 << ")";
    for (const CPixelRect& r : f.rects)
        *os << "[" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "]";
}

namespace tool_test {

struct MenuCall {
    int x, y;
    CContextMenuState state;
};

// What the text input dialog held when it opened.
struct DialogCall {
    std::string initialText;
    int width, height, vertical, capacity;
    std::string capacityText;
    size_t markersBefore; // markers drawn before the dialog opened
};

class FakeViewPort : public CViewPort {
public:
    std::vector<CCellRect> invalidated;
    std::vector<int> updates;
    bool captured = false;
    int releases = 0;
    std::vector<CCellPoint> scrolls; // logical points
    std::vector<CFeedbackFigure> inverted;
    std::vector<CFeedbackFigure> onScreen; // inverted an odd number of times
    std::vector<CFeedbackFigure> markers;
    std::vector<int> cursors;
    std::vector<CCellPoint> positions;
    std::vector<std::string> messages;
    std::vector<MenuCall> menus;
    std::vector<DialogCall> dialogs;
    std::vector<std::string> refusals; // messages of the dialog's validation
    bool minimized = false;
    std::optional<CCellRect> preview; // the waiting paste's preview, while shown
    bool previewTransparent = false;

    // Script of the text input dialog: OK with these bytes, or Cancel.
    bool answerOk = false;
    std::string typed;
    std::function<void()> whileDialogOpen;

    void InvalidateCells(const CCellRect& rc) override { invalidated.push_back(rc); }
    void OnUpdate(int hint) override { updates.push_back(hint); }
    void SetCapture() override { captured = true; }
    void ReleaseCapture() override {
        captured = false;
        ++releases;
    }
    void AutoScroll(int x, int y) override { scrolls.push_back({x, y}); }
    void InvertFeedback(const CFeedbackFigure& figure) override {
        inverted.push_back(figure);
        auto it = std::find(onScreen.begin(), onScreen.end(), figure);
        if (it != onScreen.end())
            onScreen.erase(it);
        else
            onScreen.push_back(figure);
    }
    void DrawMarker(const CFeedbackFigure& figure) override { markers.push_back(figure); }
    void SetCursor(int cursorId) override { cursors.push_back(cursorId); }
    void SetPositionText(int column, int row) override { positions.push_back({column, row}); }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void ShowContextMenu(int x, int y, const CContextMenuState& state) override {
        menus.push_back({x, y, state});
    }
    bool IsFrameMinimized() const override { return minimized; }
    void SetPastePreview(bool shown, const CCellRect& cells, bool transparent) override {
        preview = shown ? std::optional<CCellRect>(cells) : std::nullopt;
        previewTransparent = transparent;
    }

    // A refused text keeps the dialog open; the scripted user then cancels.
    int RunTextInput(CTextInputDlg& dialog) override {
        dialogs.push_back({dialog.GetText(), dialog.m_nWidth, dialog.m_nHeight, dialog.m_bVertical,
                           dialog.m_nCapacity, dialog.GetCapacityText(), markers.size()});
        if (whileDialogOpen) whileDialogOpen();
        if (!answerOk) return IDCANCEL;
        std::string message;
        if (dialog.ValidateText(typed, &message)) return IDOK;
        refusals.push_back(message);
        return IDCANCEL;
    }
};

class FakeClipboard : public CClipboardPort {
public:
    bool hasText = false;
    bool failGet = false;
    bool failSet = false;
    std::string bytes; // as SetText received them, or the text GetText returns
    int setCalls = 0;

    void Hold(const std::string& text) {
        hasText = true;
        bytes = text;
    }
    bool HasText() override { return hasText; }
    bool GetText(std::string& out) override {
        if (failGet || !hasText) return false;
        out = bytes;
        return true;
    }
    bool SetText(const std::string& in) override {
        ++setCalls;
        if (failSet) return false;
        Hold(in);
        return true;
    }
};

class FakeSymbols : public CSymbolSource {
public:
    std::string symbol = "\x81\x9B"; // a full-width white circle
    int paletteShown = 0;
    void GetChosenSymbol(char buffer[4]) override {
        const size_t n = std::min<size_t>(symbol.size(), 3);
        std::memcpy(buffer, symbol.data(), n);
        buffer[n] = 0;
    }
    void ShowPalette() override { ++paletteShown; }
};

inline const std::type_info& TypeOf(const CTool* tool) {
    return typeid(*tool);
}

// The cell's two text bytes; non-ASCII bytes as <XX>.
inline std::string CellText(const CCell& cell) {
    std::string out;
    for (int i = 0; i < 2; ++i) {
        const unsigned char c = static_cast<unsigned char>(cell.m_szText[i]);
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "<%02X>", c);
            out += hex;
        }
    }
    return out;
}

// The canvas cells, one line of "|"-separated cells per row.
inline std::string Render(const CRuvlenDoc& doc) {
    std::string out;
    for (int y = 0; y < doc.m_nLines; ++y) {
        for (int x = 0; x < doc.m_nColumns; ++x) out += CellText(doc.Cell(x, y)) + "|";
        out += "\n";
    }
    return out;
}

// Fills every cell of the canvas with a two-letter pattern: column, row.
inline void Fill(CRuvlenDoc& doc) {
    for (int y = 0; y < doc.m_nLines; ++y)
        for (int x = 0; x < doc.m_nColumns; ++x) {
            const char pair[3] = {static_cast<char>('a' + x % 26), static_cast<char>('a' + y % 26),
                                  0};
            doc.Cell(x, y).SetText(pair);
        }
}

inline std::unique_ptr<CRuvlenDoc> NewDoc() {
    auto doc = std::make_unique<CRuvlenDoc>();
    doc->ComputeMetrics(96);
    return doc;
}

// One canvas window and a second, passive window on the same document.
struct Canvas {
    std::unique_ptr<CRuvlenDoc> doc = NewDoc();
    FakeViewPort view;
    FakeViewPort other;
    FakeClipboard clipboard;
    FakeSymbols symbols;
    CViewController ctl{doc.get(), &view, &clipboard, &symbols};

    Canvas() {
        doc->AddView(&view);
        doc->AddView(&other);
    }

    int S() const { return doc->m_nCellSize; }
    int X(int col) const { return doc->m_nOriginX + col * S() + S() / 2; }
    int Y(int row) const { return doc->m_nOriginY + row * S() + S() / 2; }

    void Press(int col, int row) { ctl.OnLButtonDown(X(col), Y(row)); }
    void MoveTo(int col, int row) { ctl.OnMouseMove(X(col), Y(row)); }
    void Release(int col, int row) { ctl.OnLButtonUp(X(col), Y(row)); }
    void Drag(int c1, int r1, int c2, int r2) {
        Press(c1, r1);
        MoveTo(c2, r2);
        Release(c2, r2);
    }
    void Click(int col, int row) {
        Press(col, row);
        Release(col, row);
    }
    // Right button at px, py pixels from the top left of cell (col, row).
    void RightAt(int col, int row, int px, int py) {
        ctl.OnRButtonDown(doc->m_nOriginX + col * S() + px, doc->m_nOriginY + row * S() + py);
    }
    bool Command(int id) { return ctl.OnCommand(id); }

    void Put(int col, int row, const char* text) { doc->Cell(col, row).SetText(text); }
    std::string Text(int col, int row) const { return CellText(doc->Cell(col, row)); }
    // Logical outline of a cell range as the dotted rectangle draws it.
    CFeedbackFigure Outline(CFeedbackFigure::Kind kind, int l, int t, int r, int b) const {
        const int ox = doc->m_nOriginX, oy = doc->m_nOriginY;
        return CFeedbackFigure::Rect(kind, ox + l * S() + 1, oy + t * S() + 1, ox + (r + 1) * S(),
                                     oy + (b + 1) * S());
    }
};

} // namespace tool_test
