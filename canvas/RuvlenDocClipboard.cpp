// The clipboard's plain-text format: writing the selection, and reading text from
// another program into the paste buffer.
#include "canvas/ByteClass.h"
#include "canvas/RuvlenDoc.h"

#include <algorithm>

std::string CRuvlenDoc::CopyToClipboard() const {
    CCellRect rc;
    if (!SelectionOnCanvas(rc)) return std::string(1, '\0');
    std::string bytes;
    bytes.reserve(2 * rc.Height() * (rc.Width() + 1) + 1);
    for (int y = rc.top; y <= rc.bottom; ++y) {
        for (int x = rc.left; x <= rc.right; ++x) {
            bytes += Cell(x, y).FirstByte();
            bytes += Cell(x, y).SecondByte();
        }
        bytes += "\r\n";
    }
    bytes += '\0';
    return bytes;
}

namespace {

enum class ClipToken { End, LineEnd, Cell };

// Reads one token of clipboard text at p, advancing p. Undecodable bytes become ★;
// only the byte after a single-byte character is ever looked ahead at.
ClipToken NextClipToken(const unsigned char*& p, char cell[3]) {
    cell[2] = 0;
    if (*p == 0) return ClipToken::End;
    if (p[0] == '\r' && p[1] == '\n') {
        p += 2;
        return ClipToken::LineEnd;
    }
    unsigned char c = *p++;
    if (c == '\t') {
        cell[0] = cell[1] = ' ';
    } else if (IsSingleByteChar(c)) {
        cell[0] = static_cast<char>(c);
        cell[1] = IsSingleByteChar(*p) ? static_cast<char>(*p++) : ' ';
    } else if (IsLeadByte(c) && IsTrailByte(*p)) {
        cell[0] = static_cast<char>(c);
        cell[1] = static_cast<char>(*p++);
    } else {
        cell[0] = SJIS_STAR[0];
        cell[1] = SJIS_STAR[1];
    }
    return ClipToken::Cell;
}

} // namespace

int CRuvlenDoc::ImportText(const char* text) {
    ClearBuffer();
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    int c = 0, r = 0, w = 0;
    char cell[3];
    for (ClipToken t = NextClipToken(p, cell); t != ClipToken::End; t = NextClipToken(p, cell)) {
        if (t == ClipToken::LineEnd) {
            w = std::max(w, c);
            c = 0;
            if (++r >= m_nLines) break;
            continue;
        }
        if (c >= m_nColumns) {
            c = 0;
            ++r;
            w = m_nColumns;
        }
        if (r >= m_nLines) break;
        BufferCell(c, r).SetText(cell);
        ++c;
    }
    if (c > 0 && r < m_nLines) {
        w = std::max(w, c);
        ++r;
    }
    m_nBufferColumns = w;
    m_nBufferLines = r;
    return 1;
}

int CRuvlenDoc::ImportTextCut(const char* text) {
    ClearBuffer();
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    int c = 0, r = 0, w = 0, cutLines = 0;
    bool lineCut = false; // the current text line has lost a cell
    char cell[3];
    for (ClipToken t = NextClipToken(p, cell); t != ClipToken::End; t = NextClipToken(p, cell)) {
        if (t == ClipToken::LineEnd) {
            if (r < m_nLines) w = std::max(w, c);
            cutLines += lineCut;
            lineCut = false;
            c = 0;
            ++r;
            continue;
        }
        if (c >= m_nColumns || r >= m_nLines) {
            lineCut = true;
            continue;
        }
        BufferCell(c, r).SetText(cell);
        ++c;
    }
    if (c > 0 || lineCut) {
        if (r < m_nLines) w = std::max(w, c);
        cutLines += lineCut;
        ++r;
    }
    m_nBufferColumns = w;
    m_nBufferLines = std::min(r, m_nLines);
    return cutLines;
}

CCellPoint CRuvlenDoc::MeasureText(const char* text) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    CCellPoint size{0, 0};
    int c = 0;
    char cell[3];
    for (ClipToken t = NextClipToken(p, cell); t != ClipToken::End; t = NextClipToken(p, cell)) {
        if (t == ClipToken::Cell) {
            ++c;
            continue;
        }
        size.x = std::max(size.x, c);
        ++size.y;
        c = 0;
    }
    if (c > 0) {
        size.x = std::max(size.x, c);
        ++size.y;
    }
    return size;
}
