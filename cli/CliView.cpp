#include "cli/CliView.h"

#include "canvas/io/Cp932.h"
#include "cli/CliWording.h"
#include "tools/DialogResult.h"
#include "tools/SymbolTable.h"
#include "tools/TextInputDlg.h"

#include <cstring>

namespace {

// Text typed into the dialog: Shift-JIS with CR LF line breaks; a character with
// no Shift-JIS form becomes a byte the dialog refuses as an invalid code.
std::string DialogBytes(const std::string& utf8) {
    // CR LF becomes LF first, so that a script's CR LF does not turn into CR CR LF.
    std::string lf;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
        lf += utf8[i];
    }
    std::string bytes;
    for (char c : Utf8ToCp932(lf, '\x7F')) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    return bytes;
}

} // namespace

// Without TEXT the dialog is cancelled, as a user closing it would: the canvas
// stays as it was.
int CCliView::RunTextInput(CTextInputDlg& dialog) {
    if (!m_bHasDialogText) return IDCANCEL;
    std::string message;
    if (!dialog.ValidateText(DialogBytes(m_strDialogText), &message)) {
        m_strError = DialogRefusal(message);
        return IDCANCEL;
    }
    return IDOK;
}

void CCliView::ReportPasteCut(int cutLines, int columns, int lines) {
    m_strWarnings += "the clipboard text is larger than the " + std::to_string(columns) + " x " +
                     std::to_string(lines) + " canvas; " + std::to_string(cutLines) +
                     (cutLines == 1 ? " line was" : " lines were") + " cut at its edge\n";
}

bool CCliClipboard::GetText(std::string& bytes) {
    if (!m_bHasText) return false;
    bytes = UnicodeToClipboardBytes(m_strText);
    return true;
}

bool CCliClipboard::GetUnicodeText(std::string& utf8) {
    if (!m_bHasText) return false;
    utf8 = m_strText;
    return true;
}

bool CCliClipboard::SetText(const std::string& bytes) {
    m_strText = ClipboardBytesToUnicode(bytes);
    m_bHasText = true;
    return true;
}

void CCliPalette::GetChosenSymbol(char buffer[4]) {
    std::memcpy(buffer, SymbolTables()[m_nCategory][m_nSelected], 4);
}

bool CCliPalette::Pick(int category, int slot) {
    if (category != m_nCategory) {
        m_nCategory = category;
        m_nSelected = 0;
    }
    if (SymbolTables()[category][slot][0] == 0) return false;
    m_nSelected = slot;
    return true;
}
