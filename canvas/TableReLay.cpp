// Re-laying a recognised table, and what the table commands share.
#include "canvas/RuvlenDoc.h"
#include "canvas/TableCommands.h"
#include "canvas/TableRecognition.h"

#include <algorithm>

namespace {

// Columns right of the old table and lines below it that hold a non-blank
// cell inside the new table's rectangle.
CTableCommandResult CellsInTheWay(const CRuvlenDoc& doc, const CCellRect& old,
                                  const CCellRect& rc) {
    CTableCommandResult result;
    for (int x = old.right + 1; x <= rc.right; ++x)
        for (int y = rc.top; y <= rc.bottom; ++y)
            if (!doc.Cell(x, y).IsBlank()) {
                ++result.m_nColumns;
                break;
            }
    for (int y = old.bottom + 1; y <= rc.bottom; ++y)
        for (int x = rc.left; x <= rc.right; ++x)
            if (!doc.Cell(x, y).IsBlank()) {
                ++result.m_nLines;
                break;
            }
    if (result.m_nColumns || result.m_nLines) result.m_nStatus = CTableCommandResult::NO_ROOM;
    return result;
}

std::vector<CTableMerge> MergesOf(const CDrawnTable& table) {
    std::vector<CTableMerge> merges;
    for (const CTableField& f : table.m_fields)
        if (f.m_nRowSpan > 1 || f.m_nColumnSpan > 1)
            merges.push_back({f.m_nRow, f.m_nColumn, f.m_nRowSpan, f.m_nColumnSpan});
    return merges;
}

} // namespace

CTableCommandResult TableAtSelection(const CRuvlenDoc& doc, CDrawnTable& table) {
    CCellRect sel = doc.m_rcSelection;
    if (!doc.m_bSelection || !doc.ClipToCanvas(sel)) return {CTableCommandResult::NO_SELECTION};
    if (!RecognizeTable(doc, {sel.left, sel.top}, table)) return {CTableCommandResult::NO_TABLE};
    return {};
}

CTableOptions TableOptionsOf(const CDrawnTable& table) {
    CTableOptions options;
    options.m_bThickOuter = table.m_bThickFrame;
    options.m_bThickInner = table.m_bThickInner;
    options.m_bHeader = table.m_bHeader;
    options.m_bCompact = table.m_bCompact;
    return options;
}

CTableCommandResult ReLayTable(CRuvlenDoc& doc, CDocView* view, const CDrawnTable& table,
                               const CTableOptions& options, bool checkOnly) {
    const std::vector<CTableMerge> merges = MergesOf(table);
    if (!CTableLayout::CanLayMerges(merges, options)) return {CTableCommandResult::MERGED_COMPACT};
    const CTableLayout layout(table.Data(), options, merges);
    const CCellRect& old = table.m_rcFrame;
    const CCellRect rc = {old.left, old.top, old.left + layout.Width() - 1,
                          old.top + layout.Height() - 1};
    const int beyondX = std::max(0, rc.right - (doc.m_nColumns - 1));
    const int beyondY = std::max(0, rc.bottom - (doc.m_nLines - 1));
    if (beyondX || beyondY) return {CTableCommandResult::BEYOND_CANVAS, beyondX, beyondY};
    const CTableCommandResult inTheWay = CellsInTheWay(doc, old, rc);
    if (!inTheWay.Done() || checkOnly) return inTheWay;

    const CCellRect changed = {old.left, old.top, std::max(old.right, rc.right),
                               std::max(old.bottom, rc.bottom)};
    doc.SaveUndo(changed.left, changed.top, changed.right, changed.bottom);
    for (int y = old.top; y <= old.bottom; ++y)
        for (int x = old.left; x <= old.right; ++x) doc.Cell(x, y).Erase();
    std::vector<CCell> cells(static_cast<size_t>(layout.Width()) * layout.Height());
    layout.Render(cells.data(), layout.Width());
    for (int y = 0; y < layout.Height(); ++y)
        for (int x = 0; x < layout.Width(); ++x)
            doc.Cell(rc.left + x, rc.top + y).CopyFrom(cells[x + size_t(layout.Width()) * y]);
    doc.InvalidateCells(view, changed);
    doc.SetModifiedFlag();
    return {};
}

std::string TableCommandMessage(const CTableCommandResult& r) {
    const auto both = [&r](const std::string& columns, const std::string& lines) {
        std::string text;
        if (r.m_nColumns) text += columns + " " + std::to_string(r.m_nColumns) + " 桁";
        if (r.m_nColumns && r.m_nLines) text += "、";
        if (r.m_nLines) text += lines + " " + std::to_string(r.m_nLines) + " 行";
        return text;
    };
    switch (r.m_nStatus) {
    case CTableCommandResult::NO_SELECTION:
        return "表のマスを選択してから選んでください。";
    case CTableCommandResult::NO_TABLE:
        return "選択範囲の左上のマスを含む表がありません。表は、切れ目のない罫線で囲まれ、"
               "中が罫線で四角に分かれている範囲です。";
    case CTableCommandResult::BEYOND_CANVAS:
        return "整形した表はキャンバスに収まりません（" + both("右に", "下に") +
               "足りません）。何も変更していません。";
    case CTableCommandResult::NO_ROOM:
        return "整形した表の置き場所に空白でないマスがあります（" + both("表の右の", "表の下の") +
               "）。空けてからもう一度整形してください。何も変更していません。";
    case CTableCommandResult::MERGED_COMPACT:
        return "見出しより下に結合したセルがある表は、行の間の線を省いて整形できません。";
    case CTableCommandResult::MERGED_ROWS:
        return "行をまたいで結合したセルがある表は並べ替えできません。";
    case CTableCommandResult::NO_BOUNDARY:
        return "選択範囲の中にセルの境目がありません。結合するセルにかかるように選択してください。";
    case CTableCommandResult::DONE:
        break;
    }
    return std::string();
}
