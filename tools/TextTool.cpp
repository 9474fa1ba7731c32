#include "tools/TextTool.h"

#include "canvas/RuvlenDoc.h"
#include "tools/DialogResult.h"
#include "tools/TextInputDlg.h"
#include "tools/ViewPort.h"

int CTextTool::Apply() {
    const int l = Left(), t = Top(), r = Right(), b = Bottom();
    CTextInputDlg dialog(r - l + 1, b - t + 1, m_bVertical);
    dialog.SetInitialText(m_bVertical ? m_pDoc->GetTextVertical(l, t, r, b)
                                      : m_pDoc->GetTextHorizontal(l, t, r, b));
    dialog.m_nCapacity = (r - l + 1) * (b - t + 1);
    DrawMarker();
    if (m_pView->RunTextInput(dialog) == IDOK) {
        const std::string& text = dialog.GetText();
        if (m_bVertical)
            m_pDoc->PutTextVertical(m_pView, l, t, r, b, text.c_str());
        else
            m_pDoc->PutTextHorizontal(m_pView, l, t, r, b, text.c_str());
    } else {
        m_pDoc->InvalidateCells(m_pView, l, t, r, b); // takes the marker away
    }
    return 0;
}

void CTextTool::DrawMarker() {
    if (m_nState != FINISHED) return;
    CFeedbackFigure marker;
    marker.kind = CFeedbackFigure::Marker;
    marker.rects.push_back(CellOutline(Left(), Top(), Right(), Bottom()));
    m_pView->DrawMarker(marker);
}
