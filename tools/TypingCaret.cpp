#include "tools/TypingCaret.h"

#include "canvas/ByteClass.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/Utf8Char.h"
#include "canvas/io/Cp932.h"

#include <algorithm>

const char* const kNoShiftJisMessage = "シフトJISにない文字なので入力できません: ";
const char* const kNoRoomAtEdgeMessage =
    "キャンバスの右端には全角文字を入れる場所がないので入力できません。";

namespace {

enum : int { ARM_RIGHT = 1, ARM_DOWN = 2, ARM_LEFT = 4, ARM_UP = 8 };

CCell WithText(const CCell& cell, char first, char second) {
    CCell out = cell;
    const char text[3] = {first, second, 0};
    out.SetText(text);
    return out;
}

bool IsHalfWidth(char c) {
    return IsSingleByteChar(static_cast<unsigned char>(c));
}

// The straight pair (right+left or down+up) goes in first, so that a lone arm
// of the other axis is ORed into it instead of starting a full line.
void AddStraight(CCell& c, int arms, int thick) {
    if (arms == (ARM_RIGHT | ARM_LEFT)) c.AddHorizontal(thick);
    if (arms == (ARM_DOWN | ARM_UP)) c.AddVertical(thick);
}

void AddSingle(CCell& c, int arm, int thick) {
    if (arm == ARM_RIGHT) c.AddRight(thick);
    if (arm == ARM_LEFT) c.AddLeft(thick);
    if (arm == ARM_DOWN) c.AddDown(thick);
    if (arm == ARM_UP) c.AddUp(thick);
}

} // namespace

CCell MergePathArms(const CCell& original, int arms, int thick) {
    CCell c = original;
    switch (arms) {
    case ARM_RIGHT | ARM_DOWN:
        c.AddTopLeftCorner(thick);
        return c;
    case ARM_DOWN | ARM_LEFT:
        c.AddTopRightCorner(thick);
        return c;
    case ARM_RIGHT | ARM_UP:
        c.AddBottomLeftCorner(thick);
        return c;
    case ARM_LEFT | ARM_UP:
        c.AddBottomRightCorner(thick);
        return c;
    default:
        break;
    }
    const int h = arms & (ARM_RIGHT | ARM_LEFT), v = arms & (ARM_DOWN | ARM_UP);
    AddStraight(c, h, thick);
    AddStraight(c, v, thick);
    if (h != (ARM_RIGHT | ARM_LEFT)) AddSingle(c, h, thick);
    if (v != (ARM_DOWN | ARM_UP)) AddSingle(c, v, thick);
    return c;
}

CTypingCaret* CTypingCaret::Of(CRuvlenDoc* doc) {
    return static_cast<CTypingCaret*>(doc->m_pCaret.get());
}

CTypingCaret& CTypingCaret::PlaceAt(CRuvlenDoc* doc, int column, int row) {
    column = std::clamp(column, 0, doc->m_nColumns - 1);
    row = std::clamp(row, 0, doc->m_nLines - 1);
    CTypingCaret* caret = Of(doc);
    if (!caret) {
        doc->m_pCaret = std::make_unique<CTypingCaret>(doc);
        caret = Of(doc);
        caret->m_caret = {column, row};
        caret->RepaintCell(caret->m_caret);
    }
    caret->EndRun();
    caret->MoveTo(column, row, 0);
    caret->RefreshTableCell();
    return *caret;
}

CTypingCaret& CTypingCaret::Resume(CRuvlenDoc* doc, CCellPoint firstVisible) {
    if (CTypingCaret* caret = Of(doc)) return *caret;
    const CCellPoint at = doc->m_ptLastCaret.x >= 0 ? doc->m_ptLastCaret : firstVisible;
    return PlaceAt(doc, at.x, at.y);
}

int CTypingCaret::LastColumn() const {
    return m_pDoc->m_nColumns - 1;
}

int CTypingCaret::LastRow() const {
    return m_pDoc->m_nLines - 1;
}

void CTypingCaret::RepaintCell(const CCellPoint& cell) const {
    for (CDocView* view : m_pDoc->Views()) view->InvalidateCells({cell.x, cell.y, cell.x, cell.y});
}

void CTypingCaret::MoveTo(int column, int row, int half) {
    const CCellPoint old = m_caret;
    const int oldHalf = m_nHalf;
    m_caret = {std::clamp(column, 0, LastColumn()), std::clamp(row, 0, LastRow())};
    m_nHalf = half;
    m_pDoc->m_ptLastCaret = m_caret;
    if (old == m_caret && oldHalf == m_nHalf) return;
    RepaintCell(old);
    if (!(old == m_caret)) RepaintCell(m_caret);
}

void CTypingCaret::MoveBy(int dx, int dy) {
    EndRun();
    if (dx < 0 && m_nHalf != 0)
        MoveTo(m_caret.x, m_caret.y, 0); // back to the start of the same cell
    else
        MoveTo(m_caret.x + dx, m_caret.y + dy, 0);
}

