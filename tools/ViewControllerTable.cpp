// Tables: pasting one made from rows of data, whole lines and columns, and
// the commands on a table recognised on the canvas.
#include "canvas/CommandIds.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/TableCommands.h"
#include "canvas/TableLayout.h"
#include "canvas/TableRecognition.h"
#include "canvas/io/TableDataWriter.h"
#include "canvas/io/TableText.h"
#include "tools/ViewController.h"

#include <algorithm>
#include <string>

namespace {

// Why an insert changed nothing: how many lines or columns the canvas needs.
std::string NoRoomMessage(bool lines, int needed) {
    const std::string what = lines ? "行" : "桁";
    const std::string text = "挿入すると、空白でないマスがキャンバスの外に出てしまいます。";
    if (needed > CRuvlenDoc::MAX_SIZE)
        return text + std::to_string(needed) + " " + what + "が必要ですが、キャンバスは " +
               std::to_string(CRuvlenDoc::MAX_SIZE) + " " + what + "までです。";
    return text + "ｷｬﾝﾊﾞｽの設定で" + what + "数を " + std::to_string(needed) +
           " 以上にしてから挿入してください。";
}

} // namespace

bool CViewController::CanPasteTable() const {
    return m_pDoc->m_nToolState == CRuvlenDoc::NO_TOOL && !m_pView->IsFrameMinimized();
}

bool CViewController::PasteTable(const CTableData& data, const CTableOptions& options, int pasteId,
                                 CTableProblem& problem) {
    problem = CTableProblem();
    if (!CanPasteTable()) return false;
    const CTableLayout table(data.m_rows, options);
    if (!PutTableInBuffer(*m_pDoc, table, problem)) return false;
    StartPaste(pasteId == ID_EDIT_TRANSPARENT_PASTE ? pasteId : ID_EDIT_PASTE);
    return true;
}

void CViewController::OnTableEdit(int id) {
    CRuvlenDoc& doc = *m_pDoc;
    CTableEditResult result;
    switch (id) {
    case ID_INSERT_LINES:
        result = doc.InsertLines(m_pView);
        break;
    case ID_DELETE_LINES:
        result = doc.DeleteLines(m_pView);
        break;
    case ID_INSERT_COLUMNS:
        result = doc.InsertColumns(m_pView);
        break;
    default:
        result = doc.DeleteColumns(m_pView);
        break;
    }
    m_lastTableEdit = result;
    if (result.m_nStatus == CTableEditResult::NO_ROOM)
        m_pView->ShowMessage(NoRoomMessage(id == ID_INSERT_LINES, result.m_nNeeded));
    UpdateOthers();
}

bool CViewController::SelectedTable(CDrawnTable& table, std::string& message) const {
    const CTableCommandResult result = TableAtSelection(*m_pDoc, table);
    message = TableCommandMessage(result);
    return result.Done();
}

void CViewController::OnCopyTable(int) {
    CDrawnTable table;
    std::string message;
    if (!SelectedTable(table, message)) {
        m_pView->ShowMessage(message);
        return;
    }
    if (!m_pClipboard || !m_pClipboard->SetText(TableClipboardBytes(table)))
        m_pView->ShowMessage(kClipboardCopyFailedMessage);
}

void CViewController::OnMergeCells(int) {
    CDrawnTable table;
    std::string message;
    CCellRect selection = m_pDoc->m_rcSelection;
    if (SelectedTable(table, message) && m_pDoc->ClipToCanvas(selection)) {
        const CTableCommandResult result = MergeTableCells(*m_pDoc, m_pView, table, selection);
        message = TableCommandMessage(result);
    }
    if (!message.empty()) m_pView->ShowMessage(message);
    UpdateOthers();
}

bool CViewController::FormatTable(const CTableOptions& options, bool checkOnly,
                                  std::string& message) {
    CDrawnTable table;
    if (!IsTableEditEnabled() || !SelectedTable(table, message)) return false;
    m_pDoc->BreakUndoRun();
    const CTableCommandResult result = ReLayTable(*m_pDoc, m_pView, table, options, checkOnly);
    message = TableCommandMessage(result);
    if (!checkOnly) UpdateOthers();
    return result.Done();
}

bool CViewController::SortTable(bool descending, bool header, std::string& message) {
    CDrawnTable table;
    if (!IsTableEditEnabled() || !SelectedTable(table, message)) return false;
    m_pDoc->BreakUndoRun();
    CCellRect selection = m_pDoc->m_rcSelection;
    m_pDoc->ClipToCanvas(selection);
    const int column = std::max(0, table.ColumnAt(selection.left));
    const CTableCommandResult result =
        ::SortTable(*m_pDoc, m_pView, table, column, descending, header);
    message = TableCommandMessage(result);
    UpdateOthers();
    return result.Done();
}
