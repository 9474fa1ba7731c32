// Pasting a table made from rows of data.
#include "canvas/RuvlenDoc.h"
#include "canvas/TableLayout.h"
#include "tools/CommandIds.h"
#include "tools/ViewController.h"

bool CViewController::CanPasteTable() const {
    return m_pDoc->m_nToolState == 0 && !m_pView->IsFrameMinimized();
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
