// The canvas text file: Shift-JIS, one line per canvas line, trailing spaces
// removed, CR LF line ends.
#include "canvas/ByteClass.h"
#include "canvas/RuvlenDoc.h"

#include <algorithm>

namespace {

enum class TokenKind { End, LineEnd, Cell };

struct FileToken {
    TokenKind kind = TokenKind::End;
    char text[3] = {' ', ' ', 0};
};

// Splits the file's bytes into line ends and two-byte cells. A double-byte
// character is never split; a lone half-width character is padded with a space;
// undecodable bytes become spaces. CR LF and a lone LF end a line; a lone CR is a
// space.
class CFileTokenReader {
public:
    explicit CFileTokenReader(CArchive& ar) : m_ar(ar) {}

    FileToken Next() {
        FileToken token;
        if (m_bEnd) return token;
        int b0 = TakeFirst();
        if (b0 < 0) {
            m_bEnd = true;
            return token;
        }
        int b1 = m_ar.ReadByte();
        if (b1 < 0) {
            b1 = ' ';
            m_bEnd = true;
        }
        if (b0 == '\r') {
            if (b1 == '\n') return LineEnd();
            b0 = ' ';
        }
        if (b0 == '\n') {
            HoldBack(b1);
            return LineEnd();
        }
        token.kind = TokenKind::Cell;
        if (b0 == '\t') {
            HoldBack(b1);
            return token;
        }
        if (IsLeadByte(b0) && IsTrailByte(b1)) {
            token.text[0] = static_cast<char>(b0);
            token.text[1] = static_cast<char>(b1);
            return token;
        }
        token.text[0] = IsSingleByteChar(b0) ? static_cast<char>(b0) : ' ';
        SecondHalf(token, b1);
        return token;
    }

private:
    int TakeFirst() {
        if (m_nHeld >= 0) {
            int b = m_nHeld;
            m_nHeld = -1;
            return b;
        }
        return m_ar.ReadByte();
    }

    // Keeps b for the next token unless it was the padding space of the end.
    void HoldBack(int b) {
        if (!m_bEnd) m_nHeld = b;
    }

    static FileToken LineEnd() {
        FileToken token;
        token.kind = TokenKind::LineEnd;
        return token;
    }

    // The second byte after a single-byte (or undecodable) first byte: b1 itself
    // when single-byte, else a space, keeping b1 when it starts a line end or a
    // double-byte character.
    void SecondHalf(FileToken& token, int b1) {
        if (IsSingleByteChar(b1)) {
            token.text[1] = static_cast<char>(b1);
            return;
        }
        token.text[1] = ' ';
        if (b1 == '\r' || b1 == '\n' || IsLeadByte(b1)) HoldBack(b1);
    }

    CArchive& m_ar;
    int m_nHeld = -1;
    bool m_bEnd = false;
};

} // namespace

void CRuvlenDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        WriteText(ar);
    else
        ReadText(ar);
}

void CRuvlenDoc::WriteText(CArchive& ar) const {
    char line[2 * MAX_SIZE + 2];
    for (int y = 0; y < m_nLines; ++y) {
        int length = 0;
        for (int x = 0; x < m_nColumns; ++x) {
            line[length++] = Cell(x, y).FirstByte();
            line[length++] = Cell(x, y).SecondByte();
        }
        while (length > 0 && line[length - 1] == ' ') --length;
        line[length++] = '\r';
        line[length++] = '\n';
        ar.Write(line, length);
    }
}

namespace {

// Line ends and cells that show nothing (ASCII or full-width spaces).
bool IsBlankToken(const FileToken& t) {
    if (t.kind != TokenKind::Cell) return true;
    CCell cell;
    cell.SetText(t.text);
    return cell.IsBlank();
}

// After the reader stopped at the last line: does the rest of the file (starting
// with the token that did not fit) hold anything visible?
bool RestHasContent(CFileTokenReader& reader, FileToken pending) {
    for (FileToken t = pending; t.kind != TokenKind::End; t = reader.Next())
        if (!IsBlankToken(t)) return true;
    return false;
}

} // namespace

void CRuvlenDoc::ReadText(CArchive& ar) {
    CFileTokenReader reader(ar);
    int c = 0, r = 0, w = 0;
    m_bLoadWrapped = 0;
    m_bLoadCut = 0;
    FileToken token;
    for (token = reader.Next(); token.kind != TokenKind::End; token = reader.Next()) {
        if (token.kind == TokenKind::LineEnd) {
            w = std::max(w, c);
            c = 0;
            if (++r >= MAX_SIZE) break;
            continue;
        }
        if (c >= MAX_SIZE) {
            c = 0;
            ++r;
            w = MAX_SIZE;
            m_bLoadWrapped = 1;
        }
        if (r >= MAX_SIZE) break;
        Cell(c, r).SetText(token.text);
        ++c;
    }
    if (r >= MAX_SIZE) {
        if (token.kind == TokenKind::LineEnd) token = reader.Next();
        m_bLoadCut = RestHasContent(reader, token);
    } else if (c > 0) {
        w = std::max(w, c);
        ++r;
    }
    m_nColumns = std::max(m_nColumns, w);
    m_nLines = std::max(m_nLines, r);
}
