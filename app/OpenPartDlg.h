#pragma once

#include "canvas/io/DiagramBlocks.h"

#include <QDialog>
#include <vector>

class QListWidget;
class QRadioButton;
class QSpinBox;

// Opening a file that does not fit a canvas: one of its diagram blocks, a
// range of lines typed in, or the file from its start, cut as a canvas holds
// it. A block or a range opens as a part that is saved back in place.
class COpenPartDlg : public QDialog {
    Q_OBJECT
public:
    enum EChoice { Block, Range, Whole };

    COpenPartDlg(QWidget* parent, const QString& fileName, int fileLines,
                 const std::vector<CDiagramBlock>& blocks);

    EChoice Choice() const;
    // The lines to open (1-based, inclusive) for a block or a range.
    int First() const;
    int Last() const;

    QRadioButton* m_pBlockChoice = nullptr;
    QListWidget* m_pBlockList = nullptr;
    QRadioButton* m_pRangeChoice = nullptr;
    QSpinBox* m_pFirst = nullptr;
    QSpinBox* m_pLast = nullptr;
    QRadioButton* m_pWholeChoice = nullptr;

private:
    void tryAccept();
    void ShowBlock(int row);

    std::vector<CDiagramBlock> m_blocks;
    int m_nFileLines;
    bool m_bShowingBlock = false;
};
