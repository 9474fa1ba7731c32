#include "app/ChildFrame.h"

#include "view/RuvlenView.h"

#include <QCloseEvent>

CChildFrame::CChildFrame(CCanvasDocument* document, CRuvlenView* view, QWidget* parent)
    : QMdiSubWindow(parent), m_pDocument(document), m_pView(view) {
    // A sub-window made by hand is only hidden when closed unless it deletes
    // itself, and the area would then activate no other window.
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    bool allow = true;
    emit closeRequested(this, &allow);
    if (!allow) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
