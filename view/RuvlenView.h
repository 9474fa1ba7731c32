#pragma once

#include "tools/ViewController.h"
#include "view/CanvasPainter.h"
#include "view/FeedbackOverlay.h"
#include "view/PastePreview.h"

#include <QAbstractScrollArea>

#include <functional>

class CRuvlenDoc;
class CTypingInput;
struct CDrawnTable;

// The scrolling canvas window. It turns mouse events into logical points for the
// view controller, paints the canvas and the tools' feedback, and shows the
// dialogs and menus the controller asks for. Every editing rule lives in the
// controller and the tools; this class only connects them to widgets.
class CRuvlenView : public QAbstractScrollArea, public CViewPort {
    Q_OBJECT
public:
    CRuvlenView(CRuvlenDoc* doc, CSymbolSource* symbols, QWidget* parent = nullptr);
    ~CRuvlenView() override;

    CRuvlenDoc* GetDocument() const { return m_pDoc; }
    CViewController& Controller() { return m_controller; }
    const CFeedbackOverlay& Overlay() const { return m_overlay; }

    // The commands of a canvas window (the registry's view rows): the
    // controller's, plus the window's own (dialogs, printing, zoom). Enabling
    // is the controller's throughout; a disabled command does not run.
    bool IsCommandEnabled(int id);
    bool IsCommandChecked(int id) const;
    bool RunCommand(int id);
    // Whether the window itself carries the command out.
    static bool HasWindowHandler(int id);
    // The window's own commands.
    bool OnCanvasSettings();
    bool OnPasteTable();
    // The table at the selection saved as data, re-laid or sorted through
    // their dialogs; without a table they say why (RuvlenViewTable.cpp).
    bool OnSaveTableData();
    bool OnFormatTable();
    bool OnSortTable();
    // Asks where to save a table's data: a path ending in one of the formats'
    // suffixes, or empty. A file dialog unless replaced (tests).
    std::function<QString(QWidget*)> m_chooseTableDataFile;
    static QString ChooseTableDataFile(QWidget* parent);
    bool OnUpdateDefaults();
    bool OnPrint(bool preview);

    // Steps the canvas's font size by `step` (every window of the canvas
    // follows), keeping the cell under `anchor` (viewport pixels) in place.
    // False at the smallest or largest size.
    bool Zoom(int step, const QPoint& anchor);
    bool Zoom(int step) { return Zoom(step, viewport()->rect().center()); }

    QPoint ScrollPosition() const;
    QPoint LogicalFromViewport(const QPoint& p) const { return p + ScrollPosition(); }
    int LogPixelsX() const override;

    // The input method's questions: where the typing caret is, and its font.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    const CTypingInput& Typing() const { return *m_pTyping; }
    // With the typing tool chosen: shows its caret without a click, where it
    // last stood or at the first cell in view, and takes the keyboard.
    void ResumeTyping();

    // CDocView / CViewPort
    void InvalidateCells(const CCellRect& rc) override;
    void OnUpdate(int hint) override;
    void SetCapture() override {}
    void ReleaseCapture() override {}
    void AutoScroll(int x, int y) override;
    void InvertFeedback(const CFeedbackFigure& figure) override;
    void DrawMarker(const CFeedbackFigure& figure) override;
    void SetCursor(int cursorId) override;
    void SetPositionText(int column, int row) override;
    int RunTextInput(CTextInputDlg& dialog) override;
    void ShowMessage(const std::string& text) override;
    void ShowContextMenu(int x, int y, const CContextMenuState& state) override;
    EPasteFit AskPasteFit(int columns, int lines) override;
    void ReportPasteCut(int cutLines, int columns, int lines) override;
    bool IsFrameMinimized() const override;
    void SetPastePreview(bool shown, const CCellRect& cells, bool transparent) override;
    const CPastePreview& PastePreview() const { return m_pastePreview; }

signals:
    // The cell under the pointer (0-based) for the status bar.
    void positionChanged(int column, int row);
    // A gesture or command ran: enabled and checked states may have changed.
    void stateChanged();
    // The update-defaults command: store this canvas's settings as the defaults.
    void updateDefaultsRequested(CRuvlenView* view);
    // A note for the status bar that must not vanish with the next menu or
    // toolbar prompt: a refusal, a paste cut at the edges, a character not typed.
    void noticeRequested(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // With a typing caret, Tab and Shift+Tab are keys of the caret.
    bool focusNextPrevChild(bool next) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // The table at the selection; without one, a message and false.
    bool SelectedTableOrSay(CDrawnTable& table);
    void UpdateScrollBars();
    void UpdateLogical(const QRect& logical);

    CRuvlenDoc* m_pDoc;
    CViewController m_controller;
    CCanvasPainter m_painter;
    CFeedbackOverlay m_overlay;
    CPastePreview m_pastePreview;
    QPainter* m_pPaintPainter = nullptr; // set while paintEvent runs
    CTypingInput* m_pTyping;             // the typing tool's keys, input method and caret
};
