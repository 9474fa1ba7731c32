#pragma once

#include "canvas/TableLayout.h"

#include <QDialog>

#include <functional>
#include <string>

class QCheckBox;
class QComboBox;

// The dialog of "表の整形": the frame and inner line weights, a header line
// and where lines go between rows, started with what the table has now. OK
// asks m_check whether the table can be re-laid so; a refusal shows its
// message and keeps the dialog open.
class CTableFormatDlg : public QDialog {
    Q_OBJECT
public:
    CTableFormatDlg(const CTableOptions& current, QWidget* parent);

    CTableOptions Options() const;

    // Empty when the table can be re-laid with the options, else why not.
    std::function<std::string(const CTableOptions&)> m_check;

    QComboBox* m_pOuter = nullptr;
    QComboBox* m_pInner = nullptr;
    QCheckBox* m_pHeader = nullptr;
    QComboBox* m_pSeparators = nullptr;

public slots:
    void tryAccept();
};
