#pragma once

#include "tools/ViewPort.h"

#include <string>

// The command line's canvas window: nothing is shown. The text dialog is
// answered with the text the script gave, and its refusal is kept as an error.
class CCliView : public CViewPort {
public:
    void InvalidateCells(const CCellRect&) override {}
    void OnUpdate(int) override {}
    void SetCapture() override {}
    void ReleaseCapture() override {}
    void AutoScroll(int, int) override {}
    void InvertFeedback(const CFeedbackFigure&) override {}
    void DrawMarker(const CFeedbackFigure&) override {}
    void SetCursor(int) override {}
    void SetPositionText(int, int) override {}
    int RunTextInput(CTextInputDlg& dialog) override;
    void ShowMessage(const std::string& text) override { m_strError = text; }
    void ShowContextMenu(int, int, const CContextMenuState&) override {}
    bool IsFrameMinimized() const override { return false; }
    void ReportPasteCut(int cutLines, int columns, int lines) override;

    // What the next text dialog receives: has text, and the UTF-8 text.
    bool m_bHasDialogText = false;
    std::string m_strDialogText;
    // The message of a refused dialog or a failed command, empty when none.
    std::string m_strError;
    // Warnings a command left for standard error, one a line.
    std::string m_strWarnings;
};

// The clipboard as another program sees it: Unicode text.
class CCliClipboard : public CClipboardPort {
public:
    bool HasText() override { return m_bHasText; }
    bool GetText(std::string& bytes) override;
    bool GetUnicodeText(std::string& utf8) override;
    bool SetText(const std::string& bytes) override;

    bool m_bHasText = false;
    std::string m_strText; // UTF-8, LF line ends
};

// The symbol palette: a category and a chosen slot.
class CCliPalette : public CSymbolSource {
public:
    void GetChosenSymbol(char buffer[4]) override;
    // Picks as a click in the palette does: changing the category chooses its
    // first symbol, and an empty slot keeps the choice. False for an empty slot.
    bool Pick(int category, int slot);

    int m_nCategory = 0;
    int m_nSelected = 0;
};
