// The canvas text file: Shift-JIS, one line per canvas line, trailing spaces
// removed, CR LF line ends. Other formats are converted around it (canvas/io/DocumentText.cpp).
#include "canvas/ByteClass.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/TextLines.h"

#include <algorithm>

namespace {

enum class TokenKind { End, LineEnd, Cell };

struct FileToken {
    TokenKind kind = TokenKind::End;
    char text[3] = {' ', ' ', 0};
    size_t start = 0; // input bytes [start, end) the token consumed
    size_t end = 0;
};

// Splits the file's bytes into line ends and two-byte cells. A double-byte
// character is never split; a lone half-width character is padded with a space;
// undecodable bytes become spaces. CR LF and a lone LF end a line; a lone CR is a
// space.
class CFileTokenReader {
public:
    explicit CFileTokenReader(CArchive& ar) : m_ar(ar) {}

    // The next token, with the input bytes it consumed; a byte held back for the
    // next token belongs to that one.
    FileToken Next() {
        const size_t start = m_nHeld >= 0 ? m_nHeldAt : m_nRead;
        FileToken token = Decode();
        token.start = start;
        token.end = m_nHeld >= 0 ? m_nHeldAt : m_nRead;
        return token;
    }

private:
    FileToken Decode() {
        FileToken token;
        if (m_bEnd) return token;
        int b0 = TakeFirst();
        if (b0 < 0) {
            m_bEnd = true;
            return token;
        }
        int b1 = ReadByte();
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

    int ReadByte() {
        const int b = m_ar.ReadByte();
        if (b >= 0) ++m_nRead;
        return b;
    }

    int TakeFirst() {
        if (m_nHeld >= 0) {
            int b = m_nHeld;
            m_nHeld = -1;
            return b;
        }
        return ReadByte();
    }

    // Keeps b (the byte just read) for the next token unless it was the padding
    // space of the end.
    void HoldBack(int b) {
        if (m_bEnd) return;
        m_nHeld = b;
        m_nHeldAt = m_nRead - 1;
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
    size_t m_nHeldAt = 0; // input offset of the held byte
    size_t m_nRead = 0;   // bytes read from the archive
    bool m_bEnd = false;
};

} // namespace

void CRuvlenDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        WriteText(ar);
    else
        ReadText(ar);
}

int TextFileLine(const CRuvlenDoc& doc, int y, char* line) {
    int length = 0;
    for (int x = 0; x < doc.m_nColumns; ++x) {
        line[length++] = doc.Cell(x, y).FirstByte();
        line[length++] = doc.Cell(x, y).SecondByte();
    }
    while (length > 0 && line[length - 1] == ' ') --length;
    return length;
}

void CRuvlenDoc::WriteText(CArchive& ar) const {
    char line[2 * MAX_SIZE + 2];
    for (int y = 0; y < m_nLines; ++y) {
        int length = TextFileLine(*this, y, line);
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

namespace {

// Hands out, token by token, the cells of the offsets that the token consumed.
class COffsetLocator {
public:
    COffsetLocator(const std::vector<size_t>& offsets, std::vector<CCellPoint>& cells)
        : m_offsets(offsets), m_cells(cells) {
        m_cells.assign(offsets.size(), CCellPoint{-1, -1});
    }

    // The token was placed at (x, y), or not at all when x is -1.
    void Consumed(const FileToken& token, int x, int y) {
        for (; m_nNext < m_offsets.size() && m_offsets[m_nNext] < token.end; ++m_nNext)
            if (x >= 0 && m_offsets[m_nNext] >= token.start) m_cells[m_nNext] = {x, y};
    }

private:
    const std::vector<size_t>& m_offsets;
    std::vector<CCellPoint>& m_cells;
    size_t m_nNext = 0;
};

} // namespace

void ReadTextLocating(CRuvlenDoc& doc, CArchive& ar, const std::vector<size_t>& offsets,
                      std::vector<CCellPoint>& cells) {
    constexpr int MAX_SIZE = CRuvlenDoc::MAX_SIZE;
    CFileTokenReader reader(ar);
    COffsetLocator locator(offsets, cells);
    int c = 0, r = 0, w = 0;
    doc.m_bLoadWrapped = 0;
    doc.m_bLoadCut = 0;
    FileToken token;
    for (token = reader.Next(); token.kind != TokenKind::End; token = reader.Next()) {
        if (token.kind == TokenKind::LineEnd) {
            locator.Consumed(token, -1, -1);
            w = std::max(w, c);
            c = 0;
            if (++r >= MAX_SIZE) break;
            continue;
        }
        if (c >= MAX_SIZE) {
            c = 0;
            ++r;
            w = MAX_SIZE;
            doc.m_bLoadWrapped = 1;
        }
        if (r >= MAX_SIZE) break;
        doc.Cell(c, r).SetText(token.text);
        locator.Consumed(token, c, r);
        ++c;
    }
    doc.m_bFileFinalLineEnd = 1;
    if (r >= MAX_SIZE) {
        if (token.kind == TokenKind::LineEnd) token = reader.Next();
        doc.m_bLoadCut = RestHasContent(reader, token);
    } else if (c > 0) {
        w = std::max(w, c);
        ++r;
        doc.m_bFileFinalLineEnd = 0;
    }
    doc.m_nFileLines = r;
    doc.m_nColumns = std::max(doc.m_nColumns, w);
    doc.m_nLines = std::max(doc.m_nLines, r);
}

void CRuvlenDoc::ReadText(CArchive& ar) {
    static const std::vector<size_t> kNoOffsets;
    std::vector<CCellPoint> cells;
    ReadTextLocating(*this, ar, kNoOffsets, cells);
}
