#include "app/SymbolPaletteDlg.h"

#include "app/SymbolGridWnd.h"
#include "tools/SymbolTable.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int kGridX = 10;
constexpr int kGridY = 40;
constexpr int kComboY = 6;
// Height of the strip at the top of the frame that holds the title bar; the
// window must show some of it to be movable.
constexpr int kTitleStrip = 24;
// Space right of and below the grid, as in the classic 126 x 240 window, whose
// grid has 16-pixel cells. A larger window gives the cells the extra space.
constexpr int kRightMargin = 19;
constexpr int kBottomMargin = 39;
// Cell size of a palette placed for the first time: room for the title and the
// whole category box, and symbols large enough to tell apart.
constexpr int kFirstCellPixels = 24;

int ClampCategory(int category) {
    return std::clamp(category, 0, kSymbolCategoryCount - 1);
}

// The rectangle itself when its title strip is on some screen; otherwise moved
// (not resized) into the primary screen's available area.
QRect OnVisibleScreen(QRect rc) {
    const QRect strip(rc.topLeft(), QSize(rc.width(), std::min(rc.height(), kTitleStrip)));
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(strip)) return rc;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) return rc;
    const QRect avail = primary->availableGeometry();
    rc.moveLeft(std::clamp(rc.left(), avail.left(),
                           std::max(avail.left(), avail.right() + 1 - rc.width())));
    rc.moveTop(
        std::clamp(rc.top(), avail.top(), std::max(avail.top(), avail.bottom() + 1 - rc.height())));
    return rc;
}

} // namespace

CSymbolPaletteDlg::CSymbolPaletteDlg(QWidget* parent, CAppSettings* settings)
    : QDialog(parent, Qt::Tool), m_pSettings(settings ? settings : &m_ownSettings) {
    m_nCategory = ClampCategory(m_pSettings->m_nPaletteCategory);
    setWindowTitle(QStringLiteral("記号表"));
    QFont font(QStringLiteral("IPAMincho"));
    font.setPointSize(10);
    setFont(font);

    m_pGrid = new CSymbolGridWnd(this);
    m_pGrid->setObjectName(QStringLiteral("grid"));
    m_pGrid->SetCategory(m_nCategory, 0);
    connect(m_pGrid, &CSymbolGridWnd::clicked, this, &CSymbolPaletteDlg::symbolToolRequested);

    m_pCategoryCombo = new QComboBox(this);
    m_pCategoryCombo->setObjectName(QStringLiteral("category"));
    for (const char* name : g_symbolCategoryNames)
        m_pCategoryCombo->addItem(QString::fromUtf8(name));
    m_pCategoryCombo->setMaxVisibleItems(kSymbolCategoryCount);
    m_pCategoryCombo->setCurrentIndex(m_nCategory);
    m_pCategoryCombo->setGeometry(kGridX, kComboY, m_pGrid->width(),
                                  m_pCategoryCombo->sizeHint().height());
    // activated, not currentIndexChanged: only the user's choice counts.
    connect(m_pCategoryCombo, &QComboBox::activated, this, &CSymbolPaletteDlg::OnSelChangeCategory);

    // Below the category box even when a large system font makes it taller.
    m_pGrid->CreateGrid(kGridX, std::max(kGridY, m_pCategoryCombo->geometry().bottom() + 7));
}

void CSymbolPaletteDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int across = (width() - kGridX - kRightMargin - 1) / m_pGrid->m_nGridColumns;
    const int down = (height() - m_pGrid->y() - kBottomMargin - 1) / m_pGrid->m_nGridRows;
    m_pGrid->SetCellPixels(std::min(across, down));
    QRect combo = m_pCategoryCombo->geometry();
    combo.setWidth(m_pGrid->width());
    m_pCategoryCombo->setGeometry(combo);
}

QSize CSymbolPaletteDlg::InsideSizeFor(int cellPixels) const {
    const QSize grid = m_pGrid->SizeFor(cellPixels);
    return QSize(kGridX + grid.width() + kRightMargin,
                 m_pGrid->y() + grid.height() + kBottomMargin);
}