void CTypingCaret::FitToCanvas() {
    EndRun();
    const CCellPoint old = m_caret;
    MoveTo(m_caret.x, m_caret.y, m_nHalf);
    if (!(old == m_caret)) m_nHalf = 0;
    RefreshTableCell();
}

void CTypingCaret::CellsRestored() {
    EndRun();
    if (m_nHalf == 1 && !IsHalfWidth(m_pDoc->Cell(m_caret.x, m_caret.y).FirstByte()))
        MoveTo(m_caret.x, m_caret.y, 0);
    RefreshTableCell();
}

void CTypingCaret::EraseFeedback() {
    RepaintCell(m_caret);
    if (m_bInTable) RepaintFrame(m_rcTableCell);
}

// A run goes on while nothing else touched the undo history since its last
// keystroke; a drawing run also needs the same line weight. True when a new
// run starts.
bool CTypingCaret::BeginRun(RunKind kind) {
    const bool goesOn = m_nRunKind == kind && m_nSerial == m_pDoc->UndoSerial() &&
                        (kind != RUN_DRAWING || m_nRunLineMode == m_pDoc->m_nLineMode);
    if (goesOn) return false;
    m_nRunKind = kind;
    m_nRun = 0;
    m_nRunColumn = m_caret.x;
    m_nRunLineMode = m_pDoc->m_nLineMode;
    m_nRunKeepsRight = -1;
    m_path.clear();
    m_nSerial = m_pDoc->UndoSerial();
    return true;
}

void CTypingCaret::Write(int x, int y, const CCell& cell) {
    m_pDoc->WriteCellInRun(x, y, cell, m_nRun);
    m_nSerial = m_pDoc->UndoSerial();
}

bool CTypingCaret::PressKey(int key, int modifiers, std::string* status) {
    m_nNeedColumns = m_nNeedLines = 0;
    const bool used = PressTableKey(key, modifiers, status) || PressPlainKey(key, modifiers);
    RefreshTableCell();
    return used;
}

bool CTypingCaret::PressPlainKey(int key, int modifiers) {
    const bool shift = modifiers & MOD_SHIFT, ctrl = modifiers & MOD_CTRL;
    const int dx = key == KEY_LEFT ? -1 : key == KEY_RIGHT ? 1 : 0;
    const int dy = key == KEY_UP ? -1 : key == KEY_DOWN ? 1 : 0;
    if (dx || dy) {
        if (shift)
            DrawStep(dx, dy);
        else
            MoveBy(dx, dy);
        return true;
    }
    switch (key) {
    case KEY_HOME:
    case KEY_END:
        EndRun();
        MoveTo(key == KEY_HOME ? 0 : LastColumn(),
               !ctrl             ? m_caret.y
               : key == KEY_HOME ? 0
                                 : LastRow(),
               0);
        return true;
    case KEY_ESCAPE:
    case KEY_TAB: // outside a table cell Tab does nothing, and keeps the caret
        EndRun();
        return true;
    case KEY_BACKSPACE:
    case KEY_DELETE:
    case KEY_ENTER:
        return Edit(key);
    default:
        return false;
    }
}

bool CTypingCaret::Edit(int key) {
    BeginRun(RUN_TYPING);
    const int x = m_caret.x, y = m_caret.y;
    if (key == KEY_ENTER) {
        MoveTo(m_nRunColumn, y + 1, 0);
    } else if (key == KEY_DELETE) {
        CCell blank = m_pDoc->Cell(x, y);
        blank.Erase();
        Write(x, y, blank);
    } else {
        Backspace();
    }
    return true;
}

// Back over one character: the left half of this cell, the right half of the
// previous cell when it holds a half-width character there, or the whole
// previous cell. Past the right edge (half 2) the last cell counts as previous.
// A full-width character is always blanked whole, never half of it.
void CTypingCaret::Backspace() {
    const int y = m_caret.y;
    if (m_nHalf == 1 && !IsHalfWidth(m_pDoc->Cell(m_caret.x, y).FirstByte())) {
        CCell blank = m_pDoc->Cell(m_caret.x, y);
        blank.Erase();
        Write(m_caret.x, y, blank);
        MoveTo(m_caret.x, y, 0);
        return;
    }
    if (m_nHalf == 1) {
        const CCell& cell = m_pDoc->Cell(m_caret.x, y);
        Write(m_caret.x, y,
              WithText(cell, ' ', IsHalfWidth(cell.SecondByte()) ? cell.SecondByte() : ' '));
        MoveTo(m_caret.x, y, 0);
        return;
    }
    const int x = m_nHalf == 2 ? m_caret.x : m_caret.x - 1;
    if (x < 0) return;
    const CCell& prev = m_pDoc->Cell(x, y);
    if (IsHalfWidth(prev.FirstByte()) && IsHalfWidth(prev.SecondByte()) &&
        prev.SecondByte() != ' ') {
        Write(x, y, WithText(prev, prev.FirstByte(), ' '));
        MoveTo(x, y, 1);
        return;
    }
    CCell blank = prev;
    blank.Erase();
    Write(x, y, blank);
    MoveTo(x, y, 0);
}

