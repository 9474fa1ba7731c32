// The main frame's canvases: new, open, save, close, and quitting.
#include "app/CanvasDocument.h"
#include "app/ChildFrame.h"
#include "app/ExportDlg.h"
#include "app/MainFrame.h"
#include "app/RecoveryManager.h"
#include "app/SettingsStore.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/SameFile.h"
#include "view/ImageExport.h"
#include "view/RuvlenView.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMessageBox>
#include <QMimeData>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QStatusBar>
#include <QUrl>

namespace {

const char kFilter[] = "ﾃｷｽﾄ ﾌｧｲﾙ (*.txt);;Markdown (*.md);;すべてのﾌｧｲﾙ (*)";

QString Caption() {
    return QStringLiteral("Tavik");
}

} // namespace

CCanvasDocument* CMainFrame::NewDocument() {
    auto document = std::make_unique<CCanvasDocument>(m_pStore->Settings().Defaults());
    document->SetTitle(QStringLiteral("Canvas%1").arg(++m_nUntitledCount));
    CCanvasDocument* result = document.get();
    m_documents.push_back(std::move(document));
    CreateChildFrame(result);
    return result;
}

CCanvasDocument* CMainFrame::OpenDocument(const QString& path, QStringList* problems,
                                          const CLayoutReadOptions& options) {
    if (CCanvasDocument* open = FindDocument(path)) {
        m_pMdiArea->setActiveSubWindow(FramesOf(open).front());
        return open;
    }
    auto document = std::make_unique<CCanvasDocument>(m_pStore->Settings().Defaults());
    QString error;
    if (!document->Open(path, error, options)) {
        // In the list of a drop, or in a box, which stands alone while the window
        // is not up yet (a file named at start).
        if (problems)
            problems->append(error);
        else
            QMessageBox::critical(isVisible() ? this : nullptr, Caption(), error);
        // The list may hold the name as given or as an absolute path.
        m_pStore->RemoveFromRecentFiles(path);
        m_pStore->RemoveFromRecentFiles(QFileInfo(path).absoluteFilePath());
        UpdateRecentFileActions();
        return nullptr;
    }
    if (document->DoesNotFit()) {
        std::unique_ptr<CCanvasDocument> part;
        if (!ChoosePartOfFile(path, part)) return nullptr;
        if (part) document = std::move(part);
    }
    CCanvasDocument* result = document.get();
    m_documents.push_back(std::move(document));
    CreateChildFrame(result);
    m_pStore->AddToRecentFiles(result->PathName());
    UpdateRecentFileActions();
    if (!problems)
        WarnLossyLoad(result);
    else if (result->LoadWasLossy())
        problems->append(LossyLoadWarning(result));
    return result;
}

CCanvasDocument* CMainFrame::AddDocument(std::unique_ptr<CCanvasDocument> document) {
    if (document->Title().isEmpty())
        document->SetTitle(QStringLiteral("Canvas%1").arg(++m_nUntitledCount));
    CCanvasDocument* result = document.get();
    m_documents.push_back(std::move(document));
    CreateChildFrame(result);
    return result;
}

CCanvasDocument* CMainFrame::AddRestoredDocument(std::unique_ptr<CCanvasDocument> document) {
    return AddDocument(std::move(document));
}

void CMainFrame::ShowRecoveryMessage(const QString& text) {
    statusBar()->showMessage(text);
}

void CMainFrame::CloseUnchangedCanvases(const QString& path) {
    const QString key = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList()) {
        auto* frame = qobject_cast<CChildFrame*>(window);
        if (!frame || frame->Document()->IsModified()) continue;
        const QString shown = frame->Document()->PathName();
        if (shown.isEmpty() ? !key.isEmpty() : QFileInfo(shown).absoluteFilePath() != key) continue;
        // The newest untitled number comes back, so that the canvases that
        // take the place of the start canvas are numbered from Canvas1 again.
        if (shown.isEmpty() &&
            frame->Document()->Title() == QStringLiteral("Canvas%1").arg(m_nUntitledCount))
            --m_nUntitledCount;
        frame->close();
    }
}

