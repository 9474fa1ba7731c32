#pragma once

#include <QMdiSubWindow>

class CCanvasDocument;
class CRuvlenView;

// An MDI child window showing one canvas view. Closing the last window of a
// modified canvas asks whether to save it first.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(CCanvasDocument* document, CRuvlenView* view, QWidget* parent = nullptr);

    CCanvasDocument* Document() const { return m_pDocument; }
    CRuvlenView* View() const { return m_pView; }

signals:
    // Asked before the window closes; set *allow to false to keep it open.
    void closeRequested(CChildFrame* frame, bool* allow);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CCanvasDocument* m_pDocument;
    CRuvlenView* m_pView;
};
