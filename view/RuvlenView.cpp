#include "view/RuvlenView.h"

#include "canvas/CommandIds.h"
#include "canvas/RuvlenDoc.h"
#include "tools/CommandRegistry.h"
#include "tools/CursorIds.h"
#include "tools/DialogResult.h"
#include "tools/Tool.h"
#include "tools/TypingCaret.h"
#include "view/CanvasPrinter.h"
#include "view/CanvasSettingsDlg.h"
#include "view/QtClipboard.h"
#include "view/TableImportDlg.h"
#include "view/TextInputWindow.h"
#include "view/TypingInput.h"
#include "view/ViewCursors.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

CRuvlenView::CRuvlenView(CRuvlenDoc* doc, CSymbolSource* symbols, QWidget* parent)
    : QAbstractScrollArea(parent), m_pDoc(doc),
      m_controller(doc, this, &CQtClipboard::Instance(), symbols) {
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setCursor(ViewCursor(CURSOR_PENCIL));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    m_pTyping = new CTypingInput(this, doc);
    m_chooseTableDataFile = ChooseTableDataFile;
    m_pDoc->AddView(this);
    m_pDoc->ComputeMetrics(LogPixelsX());
    UpdateScrollBars();
}

CRuvlenView::~CRuvlenView() {
    // A tool created in this window draws into it: end it before the window goes.
    if (m_pDoc->m_pTool) {
        CTool* tool = m_controller.ActiveTool();
        if (tool && tool->m_pView == this) m_pDoc->EndTool();
    }
    m_pDoc->RemoveView(this);
}

int CRuvlenView::LogPixelsX() const {
    return viewport()->logicalDpiX();
}

QPoint CRuvlenView::ScrollPosition() const {
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CRuvlenView::UpdateScrollBars() {
    // Page step a tenth of the surface, line step a tenth of that, per axis.
    const QSize view = viewport()->size();
    const int totals[2] = {m_pDoc->m_nTotalWidth, m_pDoc->m_nTotalHeight};
    const int visible[2] = {view.width(), view.height()};
    QScrollBar* bars[2] = {horizontalScrollBar(), verticalScrollBar()};
    for (int i = 0; i < 2; ++i) {
        const int page = std::max(1, totals[i] / 10);
        bars[i]->setRange(0, std::max(0, totals[i] - visible[i]));
        bars[i]->setPageStep(page);
        bars[i]->setSingleStep(std::max(1, page / 10));
    }
}

void CRuvlenView::UpdateLogical(const QRect& logical) {
    if (!logical.isEmpty()) viewport()->update(logical.translated(-ScrollPosition()));
}

void CRuvlenView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CRuvlenView::scrollContentsBy(int, int) {
    viewport()->update();
}

void CRuvlenView::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    const QPoint scroll = ScrollPosition();
    const QRect exposed = event->rect().translated(scroll);
    p.translate(-scroll);
    m_pDoc->ComputeMetrics(LogPixelsX());
    CCanvasPainter::Options options;
    options.background = CCanvasPainter::CanvasBackground(palette());
    p.fillRect(exposed, options.background);
    m_painter.Paint(p, *m_pDoc, LogPixelsX(), exposed, options);
    // The text tools' marker stays while their dialog is open.
    m_pPaintPainter = &p;
    m_controller.OnDrawDone();
    m_pPaintPainter = nullptr;
    m_pastePreview.Paint(p, *m_pDoc);
    m_pTyping->Paint(p);
    m_overlay.Paint(p);
}

void CRuvlenView::SetPastePreview(bool shown, const CCellRect& cells, bool transparent) {
    const CPastePreview next{shown, cells, transparent};
    if (next.shown == m_pastePreview.shown && (!shown || next.cells == m_pastePreview.cells))
        return;
    UpdateLogical(m_pastePreview.Bounds(*m_pDoc));
    m_pastePreview = next;
    UpdateLogical(m_pastePreview.Bounds(*m_pDoc));
}