CChildFrame* CMainFrame::CreateChildFrame(CCanvasDocument* document) {
    auto* view = new CRuvlenView(&document->Doc(), this);
    auto* frame = new CChildFrame(document, view);
    frame->setWindowIcon(windowIcon());
    m_pMdiArea->addSubWindow(frame);
    connect(view, &CRuvlenView::positionChanged, this, &CMainFrame::SetPositionText);
    connect(view, &CRuvlenView::noticeRequested, this, &CMainFrame::ShowNotice);
    connect(view, &CRuvlenView::stateChanged, this, [this] {
        UpdateActions();
        UpdateTitles();
    });
    connect(view, &CRuvlenView::updateDefaultsRequested, this, &CMainFrame::OnUpdateDefaults);
    connect(view, &QObject::destroyed, this, [this, document] { OnViewDestroyed(document); });
    connect(frame, &CChildFrame::closeRequested, this, &CMainFrame::OnChildCloseRequested);
    // The first canvas window after start-up opens maximized.
    if (!m_pStore->m_bFirstChildShown) {
        m_pStore->m_bFirstChildShown = true;
        frame->showMaximized();
    } else {
        frame->show();
    }
    m_pMdiArea->setActiveSubWindow(frame);
    view->setFocus();
    UpdateMenuBar();
    UpdateTitles();
    UpdateActions();
    return frame;
}

void CMainFrame::OnWindowNew() {
    if (CCanvasDocument* document = ActiveDocument()) CreateChildFrame(document);
}

std::vector<CChildFrame*> CMainFrame::FramesOf(const CCanvasDocument* document) const {
    std::vector<CChildFrame*> frames;
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList(QMdiArea::CreationOrder))
        if (auto* frame = qobject_cast<CChildFrame*>(window))
            if (frame->Document() == document) frames.push_back(frame);
    return frames;
}

