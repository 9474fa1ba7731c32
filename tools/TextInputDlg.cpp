#include "tools/TextInputDlg.h"

#include "canvas/ByteClass.h"

const char* const kInvalidCodeMessage = "テキストの中に不正なコードが検出されました。";
const char* const kTooLongMessage = "文字数がオーバーしています。";

std::string CTextInputDlg::GetCapacityText() const {
    return "全角で " + std::to_string(m_nCapacity) + " 個の文字が入力できます。";
}

int CTextInputDlg::ByteAt(int pos) const {
    // Past the end reads the terminating NUL, which ends or invalidates a pair.
    return pos < m_nLength ? static_cast<unsigned char>(m_strText[pos]) : 0;
}

int CTextInputDlg::NextChar() {
    if (m_nPos >= m_nLength) return CHAR_END;
    m_nChar = ByteAt(m_nPos++);
    if (m_nChar == 0) return CHAR_END;
    if (m_nChar == '\r') {
        m_nTrail = ByteAt(m_nPos++);
        if (m_nTrail == '\n') return CHAR_NEWLINE;
        --m_nPos;
        return CHAR_INVALID;
    }
    if (IsSingleByteChar(m_nChar)) return CHAR_SINGLE;
    if (IsLeadByte(m_nChar)) {
        m_nTrail = ByteAt(m_nPos++);
        if (IsTrailByte(m_nTrail)) return CHAR_DOUBLE;
        --m_nPos;
        return CHAR_INVALID;
    }
    return CHAR_INVALID;
}

int CTextInputDlg::ValidateText(const std::string& editText, std::string* message) {
    m_strText = editText;
    m_nPos = 0;
    m_nLength = static_cast<int>(m_strText.size());
    const int line = 2 * (m_bVertical ? m_nHeight : m_nWidth);
    std::string out;
    int column = 0;
    for (int kind = NextChar(); kind != CHAR_END; kind = NextChar()) {
        if (kind == CHAR_INVALID) {
            if (message) *message = kInvalidCodeMessage;
            return 0;
        }
        if (kind == CHAR_NEWLINE) {
            // Pad the current output line to its full length. A line that is exactly
            // full gets nothing; after a full-width character carried onto a new
            // line (column past the line end) only that new line is padded.
            out.append(column <= line ? line - column : (line - column % line) % line, ' ');
            column = 0;
            continue;
        }
        // A full line wraps only when the next character comes, so that a line
        // break straight after it adds no empty line.
        if (column >= line) column %= line;
        if (kind == CHAR_SINGLE) {
            out += static_cast<char>(m_nChar);
            ++column;
            continue;
        }
        // A line is an even number of bytes, so the count's parity is the
        // column's: at an odd count the character would straddle two cells,
        // and a blank first puts it into a cell of its own.
        if (out.size() % 2 != 0) {
            out += ' ';
            ++column;
        }
        out += static_cast<char>(m_nChar);
        out += static_cast<char>(m_nTrail);
        column += 2;
    }
    // Only after the whole text: an invalid byte anywhere is told first.
    if (out.size() > 2 * static_cast<size_t>(m_nCapacity)) {
        if (message) *message = kTooLongMessage;
        return 0;
    }
    m_strText = out;
    return 1;
}