// Never placed before: beside the main window's right edge at its top, or, when
// the screen has no room there, inside that edge below the menus and toolbar.
QRect CSymbolPaletteDlg::FirstPlacement() const {
    const QWidget* main = parentWidget()->window();
    const QRect frame = main->frameGeometry();
    const QSize size = InsideSizeFor(kFirstCellPixels) + m_szFrameExtra;
    QRect rc(QPoint(frame.right() + 1, frame.top()), size);
    const QScreen* screen = main->screen();
    const QRect avail = screen ? screen->availableGeometry() : QRect();
    if (avail.isValid() && rc.right() > avail.right()) {
        const auto* mainWindow = qobject_cast<const QMainWindow*>(main);
        const QWidget* below = mainWindow ? mainWindow->centralWidget() : nullptr;
        const int top = below ? below->mapToGlobal(QPoint(0, 0)).y() : frame.top();
        rc.moveTopLeft(QPoint(frame.right() + 1 - size.width() - kGridX, top + kGridX));
    }
    return rc;
}

void CSymbolPaletteDlg::Create() {
    if (isVisible()) {
        raise();
        return;
    }
    m_nCategory = ClampCategory(m_nCategory);
    m_pCategoryCombo->setCurrentIndex(m_nCategory);
    m_pGrid->SetCategory(m_nCategory, 0);
    PlaceFromSettings();
    show(); // a window just shown is on top
    activateWindow();
    m_bCreated = true;
    QTimer::singleShot(0, this, &CSymbolPaletteDlg::FitFrame);
}

void CSymbolPaletteDlg::Destroy() {
    CaptureRect();
    RememberRect();
    hide();
    m_bCreated = false;
    m_bFitPending = false;
}

void CSymbolPaletteDlg::CaptureRect() {
    if (!m_bCreated) return;
    const QRect rc = isVisible() ? frameGeometry() : m_rcLast;
    m_pSettings->m_nPaletteX = rc.x();
    m_pSettings->m_nPaletteY = rc.y();
    m_pSettings->m_nPaletteWidth = rc.width();
    m_pSettings->m_nPaletteHeight = rc.height();
}

int CSymbolPaletteDlg::GetChosenSymbol(char buffer[4]) const {
    return m_pGrid->GetChosenSymbol(buffer);
}

void CSymbolPaletteDlg::reject() {
    RememberRect();
    // Queued, so the frame handles the close after this window has hidden itself.
    QMetaObject::invokeMethod(this, &CSymbolPaletteDlg::paletteClosed, Qt::QueuedConnection);
    QDialog::reject();
}

void CSymbolPaletteDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CSymbolPaletteDlg::event(QEvent* event) {
    const bool result = QDialog::event(event);
    if (m_bFitPending && (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                          event->type() == QEvent::WindowActivate))
        FitFrame();
    return result;
}

void CSymbolPaletteDlg::OnSelChangeCategory(int index) {
    if (index < 0 || index >= kSymbolCategoryCount || index == m_nCategory) return;
    m_nCategory = index;
    m_pGrid->SetCategory(index, 0);
    m_pSettings->m_nPaletteCategory = m_nCategory;
    emit symbolToolRequested();
}

void CSymbolPaletteDlg::PlaceFromSettings() {
    const QRect stored(m_pSettings->m_nPaletteX, m_pSettings->m_nPaletteY,
                       m_pSettings->m_nPaletteWidth, m_pSettings->m_nPaletteHeight);
    const bool first = parentWidget() && m_pSettings->PaletteRectIsDefault();
    m_rcTarget = OnVisibleScreen(first ? FirstPlacement() : stored);
    resize((m_rcTarget.size() - m_szFrameExtra).expandedTo(QSize(1, 1)));
    move(m_rcTarget.topLeft()); // a window's position is that of its frame
    m_bFitPending = true;
}

void CSymbolPaletteDlg::FitFrame() {
    if (!m_bFitPending || !isVisible()) return;
    const QSize extra = frameGeometry().size() - size();
    if (extra.isNull()) return; // no frame yet (or none at all: nothing to fit)
    m_bFitPending = false;
    if (extra == m_szFrameExtra) return;
    m_szFrameExtra = extra;
    resize((m_rcTarget.size() - extra).expandedTo(QSize(1, 1)));
    if (pos() != m_rcTarget.topLeft()) move(m_rcTarget.topLeft());
}

void CSymbolPaletteDlg::RememberRect() {
    if (isVisible()) m_rcLast = frameGeometry();
}
