#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <QVariant>

class CRuvlenDoc;
class CRuvlenView;
class CTypingCaret;
class QInputMethodEvent;
class QKeyEvent;
class QPainter;

// The window side of the typing tool: turns keys and the input method's events
// into calls on the canvas's caret (CTypingCaret), answers the input method's
// queries (where the caret is, so its candidate window opens beside it), and
// paints the caret and the text being composed, underlined over the cells
// without changing them.
class CTypingInput : public QObject {
    Q_OBJECT
public:
    CTypingInput(CRuvlenView* view, CRuvlenDoc* doc);

    // True when the key was the caret's (the view then does nothing more).
    bool KeyPress(QKeyEvent* event);
    void InputMethod(QInputMethodEvent* event);
    QVariant Query(Qt::InputMethodQuery query) const;
    // Paints onto a painter in logical coordinates, after the cells.
    void Paint(QPainter& p) const;

    // The caret's cell in the view's logical coordinates; empty without a caret.
    QRect CaretCellRect() const;
    const QString& Preedit() const { return m_strPreedit; }

private:
    CTypingCaret* Caret() const;
    void TypeText(const QString& text);
    void AfterChange();
    void Changed();
    QRect PreeditRect() const;
    void UpdateLogical(const QRect& logical) const;
    void ShowStatus(const std::string& utf8) const;

    CRuvlenView* m_pView;
    CRuvlenDoc* m_pDoc;
    QString m_strPreedit;
    mutable QRect m_rcPreedit; // where the composed text was last painted (logical)
};
