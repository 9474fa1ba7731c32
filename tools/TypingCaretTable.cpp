// The typing caret inside a table cell: keys and text that edit the cell's
// lines, move between fields and make the table grow.
#include "canvas/ByteClass.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/TableCellLine.h"
#include "canvas/TableGrowth.h"
#include "canvas/TableRecognition.h"
#include "tools/TypingCaret.h"

#include <algorithm>

// The table around the caret, the area that holds its cell and the field of
// the caret's line.
struct CTypingCaret::CCaretCell {
    CDrawnTable table;
    int area = -1;
    int field = -1;
    const CCellRect& Cells() const { return table.m_areas[size_t(area)].m_rcCells; }
};

std::string TableGrowthMessage(bool lines, int needed) {
    const std::string what = lines ? "行" : "桁";
    const std::string text = "入力できません: 表を広げるには";
    if (needed > CRuvlenDoc::MAX_SIZE)
        return text + " " + std::to_string(needed) + " " + what + "必要ですが、キャンバスは 99 " +
               what + "までです。";
    return text + "キャンバスに " + std::to_string(needed) + " " + what +
           "必要です（ｷｬﾝﾊﾞｽの設定）。";
}

namespace {

// Whether each text line of the area is a field of its own (a compact table).
bool FieldPerLine(const CDrawnTable& t, const CTableArea& a) {
    return a.m_nBandSpan == 1 && t.SplitsBand(a.m_nBand);
}

// The first line of a field and where its text starts: the first character
// of its first non-blank line, or the area's top-left place inside its margin.
void FieldStart(const CDrawnTable& t, int field, int& line, int& half) {
    const CTableField& f = t.m_fields[size_t(field)];
    const CTableArea& a = t.m_areas[size_t(f.m_nArea)];
    const bool perLine = FieldPerLine(t, a);
    const size_t first = perLine ? size_t(t.m_rows[size_t(f.m_nRow)].m_nTop - a.m_rcCells.top) : 0;
    const size_t last = perLine ? first : a.m_lines.size() - 1;
    for (size_t k = first; k <= last; ++k) {
        if (a.m_lines[k].m_strText.empty()) continue;
        line = a.m_lines[k].m_nLine;
        half = a.m_lines[k].m_nStartHalf;
        return;
    }
    line = a.m_rcCells.top + int(first);
    half = 2 * a.m_rcCells.left + 1;
}

bool IsOneCharacter(const std::string& sjis) {
    const auto byte = [&sjis](size_t i) { return static_cast<unsigned char>(sjis[i]); };
    return (sjis.size() == 1 && IsSingleByteChar(byte(0))) ||
           (sjis.size() == 2 && IsLeadByte(byte(0)) && IsTrailByte(byte(1)));
}

} // namespace

bool CTypingCaret::FindCell(CCaretCell& c) const {
    if (!RecognizeTable(*m_pDoc, m_caret, c.table)) return false;
    for (size_t i = 0; i < c.table.m_areas.size(); ++i)
        if (c.table.m_areas[i].m_rcCells.Contains(m_caret.x, m_caret.y)) c.area = int(i);
    if (c.area < 0) return false;
    c.field = TableFieldAt(c.table, c.area, m_caret.y);
    return true;
}

bool CTypingCaret::TableCell(CCellRect& cells) const {
    cells = m_rcTableCell;
    return m_bInTable;
}

// The frame goes around the caret's field: its area, or in a band read as one
// row per text line, the caret's line of it.
void CTypingCaret::RefreshTableCell() {
    CCaretCell c;
    const bool in = FindCell(c);
    CCellRect cells = in ? c.Cells() : CCellRect();
    if (in && FieldPerLine(c.table, c.table.m_areas[size_t(c.area)]))
        cells.top = cells.bottom = m_caret.y;
    if (in == m_bInTable && (!in || cells == m_rcTableCell)) return;
    if (m_bInTable) RepaintFrame(m_rcTableCell);
    m_bInTable = in;
    m_rcTableCell = cells;
    if (in) RepaintFrame(cells);
}

