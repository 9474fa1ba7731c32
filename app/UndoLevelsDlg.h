#pragma once

#include <QDialog>

class QSpinBox;

// How many operations can be undone (1 to 100). One is the classic behaviour:
// a single undo, and undoing again brings the change back.
class CUndoLevelsDlg : public QDialog {
    Q_OBJECT
public:
    CUndoLevelsDlg(QWidget* parent, int levels);
    int Levels() const;

    QSpinBox* m_pLevels = nullptr;
};
