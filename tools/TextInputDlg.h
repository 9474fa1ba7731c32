#pragma once

#include <string>

// The text input dialog's logic: what it shows, and how the typed text (Shift-JIS
// bytes, CR LF line breaks) is validated and laid out into lines of the target
// rectangle. The window that shows it lives with the view.
class CTextInputDlg {
public:
    enum { CHAR_END = -1, CHAR_SINGLE = 1, CHAR_DOUBLE = 2, CHAR_INVALID = 3, CHAR_NEWLINE = 4 };

    CTextInputDlg(int width, int height, int vertical)
        : m_nWidth(width), m_nHeight(height), m_bVertical(vertical) {}

    void SetInitialText(const std::string& text) { m_strText = text; }
    // The text of the capacity line shown above the edit box (UTF-8).
    std::string GetCapacityText() const;
    // Validates and lays out the edit box's text. On success m_strText holds the
    // laid-out text and 1 is returned; otherwise 0, with the message to show.
    int ValidateText(const std::string& editText, std::string* message);
    // The laid-out text, to be placed into the rectangle two bytes per cell.
    const std::string& GetText() const { return m_strText; }

    int m_nCapacity = 0;
    std::string m_strText;
    int m_nPos = 0;
    int m_nLength = 0;
    int m_nChar = 0;
    int m_nTrail = 0;
    int m_nWidth;
    int m_nHeight;
    int m_bVertical;

private:
    int NextChar();
    int ByteAt(int pos) const;
};

extern const char* const kInvalidCodeMessage;
extern const char* const kTooLongMessage;
