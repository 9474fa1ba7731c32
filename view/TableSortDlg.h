#pragma once

#include <QDialog>

class QCheckBox;
class QRadioButton;

// The dialog of "表の並べ替え": ascending or descending, and whether the first
// row is a header that stays in place, preset from the table.
class CTableSortDlg : public QDialog {
    Q_OBJECT
public:
    // column: what the rows are sorted by, for the user ("2 列目「品名」").
    CTableSortDlg(const QString& column, bool header, QWidget* parent);

    bool Descending() const;
    bool Header() const;

    QRadioButton* m_pAscending = nullptr;
    QRadioButton* m_pDescending = nullptr;
    QCheckBox* m_pHeader = nullptr;
};
