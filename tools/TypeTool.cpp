#include "tools/TypeTool.h"

#include "tools/TypingCaret.h"

void CTypeTool::BeginAt(const CCellPoint& cell) {
    CTool::BeginAt(cell);
    CTypingCaret::PlaceAt(m_pDoc, cell.x, cell.y);
}

void CTypeTool::TrackTo(const CCellPoint& cell) {
    CTool::TrackTo(cell);
    CTypingCaret::PlaceAt(m_pDoc, cell.x, cell.y);
}