namespace {

// One spelling per file: links and ".." resolved when the file exists.
QString SameFileKey(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

// The same file: the same spelling, or the same device and inode (a hard link).
bool SameFile(const QString& a, const QString& b) {
    return SameFileKey(a) == SameFileKey(b) ||
           IsSameFile(QFile::encodeName(a).toStdString(), QFile::encodeName(b).toStdString());
}

} // namespace

CCanvasDocument* CMainFrame::FindDocument(const QString& path) const {
    for (const auto& document : m_documents)
        if (!document->PathName().isEmpty() && SameFile(document->PathName(), path))
            return document.get();
    return nullptr;
}

namespace {

// The local files among the dropped items; anything else is not ours to open.
QStringList DroppedFiles(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    return files;
}

} // namespace

// Where a file dialog opens: the folder of the last one, or at first the user's
// documents folder (home when there is none), never the process's working folder.
QString CMainFrame::DialogFolder() const {
    if (!m_dialogFolder.isEmpty()) return m_dialogFolder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

// Each dropped file opens as File -> Open would open it; what was refused or
// changed on the way is told once for the whole drop.
void CMainFrame::dropEvent(QDropEvent* event) {
    const QStringList files = DroppedFiles(event->mimeData());
    if (files.isEmpty()) return;
    event->acceptProposedAction();
    OpenDroppedFiles(files);
}

void CMainFrame::OpenDroppedFiles(const QStringList& files) {
    QStringList problems;
    for (const QString& path : files) OpenDocument(path, &problems);
    if (problems.isEmpty()) return;
    // The box lists the first few; all of them are under its details.
    constexpr int kListed = 5;
    QStringList listed = problems.mid(0, kListed);
    if (problems.size() > kListed)
        listed
            << QStringLiteral("ほか %1 件 (詳細を表示してください)").arg(problems.size() - kListed);
    QMessageBox box(QMessageBox::Warning, Caption(),
                    QStringLiteral("ドロップした %1 個のファイルのうち %2 個について:\n\n%3")
                        .arg(files.size())
                        .arg(problems.size())
                        .arg(listed.join(QStringLiteral("\n\n"))),
                    QMessageBox::Ok, isVisible() ? this : nullptr);
    box.setObjectName(QStringLiteral("dropWarning"));
    if (problems.size() > kListed) box.setDetailedText(problems.join(QStringLiteral("\n\n")));
    box.exec();
}

namespace {

// How the Open dialog reads box drawing: its width (detected, full-width or
// half-width) and whether + - | are lines.
struct COpenChoice {
    QComboBox* layout = nullptr;
    QCheckBox* ascii = nullptr;

    CLayoutReadOptions Options() const {
        CLayoutReadOptions options;
        if (layout) options.layout = LayoutChoice(layout->currentData().toInt());
        options.asciiLines = ascii && ascii->isChecked();
        return options;
    }
};

COpenChoice AddOpenChoice(QFileDialog& dialog) {
    COpenChoice choice;
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid) return choice;
    choice.layout = new QComboBox(&dialog);
    choice.layout->setObjectName(QStringLiteral("openLayout"));
    choice.layout->addItem(QStringLiteral("自動"), int(LayoutChoice::Detect));
    choice.layout->addItem(QStringLiteral("全角"), int(LayoutChoice::Wide));
    choice.layout->addItem(QStringLiteral("半角"), int(LayoutChoice::Narrow));
    choice.ascii = new QCheckBox(QStringLiteral("ASCII の罫線を線として読む"), &dialog);
    choice.ascii->setObjectName(QStringLiteral("asciiLines"));
    auto* label = new QLabel(QStringLiteral("罫線の幅(&W):"), &dialog);
    label->setBuddy(choice.layout);
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(choice.layout, row, 1);
    grid->addWidget(choice.ascii, row + 1, 1);
    return choice;
}

} // namespace

void CMainFrame::OnFileOpen() {
    QFileDialog dialog(this, QStringLiteral("開く"), DialogFolder(), QString::fromUtf8(kFilter));
    dialog.setObjectName(QStringLiteral("openDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog); // room for the box drawing choice
    dialog.setFileMode(QFileDialog::ExistingFile);
    const COpenChoice choice = AddOpenChoice(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().front();
    m_dialogFolder = QFileInfo(path).absolutePath();
    OpenDocument(path, nullptr, choice.Options());
}

// The warning names what reading changed, and only that: content is lost
// only where some was cut.
QString CMainFrame::LossyLoadWarning(CCanvasDocument* document) {
    const QString consequence = document->Doc().m_bLoadCut
                                    ? QStringLiteral("読み込めなかった部分は失われます。")
                                    : QStringLiteral("ファイルは上のとおりに変わります。");
    return QStringLiteral("%1\n\n%2\nこのまま上書き保存すると、%3")
        .arg(QDir::toNativeSeparators(document->PathName()), document->LossyLoadText(),
             consequence);
}

void CMainFrame::WarnLossyLoad(CCanvasDocument* document) {
    if (!document->LoadWasLossy()) return;
    QMessageBox::warning(isVisible() ? this : nullptr, Caption(), LossyLoadWarning(document));
}

bool CMainFrame::ConfirmLossySave(CCanvasDocument* document) {
    const auto answer = QMessageBox::warning(
        this, Caption(),
        QStringLiteral("%1 は読み込み時に内容を変えています。\n%2\n"
                       "上書き保存すると元の内容は失われます。保存しますか?")
            .arg(QDir::toNativeSeparators(document->PathName()), document->LossyLoadText()),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes;
}

namespace {

// The encoding, line-end and box drawing choices that Save As shows below its
// file name. Half-width box drawing is UTF-8: Shift-JIS cannot be chosen with it.
struct CFormatChoice {
    QComboBox* encoding = nullptr;
    QComboBox* lineEnding = nullptr;
    QComboBox* layout = nullptr;
};

void AddLayoutChoice(QFileDialog& dialog, QGridLayout* grid, CFormatChoice& choice,
                     BoxLayout current) {
    choice.layout = new QComboBox(&dialog);
    choice.layout->setObjectName(QStringLiteral("boxLayout"));
    choice.layout->addItem(QStringLiteral("全角"), int(BoxLayout::Wide));
    choice.layout->addItem(QStringLiteral("半角"), int(BoxLayout::Narrow));
    choice.layout->addItem(QStringLiteral("ASCII"), int(BoxLayout::Ascii));
    choice.layout->setCurrentIndex(choice.layout->findData(int(current)));
    auto* label = new QLabel(QStringLiteral("罫線の幅(&W):"), &dialog);
    label->setBuddy(choice.layout);
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(choice.layout, row, 1);
    QComboBox* encoding = choice.encoding;
    QComboBox* layout = choice.layout;
    const auto follow = [encoding, layout] {
        const bool narrow = layout->currentData().toInt() == int(BoxLayout::Narrow);
        const int sjis = encoding->findData(int(TextEncoding::ShiftJis));
        if (auto* model = qobject_cast<QStandardItemModel*>(encoding->model()))
            model->item(sjis)->setEnabled(!narrow);
        if (narrow && encoding->currentIndex() == sjis)
            encoding->setCurrentIndex(encoding->findData(int(TextEncoding::Utf8)));
    };
    QObject::connect(layout, &QComboBox::currentIndexChanged, &dialog, follow);
    follow();
}

CFormatChoice AddFormatChoice(QFileDialog& dialog, const CTextFormat& current) {
    CFormatChoice choice;
    // The widget-based file dialog lays itself out in a grid; should that ever
    // change, Save As still works, without the choice.
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid) return choice;
    choice.encoding = new QComboBox(&dialog);
    choice.encoding->setObjectName(QStringLiteral("encoding"));
    for (TextEncoding e : {TextEncoding::ShiftJis, TextEncoding::Utf8, TextEncoding::Utf8Bom})
        choice.encoding->addItem(QString::fromUtf8(TextEncodingName(e)), int(e));
    choice.encoding->setCurrentIndex(choice.encoding->findData(int(current.m_encoding)));
    choice.lineEnding = new QComboBox(&dialog);
    choice.lineEnding->setObjectName(QStringLiteral("lineEnding"));
    for (LineEnding l : {LineEnding::CrLf, LineEnding::Lf})
        choice.lineEnding->addItem(QString::fromUtf8(LineEndingName(l)), int(l));
    choice.lineEnding->setCurrentIndex(choice.lineEnding->findData(int(current.m_lineEnding)));
    const int row = grid->rowCount();
    auto* encodingLabel = new QLabel(QStringLiteral("文字コード(&E):"), &dialog);
    encodingLabel->setBuddy(choice.encoding);
    auto* lineLabel = new QLabel(QStringLiteral("改行(&L):"), &dialog);
    lineLabel->setBuddy(choice.lineEnding);
    grid->addWidget(encodingLabel, row, 0);
    grid->addWidget(choice.encoding, row, 1);
    grid->addWidget(lineLabel, row + 1, 0);
    grid->addWidget(choice.lineEnding, row + 1, 1);
    AddLayoutChoice(dialog, grid, choice, current.m_layout);
    return choice;
}

} // namespace

QString CMainFrame::AskSaveFileName(CCanvasDocument* document, CTextFormat& format) {
    QFileDialog dialog(this, QStringLiteral("名前を付けて保存"));
    dialog.setObjectName(QStringLiteral("saveAsDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog); // room for the format choice
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(QString::fromUtf8(kFilter).split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    // The suffix added to a bare name follows the chosen filter.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter.contains(QStringLiteral("*.md")) ? QStringLiteral("md")
                                                                        : QStringLiteral("txt"));
    });
    if (!document->PathName().isEmpty()) {
        dialog.selectFile(document->PathName());
    } else {
        dialog.setDirectory(DialogFolder());
        dialog.selectFile(document->Title() + QStringLiteral(".txt"));
    }
    const CFormatChoice choice = AddFormatChoice(dialog, document->Format());
    // A part is written into the rest of its file, so it keeps the file's format.
    for (QComboBox* box : {choice.encoding, choice.lineEnding})
        if (box && document->Part()) box->setEnabled(false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    m_dialogFolder = QFileInfo(dialog.selectedFiles().front()).absolutePath();
    format = document->Format();
    if (choice.encoding) format.m_encoding = TextEncoding(choice.encoding->currentData().toInt());
    if (choice.lineEnding)
        format.m_lineEnding = LineEnding(choice.lineEnding->currentData().toInt());
    if (choice.layout) format.m_layout = BoxLayout(choice.layout->currentData().toInt());
    return dialog.selectedFiles().front();
}

bool CMainFrame::SaveDocument(CCanvasDocument* document, bool askName) {
    QString path = document->PathName();
    CTextFormat format = document->Format();
    if (askName || path.isEmpty()) {
        path = AskSaveFileName(document, format);
        if (path.isEmpty()) return false;
    }
    return SaveDocumentTo(document, path, format);
}

bool CMainFrame::SaveDocumentTo(CCanvasDocument* document, const QString& path,
                                const CTextFormat& format) {
    // A file belongs to one canvas: saving another canvas over it would leave
    // two canvases claiming it, and the next save of either would undo the other.
    CCanvasDocument* owner = FindDocument(path);
    if (owner && owner != document) {
        QMessageBox::warning(
            this, Caption(),
            QStringLiteral(
                "%1 はほかのｷｬﾝﾊﾞｽで開いています。そのｷｬﾝﾊﾞｽを閉じてから保存してください。")
                .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    // Only a save over the file it came from loses what reading changed.
    const bool overOriginal =
        !document->PathName().isEmpty() && SameFile(path, document->PathName());
    if (overOriginal && document->LoadWasLossy() && !ConfirmLossySave(document)) return false;
    QString error;
    bool changedOnDisk = false;
    if (!document->Save(path, format, error, &changedOnDisk)) {
        if (changedOnDisk) return OfferSaveAs(document, error);
        QMessageBox::critical(this, Caption(), error);
        return false;
    }
    m_pStore->AddToRecentFiles(document->PathName());
    UpdateRecentFileActions();
    UpdateTitles();
    UpdateActions();
    return true;
}

bool CMainFrame::ExportDocument(CCanvasDocument* document) {
    QString suggestion = document->PathName();
    if (suggestion.isEmpty()) suggestion = QDir::current().filePath(document->Title());
    suggestion = QFileInfo(suggestion).path() + QLatin1Char('/') +
                 QFileInfo(suggestion).completeBaseName() + QStringLiteral(".png");
    const CRuvlenDoc& doc = document->Doc();
    CCellRect cells;
    std::string error;
    const bool hasSelection = ExportAreaRect(doc, EExportArea::Selection, cells, error);
    CExportDlg dialog(this, suggestion, doc.m_nFontSize, hasSelection);
    if (dialog.exec() != QDialog::Accepted) return false;
    // A picture never goes over a canvas that is open.
    if (FindDocument(dialog.Path())) {
        QMessageBox::warning(this, Caption(),
                             QStringLiteral("%1 はｷｬﾝﾊﾞｽとして開いているので、書き出せません。")
                                 .arg(QDir::toNativeSeparators(dialog.Path())));
        return false;
    }
    const std::string path = dialog.Path().toStdString();
    COutputRequest request;
    request.fontSize = dialog.SelectedSize();
    request.transparent = dialog.Transparent();
    const bool ok = ExportAreaRect(doc, dialog.SelectedArea(), request.cells, error) &&
                    dialog.SelectedFormat().writer(doc, request, path, error);
    if (!ok) QMessageBox::critical(this, Caption(), QString::fromStdString(error));
    return ok;
}

bool CMainFrame::MaybeSave(CCanvasDocument* document) {
    if (!document->IsModified()) return true;
    const auto answer = QMessageBox::question(
        this, Caption(), QStringLiteral("%1 への変更を保存しますか?").arg(document->Title()),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel) return false;
    if (answer == QMessageBox::No) return true;
    return SaveDocument(document, false);
}

// Only the last window of a canvas asks about saving, and not when the canvas
// is being closed after the question was answered (m_pClosingDocument).
void CMainFrame::OnChildCloseRequested(CChildFrame* frame, bool* allow) {
    CCanvasDocument* document = frame->Document();
    if (document == m_pClosingDocument || FramesOf(document).size() > 1) return;
    *allow = MaybeSave(document);
}

void CMainFrame::OnFileClose() {
    CCanvasDocument* document = ActiveDocument();
    if (!document || !MaybeSave(document)) return;
    m_pClosingDocument = document;
    for (CChildFrame* frame : FramesOf(document)) frame->close();
    m_pClosingDocument = nullptr;
}

void CMainFrame::OnViewDestroyed(CCanvasDocument* document) {
    // The last window of a canvas is gone: the canvas goes with it.
    if (!m_pMdiArea) return; // the frame is going
    if (!document->Doc().Views().empty()) {
        UpdateActions(); // a tool of the closed window may have ended
        return;
    }
    m_pRecovery->Forget(document);
    for (auto it = m_documents.begin(); it != m_documents.end(); ++it) {
        if (it->get() != document) continue;
        m_documents.erase(it);
        break;
    }
    UpdateMenuBar();
    UpdateTitles();
    UpdateActions();
}

// Every canvas is asked about first, and only then are windows closed: a
// Cancel for any canvas leaves them all open. Closing a window only schedules
// its deletion, so m_documents does not change under the second loop.
void CMainFrame::closeEvent(QCloseEvent* event) {
    CapturePaletteRect();
    for (const auto& document : m_documents) {
        if (!MaybeSave(document.get())) {
            event->ignore();
            return;
        }
    }
    for (const auto& document : m_documents) {
        m_pClosingDocument = document.get();
        for (CChildFrame* frame : FramesOf(document.get())) frame->close();
    }
    m_pClosingDocument = nullptr;
    m_pStore->SaveRecentFiles();
    event->accept();
}

void CMainFrame::UpdateRecentFileActions() {
    const QStringList& files = m_pStore->RecentFiles();
    m_pRecentPlaceholder->setVisible(files.isEmpty());
    for (int i = 0; i < static_cast<int>(m_recentActions.size()); ++i) {
        QAction* action = m_recentActions[i];
        action->setVisible(i < files.size());
        if (i < files.size())
            action->setText(
                QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files[i])));
    }
}