void CRuvlenView::InvalidateCells(const CCellRect& rc) {
    const CCellRect px = m_pDoc->CellToLogical(rc);
    UpdateLogical(QRect(QPoint(px.left, px.top), QPoint(px.right - 1, px.bottom - 1)));
}

void CRuvlenView::OnUpdate(int hint) {
    if (hint == UPDATE_HINT_METRICS) {
        m_pDoc->ComputeMetrics(LogPixelsX());
        UpdateScrollBars();
    }
    viewport()->update();
}

// Scrolls one step towards a pointer outside the visible area. The left edge
// has a zone of its own inside the window, kLeftScrollZone pixels wide, so a drag
// scrolls left before the pointer leaves; the other edges start just outside.
void CRuvlenView::AutoScroll(int x, int y) {
    constexpr int kLeftScrollZone = 5;
    const QPoint s = ScrollPosition();
    const int left = s.x(), top = s.y();
    const int right = left + viewport()->width(), bottom = top + viewport()->height();
    if (bottom < y) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    if (top >= y) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    if (right < x) horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    if (left + kLeftScrollZone >= x)
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
}

void CRuvlenView::InvertFeedback(const CFeedbackFigure& figure) {
    UpdateLogical(m_overlay.Invert(figure));
}

void CRuvlenView::DrawMarker(const CFeedbackFigure& figure) {
    if (m_pPaintPainter)
        CFeedbackOverlay::PaintMarker(*m_pPaintPainter, figure);
    else
        UpdateLogical(CFeedbackOverlay::Bounds(figure)); // painted by the next paintEvent
}

void CRuvlenView::SetCursor(int cursorId) {
    viewport()->setCursor(ViewCursor(cursorId));
}

void CRuvlenView::SetPositionText(int column, int row) {
    emit positionChanged(column, row);
}

int CRuvlenView::RunTextInput(CTextInputDlg& dialog) {
    CTextInputWindow window(dialog, this);
    return window.DoModal();
}

// A refusal must be seen however its command came. The status bar says it at
// once; the message box opens once the event that ran the command is done, so
// a menu or a toolbar button still closing under the pointer cannot swallow it.
void CRuvlenView::ShowMessage(const std::string& text) {
    const QString message = QString::fromStdString(text);
    emit noticeRequested(message);
    QPointer<CRuvlenView> self(this);
    QTimer::singleShot(0, this, [self, message] {
        if (self) QMessageBox::warning(self, QStringLiteral("Tavik"), message);
    });
}

CViewPort::EPasteFit CRuvlenView::AskPasteFit(int columns, int lines) {
    const auto answer = QMessageBox::question(
        this, QStringLiteral("Tavik"),
        QStringLiteral("クリップボードの内容はキャンバスより大きい (%1×%2) です。"
                       "キャンバスを広げますか？")
            .arg(columns)
            .arg(lines),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) return PASTE_ENLARGE;
    return answer == QMessageBox::No ? PASTE_CUT : PASTE_CANCEL;
}

void CRuvlenView::ReportPasteCut(int cutLines, int columns, int lines) {
    emit noticeRequested(
        QStringLiteral("貼り付ける内容の %1 行を、キャンバス (%2×%3) の端で切りました。")
            .arg(cutLines)
            .arg(columns)
            .arg(lines));
}

bool CRuvlenView::IsFrameMinimized() const {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) return sub->isMinimized();
    return false;
}

void CRuvlenView::ShowContextMenu(int x, int y, const CContextMenuState& state) {
    QMenu menu(QStringLiteral("ポップアップ１"), this);
    menu.setObjectName(QStringLiteral("contextMenu"));
    for (const CContextMenuState::Item& item : state.items) {
        const CCommandRow* row = FindCommand(item.id);
        if (!row) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromUtf8(row->contextText));
        action->setData(item.id);
        action->setEnabled(item.enabled);
    }
    const QPoint at = viewport()->mapToGlobal(QPoint(x, y) - ScrollPosition());
    QAction* chosen = menu.exec(at);
    if (!chosen) return;
    // The chosen item arrives as an ordinary command once this handler is done.
    const int id = chosen->data().toInt();
    QPointer<CRuvlenView> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, id] {
            if (self) self->RunCommand(id);
        },
        Qt::QueuedConnection);
}

