#pragma once

#include <QDialog>
#include <QString>

class QSpinBox;

// What a number dialog asks: its title, the label above the number (with its
// mnemonic), the range, a unit shown after the number, and a hint below it.
struct CNumberQuestion {
    QString title;
    QString label;
    int min = 0;
    int max = 0;
    QString suffix;
    QString hint;
};

// How many operations can be undone (1 to 100). One is the classic behaviour:
// a single undo, and undoing again brings the change back.
CNumberQuestion UndoLevelsQuestion();
// The least time between two recovery copies of a canvas, 0 to 3600 seconds;
// 0 makes no copies.
CNumberQuestion RecoveryIntervalQuestion();

// A dialog that asks for one whole number within a range.
class CNumberDlg : public QDialog {
    Q_OBJECT
public:
    CNumberDlg(QWidget* parent, const CNumberQuestion& question, int value);
    int Value() const;

    QSpinBox* m_pNumber = nullptr;
};