// The cells the frame of a table cell passes through: its outermost ones.
void CTypingCaret::RepaintFrame(const CCellRect& c) const {
    std::vector<CCellRect> edges = {{c.left, c.top, c.right, c.top}};
    if (c.bottom > c.top) edges.push_back({c.left, c.bottom, c.right, c.bottom});
    if (c.bottom > c.top + 1) {
        edges.push_back({c.left, c.top + 1, c.left, c.bottom - 1});
        if (c.right > c.left) edges.push_back({c.right, c.top + 1, c.right, c.bottom - 1});
    }
    for (CDocView* view : m_pDoc->Views())
        for (const CCellRect& rc : edges) view->InvalidateCells(rc);
}

void CTypingCaret::SyncSerial() {
    m_nSerial = m_pDoc->UndoSerial();
}

bool CTypingCaret::Refused(const CTableEditResult& result, bool lines, std::string* status) {
    SyncSerial();
    if (result.Done()) return false;
    (lines ? m_nNeedLines : m_nNeedColumns) = result.m_nNeeded;
    if (status) *status = TableGrowthMessage(lines, result.m_nNeeded);
    return true;
}

// A caret at half `half` of a line, in the cell that holds it, or past the end
// of the area's last column.
void CTypingCaret::MoveToHalf(int half, int line, int lastColumn) {
    if (half >= 2 * (lastColumn + 1))
        MoveTo(lastColumn, line, 2);
    else
        MoveTo(half / 2, line, half % 2);
}

void CTypingCaret::MoveToField(const CDrawnTable& table, int field) {
    int line = 0, half = 0;
    FieldStart(table, field, line, half);
    const CTableArea& a = table.m_areas[size_t(table.m_fields[size_t(field)].m_nArea)];
    MoveToHalf(half, line, a.m_rcCells.right);
}

// The side a run of typing keeps its text to: the field's, as the run found it.
bool CTypingCaret::RunKeepsRight(const CCaretCell& c) {
    if (m_nRunKeepsRight < 0) m_nRunKeepsRight = c.table.m_fields[size_t(c.field)].m_bRight;
    return m_nRunKeepsRight != 0;
}

void CTypingCaret::WriteLine(int left, int line, const std::vector<std::string>& cells) {
    for (size_t i = 0; i < cells.size(); ++i) {
        const int x = left + int(i);
        const CCell& now = m_pDoc->Cell(x, line);
        if (std::string(now.m_szText, 2) == cells[i]) continue;
        CCell cell = now;
        cell.SetText(cells[i].c_str());
        Write(x, line, cell);
    }
}

bool CTypingCaret::PressTableKey(int key, int modifiers, std::string* status) {
    if (modifiers & MOD_CTRL) return false;
    const bool shift = modifiers & MOD_SHIFT;
    if (shift && key != KEY_TAB) return false;
    if (key != KEY_TAB && key != KEY_HOME && key != KEY_END && key != KEY_BACKSPACE &&
        key != KEY_DELETE && key != KEY_ENTER)
        return false;
    CCaretCell c;
    if (!FindCell(c)) return false;
    switch (key) {
    case KEY_TAB:
        return TabInTable(c, shift, status);
    case KEY_HOME:
    case KEY_END: {
        EndRun();
        const CCellRect& cells = c.Cells();
        const CTableCellLine line(*m_pDoc, cells.left, cells.right, m_caret.y,
                                  c.table.m_fields[size_t(c.field)].m_bRight);
        MoveToHalf(key == KEY_HOME ? line.TextStart() : line.TextEnd(), m_caret.y, cells.right);
        return true;
    }
    case KEY_ENTER:
        return EnterInCell(c, status);
    default:
        EraseInCell(c, key == KEY_BACKSPACE);
        return true;
    }
}