namespace {
QPoint EventPoint(QMouseEvent* event) {
    return event->position().toPoint();
}
} // namespace

void CRuvlenView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = LogicalFromViewport(EventPoint(event));
    if (event->button() == Qt::LeftButton)
        m_controller.OnLButtonDown(p.x(), p.y());
    else if (event->button() == Qt::RightButton)
        m_controller.OnRButtonDown(p.x(), p.y());
    emit stateChanged();
}

void CRuvlenView::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click is two ordinary presses.
    mousePressEvent(event);
}

void CRuvlenView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = LogicalFromViewport(EventPoint(event));
    m_controller.OnMouseMove(p.x(), p.y());
}

void CRuvlenView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = LogicalFromViewport(EventPoint(event));
    m_controller.OnLButtonUp(p.x(), p.y());
    emit stateChanged();
}

bool CRuvlenView::IsCommandEnabled(int id) {
    return m_controller.IsCommandEnabled(id);
}

bool CRuvlenView::IsCommandChecked(int id) const {
    return m_controller.IsCommandChecked(id);
}

namespace {
using WindowHandler = bool (*)(CRuvlenView& view);
} // namespace

// The commands the window carries out itself; the controller does the rest.
static WindowHandler FindWindowHandler(int id) {
    static const std::pair<int, WindowHandler> handlers[] = {
        {ID_CANVAS_SETTINGS, [](CRuvlenView& v) { return v.OnCanvasSettings(); }},
        {ID_UPDATE_DEFAULTS, [](CRuvlenView& v) { return v.OnUpdateDefaults(); }},
        {ID_PASTE_TABLE, [](CRuvlenView& v) { return v.OnPasteTable(); }},
        {ID_SAVE_TABLE_DATA, [](CRuvlenView& v) { return v.OnSaveTableData(); }},
        {ID_FORMAT_TABLE, [](CRuvlenView& v) { return v.OnFormatTable(); }},
        {ID_SORT_TABLE, [](CRuvlenView& v) { return v.OnSortTable(); }},
        {ID_FILE_PRINT, [](CRuvlenView& v) { return v.OnPrint(false); }},
        {ID_FILE_PRINT_PREVIEW, [](CRuvlenView& v) { return v.OnPrint(true); }},
        {ID_VIEW_ZOOM_IN, [](CRuvlenView& v) { return v.Zoom(1); }},
        {ID_VIEW_ZOOM_OUT, [](CRuvlenView& v) { return v.Zoom(-1); }},
    };
    for (const auto& h : handlers)
        if (h.first == id) return h.second;
    return nullptr;
}

bool CRuvlenView::HasWindowHandler(int id) {
    return FindWindowHandler(id) != nullptr;
}

bool CRuvlenView::RunCommand(int id) {
    bool ran = false;
    if (WindowHandler handler = FindWindowHandler(id))
        ran = IsCommandEnabled(id) && handler(*this);
    else
        ran = m_controller.OnCommand(id);
    emit stateChanged();
    return ran;
}

bool CRuvlenView::OnUpdateDefaults() {
    emit updateDefaultsRequested(this);
    return true;
}

bool CRuvlenView::OnPrint(bool preview) {
    if (preview)
        CanvasPrinter::PrintPreview(*m_pDoc, this);
    else
        CanvasPrinter::Print(*m_pDoc, this);
    return true;
}

