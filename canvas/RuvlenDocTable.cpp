// Table edits: inserting and deleting whole lines and columns of the canvas with
// the ruled lines kept joined across the seam. Lines and columns share one
// routine each for insert and delete: a column edit is a line edit on the canvas
// seen transposed. An edit moves whole storage lines and columns, the cells a
// smaller canvas hides included, so that a canvas grown again shows them whole.
#include "canvas/RuvlenDoc.h"
#include "canvas/TableSeam.h"

#include <algorithm>
#include <vector>

namespace {

// The canvas seen across the seams of one kind of edit. A "row" is a line for line
// edits and a column for column edits; it runs along the seam, and rows are
// counted across it. Cells along a row are counted by `i`.
class CTableAxis {
public:
    CTableAxis(CRuvlenDoc& doc, bool columns)
        : m_doc(doc), m_bColumns(columns),
          m_seam(columns ? CSeamArms::AcrossColumns() : CSeamArms::AcrossLines()),
          m_edge(columns ? CSeamArms::AcrossLines() : CSeamArms::AcrossColumns()) {}

    // Rows on the canvas, and the cells of a row the canvas shows.
    int Rows() const { return m_bColumns ? m_doc.m_nColumns : m_doc.m_nLines; }
    int Shown() const { return m_bColumns ? m_doc.m_nLines : m_doc.m_nColumns; }
    // Every stored row is a whole storage line or column.
    static constexpr int kStored = CRuvlenDoc::GRID;
    CCell& At(int row, int i) { return m_bColumns ? m_doc.Cell(row, i) : m_doc.Cell(i, row); }
    const CSeamArms& Seam() const { return m_seam; }
    // The seam between two cells of one row: the edge of a band.
    const CSeamArms& Edge() const { return m_edge; }

    // Stored rows first..last as a cell rectangle across cells from..to of each
    // row (cut down to the storage), or across all of them, hidden cells included.
    CCellRect RowsRect(int first, int last, int from, int to) const {
        from = std::max(from, 0);
        to = std::min(to, kStored - 1);
        if (m_bColumns) return {first, from, last, to};
        return {from, first, to, last};
    }
    CCellRect RowsRect(int first, int last) const { return RowsRect(first, last, 0, kStored - 1); }
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

    // 0 when the band's rows can come in: its shown cells in the canvas's last
    // rows as many as come in are blank (none is pushed off the canvas), and so
    // are its cells in as many last stored rows (none is pushed out of storage).
    // Otherwise the rows the canvas would need: the last non-blank row pushed on
    // by the count.
    int RowsNeeded(const CSeamBand& band) {
        const int count = band.m_nCount;
        for (int row = Rows() - 1; row >= Rows() - count; --row)
            for (int i = band.m_nFrom; i <= std::min(band.m_nTo, Shown() - 1); ++i)
                if (!At(row, i).IsBlank()) return row + count + 1;
        for (int row = kStored - 1; row >= kStored - count; --row)
            for (int i = band.m_nFrom; i <= band.m_nTo; ++i)
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
    CSeamArms m_edge;
};

// The cells just inside the band's two edges, on every stored row from the
// seam on: the ones whose neighbours outside the band may have lost their
// partner.
struct CBandEdges {
    std::vector<CCell> m_near, m_far;

    CBandEdges(CTableAxis& axis, const CSeamBand& band) {
        for (int row = band.m_nFirst; row < CTableAxis::kStored; ++row) {
            m_near.push_back(axis.At(row, band.m_nFrom));
            m_far.push_back(axis.At(row, band.m_nTo));
        }
    }
    // Where a cell inside an edge changed, the arms across that edge are joined
    // again as at a deleted seam.
    void Join(CTableAxis& axis, const CSeamBand& band) const {
        for (int row = band.m_nFirst; row < CTableAxis::kStored; ++row) {
            const size_t k = size_t(row - band.m_nFirst);
            if (band.m_nFrom > 0 && axis.At(row, band.m_nFrom) != m_near[k])
                JoinAtSeam(&axis.At(row, band.m_nFrom - 1), axis.At(row, band.m_nFrom),
                           axis.Edge());
            if (band.m_nTo + 1 < CTableAxis::kStored && axis.At(row, band.m_nTo) != m_far[k])
                JoinAtSeam(&axis.At(row, band.m_nTo), axis.At(row, band.m_nTo + 1), axis.Edge());
        }
    }
};

} // namespace

CTableEditResult CRuvlenDoc::InsertInBand(CDocView* view, const CSeamBand& band, int* run) {
    CTableAxis axis(*this, band.m_bColumns);
    if (const int needed = axis.RowsNeeded(band)) return {CTableEditResult::NO_ROOM, needed};

    const int rows = CTableAxis::kStored, first = band.m_nFirst, count = band.m_nCount;
    // The band's rows from the seam on, and the cells beside it that an arm may leave.
    const CCellRect changed = axis.RowsRect(first, rows - 1, band.m_nFrom - 1, band.m_nTo + 1);
    if (run)
        *run = SaveUndoRun(changed.left, changed.top, changed.right, changed.bottom, *run);
    else
        SaveUndo(changed.left, changed.top, changed.right, changed.bottom);
    const CBandEdges edges(axis, band);
    for (int row = rows - 1; row >= first + count; --row)
        for (int i = band.m_nFrom; i <= band.m_nTo; ++i)
            axis.At(row, i).CopyFrom(axis.At(row - count, i));
    const CCell blank;
    for (int i = band.m_nFrom; i <= band.m_nTo; ++i) {
        const CCell& before = first > 0 ? axis.At(first - 1, i) : blank;
        const CCell& after = first + count < rows ? axis.At(first + count, i) : blank;
        for (int row = first; row < first + count; ++row)
            FillInsertedCell(before, after, axis.At(row, i), axis.Seam());
    }
    edges.Join(axis, band);
    if (run)
        for (CDocView* v : m_views) v->InvalidateCells(changed);
    else
        InvalidateCells(view, changed);
    SetModifiedFlag();
    return {};
}

CTableEditResult CRuvlenDoc::InsertRows(CDocView* view, bool columns) {
    CCellRect sel;
    if (!SelectionOnCanvas(sel)) return {CTableEditResult::NO_SELECTION};
    CTableAxis axis(*this, columns);
    CSeamBand band{columns, 0, 0, 0, CTableAxis::kStored - 1};
    axis.RowsOf(sel, band.m_nFirst, band.m_nCount);
    const CTableEditResult result = InsertInBand(view, band);
    if (!result.Done()) return result;
    // The selection moves with its cells.
    m_rcSelection = axis.Shifted(sel, band.m_nCount);
    if (ClipToCanvas(m_rcSelection))
        m_bSquareSelection = m_rcSelection.Width() == m_rcSelection.Height() ? 1 : 0;
    else
        m_bSelection = m_bSquareSelection = 0;
    return result;
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
