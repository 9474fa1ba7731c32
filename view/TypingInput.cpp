#include "view/TypingInput.h"

#include "canvas/RuvlenDoc.h"
#include "tools/TypingCaret.h"
#include "view/CellPainter.h"
#include "view/RuvlenView.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>

namespace {

const QColor kCaretColor(0, 90, 230);
const QColor kTableCellColor(0, 90, 230, 90); // the faint frame of the caret's table cell

int CaretBarWidth(int d) {
    return std::max(2, d / 8);
}

int CaretKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Left:
        return CTypingCaret::KEY_LEFT;
    case Qt::Key_Right:
        return CTypingCaret::KEY_RIGHT;
    case Qt::Key_Up:
        return CTypingCaret::KEY_UP;
    case Qt::Key_Down:
        return CTypingCaret::KEY_DOWN;
    case Qt::Key_Home:
        return CTypingCaret::KEY_HOME;
    case Qt::Key_End:
        return CTypingCaret::KEY_END;
    case Qt::Key_Backspace:
        return CTypingCaret::KEY_BACKSPACE;
    case Qt::Key_Delete:
        return CTypingCaret::KEY_DELETE;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return CTypingCaret::KEY_ENTER;
    case Qt::Key_Escape:
        return CTypingCaret::KEY_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return CTypingCaret::KEY_TAB;
    default:
        return -1;
    }
}

} // namespace

CTypingInput::CTypingInput(CRuvlenView* view, CRuvlenDoc* doc)
    : QObject(view), m_pView(view), m_pDoc(doc) {
    // A click may have placed or moved the caret, a command taken it away or
    // changed the table around it.
    connect(view, &CRuvlenView::stateChanged, this, [this] {
        if (CTypingCaret* caret = Caret()) caret->Refresh();
        AfterChange();
    });
}

CTypingCaret* CTypingInput::Caret() const {
    return CTypingCaret::Of(m_pDoc);
}

