// Table edits: inserting and deleting whole lines and columns of the canvas with
// the ruled lines kept joined across the seam. Lines and columns share one
// routine each for insert and delete: a column edit is a line edit on the canvas
// seen transposed. An edit moves whole storage lines and columns, the cells a
// smaller canvas hides included, so that a canvas grown again shows them whole.
#include "canvas/RuvlenDoc.h"
#include "canvas/TableSeam.h"

#include <algorithm>

namespace {

// The canvas seen across the seams of one kind of edit. A "row" is a line for line
// edits and a column for column edits; it runs along the seam, and rows are
// counted across it.
class CTableAxis {
public:
    CTableAxis(CRuvlenDoc& doc, bool columns)
        : m_doc(doc), m_bColumns(columns),
          m_seam(columns ? CSeamArms::AcrossColumns() : CSeamArms::AcrossLines()) {}

    // Rows on the canvas, and the cells of a row the canvas shows.
    int Rows() const { return m_bColumns ? m_doc.m_nColumns : m_doc.m_nLines; }
    int Shown() const { return m_bColumns ? m_doc.m_nLines : m_doc.m_nColumns; }
    // Every stored row is a whole storage line or column.
    static constexpr int kStored = CRuvlenDoc::GRID;
    CCell& At(int row, int i) { return m_bColumns ? m_doc.Cell(row, i) : m_doc.Cell(i, row); }
    const CSeamArms& Seam() const { return m_seam; }

    // Stored rows first..last as a cell rectangle, hidden cells included.
    CCellRect RowsRect(int first, int last) const {
        if (m_bColumns) return {first, 0, last, kStored - 1};
        return {0, first, kStored - 1, last};
    }
    // The rows a rectangle covers: its first one and how many.
    void RowsOf(const CCellRect& rc, int& first, int& count) const {
        first = m_bColumns ? rc.left : rc.top;
        count = m_bColumns ? rc.Width() : rc.Height();
    }
    CCellRect Shifted(CCellRect rc, int rows) const {
        (m_bColumns ? rc.left : rc.top) += rows;
        (m_bColumns ? rc.right : rc.bottom) += rows;
        return rc;
    }

    // 0 when `count` rows can come in: the shown cells of the canvas's last
    // `count` rows are blank (none is pushed off the canvas), and so are the
    // last `count` stored rows (none is pushed out of storage). Otherwise the
    // rows the canvas would need: the last non-blank row pushed on by `count`.
    int RowsNeeded(int count) {
        for (int row = Rows() - 1; row >= Rows() - count; --row)
            for (int i = 0; i < Shown(); ++i)
                if (!At(row, i).IsBlank()) return row + count + 1;
        for (int row = kStored - 1; row >= kStored - count; --row)
            for (int i = 0; i < kStored; ++i)
                if (!At(row, i).IsBlank()) return row + count + 1;
        return 0;
    }

    void CopyRow(int to, int from) {
        for (int i = 0; i < kStored; ++i) At(to, i).CopyFrom(At(from, i));
    }
    void EraseRow(int row) {
        for (int i = 0; i < kStored; ++i) At(row, i).Erase();
    }

private:
    CRuvlenDoc& m_doc;
    bool m_bColumns;
    CSeamArms m_seam;
};

} // namespace

CTableEditResult CRuvlenDoc::InsertRows(CDocView* view, bool columns) {
    CCellRect sel;
    if (!SelectionOnCanvas(sel)) return {CTableEditResult::NO_SELECTION};
    CTableAxis axis(*this, columns);
    int first = 0, count = 0;
    axis.RowsOf(sel, first, count);
    if (const int needed = axis.RowsNeeded(count)) return {CTableEditResult::NO_ROOM, needed};

    const int rows = CTableAxis::kStored;
    const CCellRect changed = axis.RowsRect(first, rows - 1);
    SaveUndo(changed.left, changed.top, changed.right, changed.bottom);
    for (int row = rows - 1; row >= first + count; --row) axis.CopyRow(row, row - count);
    const CCell blank;
    for (int i = 0; i < rows; ++i) {
        const CCell& before = first > 0 ? axis.At(first - 1, i) : blank;
        const CCell& after = first + count < rows ? axis.At(first + count, i) : blank;
        for (int row = first; row < first + count; ++row)
            FillInsertedCell(before, after, axis.At(row, i), axis.Seam());
    }
    // The selection moves with its cells.
    m_rcSelection = axis.Shifted(sel, count);
    if (ClipToCanvas(m_rcSelection))
        m_bSquareSelection = m_rcSelection.Width() == m_rcSelection.Height() ? 1 : 0;
    else
        m_bSelection = m_bSquareSelection = 0;
    InvalidateCells(view, changed);
    SetModifiedFlag();
    return {};
}

CTableEditResult CRuvlenDoc::DeleteRows(CDocView* view, bool columns) {
    CCellRect sel;
    if (!SelectionOnCanvas(sel)) return {CTableEditResult::NO_SELECTION};
    CTableAxis axis(*this, columns);
    int first = 0, count = 0;
    axis.RowsOf(sel, first, count);

    const int rows = CTableAxis::kStored;
    // The row before the seam may lose an arm too.
    const CCellRect changed = axis.RowsRect(std::max(first - 1, 0), rows - 1);
    SaveUndo(changed.left, changed.top, changed.right, changed.bottom);
    for (int row = first; row + count < rows; ++row) axis.CopyRow(row, row + count);
    for (int row = rows - count; row < rows; ++row) axis.EraseRow(row);
    for (int i = 0; i < rows; ++i)
        JoinAtSeam(first > 0 ? &axis.At(first - 1, i) : nullptr, axis.At(first, i), axis.Seam());
    // The selected cells are gone.
    m_bSelection = m_bSquareSelection = 0;
    InvalidateCells(view, changed);
    SetModifiedFlag();
    return {};
}

CTableEditResult CRuvlenDoc::InsertLines(CDocView* view) {
    return InsertRows(view, false);
}

CTableEditResult CRuvlenDoc::DeleteLines(CDocView* view) {
    return DeleteRows(view, false);
}

CTableEditResult CRuvlenDoc::InsertColumns(CDocView* view) {
    return InsertRows(view, true);
}

CTableEditResult CRuvlenDoc::DeleteColumns(CDocView* view) {
    return DeleteRows(view, true);
}
