#pragma once

#include "canvas/TableLayout.h"

#include <QCheckBox>
#include <QComboBox>

// The options of the table dialogs (表として貼り付け, 表の整形) from their
// controls: frame and inner weight combos (細線, 太線), the header box and the
// separators combo (各行の後, 見出しの後だけ).
inline CTableOptions TableOptionsFrom(const QComboBox* outer, const QComboBox* inner,
                                      const QCheckBox* header, const QComboBox* separators) {
    CTableOptions options;
    options.m_bThickOuter = outer->currentIndex();
    options.m_bThickInner = inner->currentIndex();
    options.m_bHeader = header->isChecked();
    options.m_bCompact = separators->currentIndex();
    return options;
}