// The table dialog over the clipboard's text (or a file it reads); OK leaves
// the table waiting to be placed, as Paste does.
bool CRuvlenView::OnPasteTable() {
    CTableImportDlg dialog(QGuiApplication::clipboard()->text(), m_pDoc->m_nColumns,
                           m_pDoc->m_nLines, this);
    if (dialog.exec() != QDialog::Accepted) return false;
    CTableProblem problem;
    const int pasteId = dialog.Transparent() ? ID_EDIT_TRANSPARENT_PASTE : ID_EDIT_PASTE;
    return m_controller.PasteTable(dialog.Data(), dialog.Options(), pasteId, problem);
}

bool CRuvlenView::OnCanvasSettings() {
    CCanvasSettingsDlg dialog(this);
    dialog.m_nFontSize = m_pDoc->m_nFontSize;
    dialog.m_nColumns = m_pDoc->m_nColumns;
    dialog.m_nLines = m_pDoc->m_nLines;
    dialog.m_bGrid = m_pDoc->m_bGrid;
    dialog.m_pDoc = m_pDoc;
    if (dialog.DoModal() == IDOK)
        m_controller.ApplyCanvasSettings(dialog.m_nFontSize, dialog.m_nColumns, dialog.m_nLines,
                                         dialog.m_bGrid, LogPixelsX());
    return true;
}

bool CRuvlenView::Zoom(int step, const QPoint& anchor) {
    const int size = m_pDoc->m_nFontSize + step;
    if (step == 0 || size < 0 || size > kMaxFontSize) return false;
    // Where the anchor is on the canvas, in cells, before the change.
    const QPoint logical = LogicalFromViewport(anchor);
    const double cellX = double(logical.x() - m_pDoc->m_nOriginX) / m_pDoc->m_nCellSize;
    const double cellY = double(logical.y() - m_pDoc->m_nOriginY) / m_pDoc->m_nCellSize;
    m_controller.ApplyCanvasSettings(size, m_pDoc->m_nColumns, m_pDoc->m_nLines, m_pDoc->m_bGrid,
                                     LogPixelsX());
    const int d = m_pDoc->m_nCellSize;
    horizontalScrollBar()->setValue(qRound(m_pDoc->m_nOriginX + cellX * d) - anchor.x());
    verticalScrollBar()->setValue(qRound(m_pDoc->m_nOriginY + cellY * d) - anchor.y());
    emit stateChanged();
    return true;
}

void CRuvlenView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // Ctrl+wheel zooms, one size per notch, around the pointer.
    const int delta = event->angleDelta().y();
    if (delta != 0) Zoom(delta > 0 ? 1 : -1, event->position().toPoint());
    event->accept();
}

void CRuvlenView::inputMethodEvent(QInputMethodEvent* event) {
    m_pTyping->InputMethod(event);
}

QVariant CRuvlenView::inputMethodQuery(Qt::InputMethodQuery query) const {
    return m_pTyping->Query(query);
}

bool CRuvlenView::focusNextPrevChild(bool next) {
    if (CTypingCaret::Of(m_pDoc)) return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

void CRuvlenView::ResumeTyping() {
    if (m_pDoc->m_nToolMode != ID_TOOL_TYPE || m_pDoc->m_nToolState != 0) return;
    // The first cell wholly or partly in view.
    const QPoint scroll = ScrollPosition();
    const int d = std::max(1, m_pDoc->m_nCellSize);
    const CCellPoint first{std::max(0, scroll.x() - m_pDoc->m_nOriginX) / d,
                           std::max(0, scroll.y() - m_pDoc->m_nOriginY) / d};
    CTypingCaret::Resume(m_pDoc, first);
    setFocus();
    emit stateChanged();
}

void CRuvlenView::keyPressEvent(QKeyEvent* event) {
    // With a typing caret, keys type and move it.
    if (m_pTyping->KeyPress(event)) {
        event->accept();
        return;
    }
    // Esc cancels a drag in progress or a waiting paste.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_controller.CancelGesture()) emit stateChanged();
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}
