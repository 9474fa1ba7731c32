#include "tools/TypeTool.h"

#include "tools/TypingCaret.h"

// The caret follows the pointer while the button is held, so that it ends up
// where the button is released.
void CTypeTool::BeginAt(const CCellPoint& cell) {
    CTool::BeginAt(cell);
    CTypingCaret::PlaceAt(m_pDoc, cell.x, cell.y);
}

void CTypeTool::TrackTo(const CCellPoint& cell) {
    CTool::TrackTo(cell);
    CTypingCaret::PlaceAt(m_pDoc, cell.x, cell.y);
}