bool CTypingInput::KeyPress(QKeyEvent* event) {
    CTypingCaret* caret = Caret();
    if (!caret) return false;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = CaretKey(event->key());
    if (key >= 0 && !(mods & (Qt::AltModifier | Qt::MetaModifier))) {
        int flags = 0;
        if ((mods & Qt::ShiftModifier) || event->key() == Qt::Key_Backtab)
            flags |= CTypingCaret::MOD_SHIFT;
        if (mods & Qt::ControlModifier) flags |= CTypingCaret::MOD_CTRL;
        std::string status;
        if (!caret->PressKey(key, flags, &status)) return false;
        if (!status.empty()) ShowStatus(status);
        Changed();
        return true;
    }
    const QString text = event->text();
    if (text.isEmpty() || (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ||
        !text.at(0).isPrint())
        return false;
    TypeText(text);
    return true;
}

void CTypingInput::InputMethod(QInputMethodEvent* event) {
    if (!Caret()) {
        m_strPreedit.clear();
        return;
    }
    if (!event->commitString().isEmpty()) TypeText(event->commitString());
    m_strPreedit = event->preeditString();
    UpdateLogical(m_rcPreedit);
    UpdateLogical(PreeditRect());
    event->accept();
}

void CTypingInput::TypeText(const QString& text) {
    std::string status;
    Caret()->TypeText(text.toStdString(), &status);
    if (!status.empty()) ShowStatus(status);
    Changed();
}

// Every typing step may change what undo, redo and the other commands can do:
// the window says so, and the caret follows through AfterChange.
void CTypingInput::Changed() {
    emit m_pView->stateChanged();
}

// After a keystroke or a click: the status bar shows the caret's cell, the
// composed text follows the caret, and the input method learns where it is.
void CTypingInput::AfterChange() {
    CTypingCaret* caret = Caret();
    if (caret) {
        m_pView->SetPositionText(caret->Cell().x, caret->Cell().y);
    } else if (!m_strPreedit.isEmpty()) {
        m_strPreedit.clear();
        QGuiApplication::inputMethod()->reset();
    }
    UpdateLogical(m_rcPreedit);
    UpdateLogical(PreeditRect());
    if (m_pView->hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImQueryAll);
}

void CTypingInput::ShowStatus(const std::string& utf8) const {
    emit m_pView->noticeRequested(QString::fromStdString(utf8));
}

QRect CTypingInput::CaretCellRect() const {
    const CTypingCaret* caret = Caret();
    if (!caret) return {};
    const int d = m_pDoc->m_nCellSize;
    return QRect(m_pDoc->m_nOriginX + caret->Cell().x * d, m_pDoc->m_nOriginY + caret->Cell().y * d,
                 d, d);
}

// The composed text starts where the next character goes and covers whole cells.
QRect CTypingInput::PreeditRect() const {
    const QRect cell = CaretCellRect();
    if (cell.isEmpty() || m_strPreedit.isEmpty()) return {};
    const int d = cell.width();
    const int x = cell.left() + Caret()->Half() * d / 2;
    const int width = QFontMetrics(CellFont(d)).horizontalAdvance(m_strPreedit);
    return QRect(x, cell.top(), width + CaretBarWidth(d), d + 1);
}

void CTypingInput::UpdateLogical(const QRect& logical) const {
    if (!logical.isEmpty())
        m_pView->viewport()->update(logical.translated(-m_pView->ScrollPosition()));
}

QVariant CTypingInput::Query(Qt::InputMethodQuery query) const {
    switch (query) {
    case Qt::ImEnabled:
        return Caret() != nullptr;
    case Qt::ImCursorRectangle: {
        const QRect cell = CaretCellRect();
        if (cell.isEmpty()) return QRect();
        // The view's own coordinates: the viewport sits inside its frame.
        return cell.translated(-m_pView->ScrollPosition() + m_pView->viewport()->pos());
    }
    case Qt::ImFont:
        return CellFont(m_pDoc->m_nCellSize > 0 ? m_pDoc->m_nCellSize : 12);
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition:
        return 0;
    case Qt::ImSurroundingText:
    case Qt::ImCurrentSelection:
        return QString();
    default:
        return {};
    }
}

void CTypingInput::Paint(QPainter& p) const {
    const QRect cell = CaretCellRect();
    if (cell.isEmpty()) return;
    const int d = cell.width(), bar = CaretBarWidth(d);
    p.save();
    // The table cell the caret is in, framed just inside its outermost cells.
    CCellRect area;
    if (Caret()->TableCell(area)) {
        const QRect frame(m_pDoc->m_nOriginX + area.left * d, m_pDoc->m_nOriginY + area.top * d,
                          area.Width() * d, area.Height() * d);
        p.setPen(QPen(kTableCellColor, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(frame.adjusted(1, 1, -2, -2));
    }
    const QRect preedit = PreeditRect();
    if (!preedit.isEmpty()) {
        // Composed text over the cells, underlined, with the bar after it, until
        // the input method commits it.
        p.fillRect(preedit, Qt::white);
        p.setFont(CellFont(d));
        p.setPen(Qt::black);
        p.drawText(QPoint(preedit.left(), preedit.top() + CellBaseline(d)), m_strPreedit);
        p.fillRect(QRect(preedit.left(), preedit.bottom() - 2, preedit.width() - bar, 1),
                   Qt::black);
        p.fillRect(QRect(preedit.right() + 1 - bar, cell.top(), bar, d), kCaretColor);
        m_rcPreedit = preedit;
        p.restore();
        return;
    }
    // A steady bar where the next character goes, and a frame around its cell.
    const int half = Caret()->Half();
    const int x = cell.left() + half * d / 2 - (half == 2 ? bar : 0);
    p.setPen(QPen(kCaretColor, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(cell.adjusted(0, 0, -1, -1));
    p.fillRect(QRect(x, cell.top(), bar, d), kCaretColor);
    p.restore();
}