bool CTypingCaret::TypeText(const std::string& utf8, std::string* status) {
    m_nNeedColumns = m_nNeedLines = 0;
    bool all = true;
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    size_t left = utf8.size();
    while (left > 0) {
        const Utf8Char ch = ReadUtf8(p, left);
        const std::string one(reinterpret_cast<const char*>(p), ch.length);
        p += ch.length;
        left -= ch.length;
        if (ch.valid && ch.code == '\n') {
            if (!PressTableKey(KEY_ENTER, 0, status)) Edit(KEY_ENTER);
        } else if (!(ch.valid && (ch.code < 0x20 || ch.code == 0x7F))) { // control characters
            const std::string sjis = ch.valid ? Utf8ToCp932(one, '\xFF') : std::string("\xFF");
            const int inCell = TypeInCell(sjis, status);
            if (inCell == 0 || (inCell < 0 && !TypeChar(sjis, status))) {
                if (status && status->empty()) *status = kNoShiftJisMessage + one;
                all = false;
            }
        }
        if (m_nNeedColumns || m_nNeedLines) { // a table could not grow: nothing more goes in
            all = false;
            break;
        }
    }
    RefreshTableCell();
    return all;
}

bool CTypingCaret::TypeChar(const std::string& sjis, std::string* status) {
    // Past the end of a table cell's line the next character goes into the next cell.
    if (m_nHalf == 2 && m_caret.x < LastColumn()) MoveTo(m_caret.x + 1, m_caret.y, 0);
    if (sjis.size() == 1 && IsHalfWidth(sjis[0])) {
        TypeHalfWidth(sjis[0]);
        return true;
    }
    if (sjis.size() == 2 && IsLeadByte(static_cast<unsigned char>(sjis[0])) &&
        IsTrailByte(static_cast<unsigned char>(sjis[1])))
        return TypeFullWidth(sjis, status);
    return false;
}

void CTypingCaret::TypeHalfWidth(char c) {
    BeginRun(RUN_TYPING);
    const int x = m_caret.x, y = m_caret.y;
    const CCell& cell = m_pDoc->Cell(x, y);
    if (m_nHalf == 0) {
        Write(x, y, WithText(cell, c, ' '));
        MoveTo(x, y, 1);
        return;
    }
    Write(x, y, WithText(cell, IsHalfWidth(cell.FirstByte()) ? cell.FirstByte() : ' ', c));
    if (x < LastColumn())
        MoveTo(x + 1, y, 0);
    else
        MoveTo(x, y, 2); // at the right edge the caret stays
}

bool CTypingCaret::TypeFullWidth(const std::string& sjis, std::string* status) {
    int x = m_caret.x;
    const int y = m_caret.y;
    if (m_nHalf == 1 && x == LastColumn()) {
        if (status) *status = kNoRoomAtEdgeMessage;
        return true; // reported; nothing written
    }
    BeginRun(RUN_TYPING);
    if (m_nHalf == 1) {
        const CCell& cell = m_pDoc->Cell(x, y);
        Write(x, y, WithText(cell, IsHalfWidth(cell.FirstByte()) ? cell.FirstByte() : ' ', ' '));
        ++x;
    }
    Write(x, y, WithText(m_pDoc->Cell(x, y), sjis[0], sjis[1]));
    if (x < LastColumn())
        MoveTo(x + 1, y, 0);
    else
        MoveTo(x, y, 2);
    return true;
}

void CTypingCaret::DrawStep(int dx, int dy) {
    const int x = m_caret.x, y = m_caret.y, nx = x + dx, ny = y + dy;
    if (nx < 0 || ny < 0 || nx > LastColumn() || ny > LastRow()) return;
    BeginRun(RUN_DRAWING);
    const int arm = dx > 0 ? ARM_RIGHT : dx < 0 ? ARM_LEFT : dy > 0 ? ARM_DOWN : ARM_UP;
    const int facing = arm == ARM_RIGHT  ? ARM_LEFT
                       : arm == ARM_LEFT ? ARM_RIGHT
                       : arm == ARM_DOWN ? ARM_UP
                                         : ARM_DOWN;
    const int thick = m_nRunLineMode == ID_LINE_THICK ? 1 : 0;
    AddPathArm(x, y, arm, thick);
    AddPathArm(nx, ny, facing, thick);
    MoveTo(nx, ny, 0);
}

void CTypingCaret::AddPathArm(int x, int y, int arm, int thick) {
    auto it = m_path.find(x + CRuvlenDoc::GRID * y);
    if (it == m_path.end())
        it = m_path.emplace(x + CRuvlenDoc::GRID * y, PathCell{m_pDoc->Cell(x, y), 0}).first;
    it->second.arms |= arm;
    Write(x, y, MergePathArms(it->second.original, it->second.arms, thick));
}