bool CTypingCaret::TabInTable(const CCaretCell& c, bool back, std::string* status) {
    EndRun();
    const int fields = int(c.table.m_fields.size());
    if (back || c.field + 1 < fields) {
        const int next = c.field + (back ? -1 : 1);
        if (next >= 0) MoveToField(c.table, next);
        return true;
    }
    // Tab in the last field: a new row, whose growth starts the next typing run.
    BeginRun(RUN_TYPING);
    if (Refused(AddTableRow(*m_pDoc, c.table, m_nRun), true, status)) return true;
    CDrawnTable grown;
    if (!RecognizeTable(*m_pDoc, m_caret, grown)) return true;
    for (int i = 0; i < int(grown.m_fields.size()); ++i) {
        if (grown.m_fields[size_t(i)].m_nRow == grown.Rows() - 1) {
            MoveToField(grown, i);
            break;
        }
    }
    return true;
}

bool CTypingCaret::EnterInCell(const CCaretCell& c, std::string* status) {
    BeginRun(RUN_TYPING);
    const CCellRect& cells = c.Cells();
    const bool right = RunKeepsRight(c);
    const CTableCellLine line(*m_pDoc, cells.left, cells.right, m_caret.y, right);
    const int half = right ? line.TextEnd() : line.TextStart();
    if (m_caret.y == cells.bottom &&
        Refused(HeightenTable(*m_pDoc, c.table, c.area, 1, m_nRun), true, status))
        return true;
    MoveToHalf(half, m_caret.y + 1, cells.right);
    return true;
}

// The place among the line's characters where an edit goes. A run that starts
// here (the caret was put down, not typed along) begins at the text: blanks on
// the side the text grows into are room, not text.
int CTypingCaret::EditPlace(const CTableCellLine& line, bool runStarts) const {
    int index = std::clamp(line.IndexAt(CaretHalf()), line.FirstPlace(), line.LastPlace());
    if (runStarts)
        index = m_nRunKeepsRight > 0 ? std::max(index, line.TextIndex(true))
                                     : std::min(index, line.TextIndex(false));
    return index;
}

void CTypingCaret::EraseInCell(const CCaretCell& c, bool before) {
    const bool starts = BeginRun(RUN_TYPING);
    const CCellRect& cells = c.Cells();
    CTableCellLine line(*m_pDoc, cells.left, cells.right, m_caret.y, RunKeepsRight(c));
    const int index = EditPlace(line, starts);
    if (before ? index <= line.FirstPlace() : index >= line.LastPlace()) return;
    const int caret = before ? index - 1 : index;
    line.Erase(caret);
    const CTableCellLine::CLaid laid = line.Lay(cells.right, caret);
    WriteLine(cells.left, m_caret.y, laid.m_cells);
    MoveToHalf(laid.m_nCaretHalf, m_caret.y, cells.right);
}

// -1 when the caret is in no table cell; 0 when the character was not typed
// (it is not one Shift-JIS character, or the table could not grow); 1 typed.
int CTypingCaret::TypeInCell(const std::string& sjis, std::string* status) {
    CCaretCell c;
    if (!FindCell(c)) return -1;
    if (!IsOneCharacter(sjis)) return 0;
    const bool starts = BeginRun(RUN_TYPING);
    const CCellRect cells = c.Cells();
    CTableCellLine line(*m_pDoc, cells.left, cells.right, m_caret.y, RunKeepsRight(c));
    const int index = EditPlace(line, starts);
    line.Insert(index, sjis);
    CTableCellLine::CLaid laid = line.Lay(cells.right, index + 1);
    int right = cells.right;
    if (laid.m_nShortHalves > 0) {
        const int columns = (laid.m_nShortHalves + 1) / 2;
        if (Refused(WidenTable(*m_pDoc, c.table, c.area, columns, m_nRun), false, status)) return 0;
        right += columns;
        laid = line.Lay(right, index + 1);
    }
    WriteLine(cells.left, m_caret.y, laid.m_cells);
    MoveToHalf(laid.m_nCaretHalf, m_caret.y, right);
    return 1;
}
