// Pasting a table made from rows of data.
#include "canvas/CommandIds.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/TableLayout.h"
#include "canvas/io/TableText.h"
#include "tools/ViewController.h"

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
