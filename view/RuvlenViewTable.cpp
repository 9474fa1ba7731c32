// The canvas window's dialogs for a table recognised on the canvas.
#include "canvas/RuvlenDoc.h"
#include "canvas/TableCommands.h"
#include "canvas/TableRecognition.h"
#include "canvas/io/Cp932.h"
#include "canvas/io/TableDataWriter.h"
#include "view/RuvlenView.h"
#include "view/TableFormatDlg.h"
#include "view/TableSortDlg.h"

#include <QFileDialog>

#include <algorithm>

bool CRuvlenView::SelectedTableOrSay(CDrawnTable& table) {
    std::string message;
    if (m_controller.SelectedTable(table, message)) return true;
    ShowMessage(message);
    return false;
}

QString CRuvlenView::ChooseTableDataFile(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("表をデータとして保存"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const CTableDataFormatRow& row : TableDataFormats())
        filters << QString::fromUtf8(row.filter);
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    QString path = dialog.selectedFiles().front();
    // A name without a known suffix gets the chosen format's.
    if (!TableDataFormatForPath(path.toStdString())) {
        const int chosen = std::max(0, int(filters.indexOf(dialog.selectedNameFilter())));
        path += QString::fromUtf8(TableDataFormats()[chosen].suffix);
    }
    return path;
}

bool CRuvlenView::OnSaveTableData() {
    CDrawnTable table;
    if (!SelectedTableOrSay(table)) return false;
    const QString path = m_chooseTableDataFile(this);
    const CTableDataFormatRow* format = TableDataFormatForPath(path.toStdString());
    if (path.isEmpty() || !format) return false;
    std::string error;
    if (SaveTableData(table, path.toStdString(), format->format, error)) return true;
    ShowMessage(error);
    return false;
}

bool CRuvlenView::OnFormatTable() {
    CDrawnTable table;
    std::string message;
    if (!SelectedTableOrSay(table)) return false;
    CTableFormatDlg dialog(TableOptionsOf(table), this);
    dialog.m_check = [this](const CTableOptions& options) {
        std::string why;
        return m_controller.FormatTable(options, true, why) ? std::string() : why;
    };
    if (dialog.exec() != QDialog::Accepted) return false;
    if (m_controller.FormatTable(dialog.Options(), false, message)) return true;
    ShowMessage(message);
    return false;
}

bool CRuvlenView::OnSortTable() {
    CDrawnTable table;
    std::string message;
    if (!SelectedTableOrSay(table)) return false;
    CCellRect selection = m_pDoc->m_rcSelection;
    m_pDoc->ClipToCanvas(selection);
    const int column = std::max(0, table.ColumnAt(selection.left));
    QString name = QStringLiteral("%1 列目").arg(column + 1);
    const int first = table.FieldAt(0, column);
    if (first >= 0 && !table.m_fields[first].m_strText.empty()) {
        std::string utf8;
        Cp932ToUtf8(table.m_fields[first].m_strText, utf8);
        name += QStringLiteral("「%1」").arg(QString::fromStdString(utf8).replace('\n', ' '));
    }
    CTableSortDlg dialog(name, table.m_bHeader, this);
    if (dialog.exec() != QDialog::Accepted) return false;
    if (m_controller.SortTable(dialog.Descending(), dialog.Header(), message)) return true;
    ShowMessage(message);
    return false;
}
