// The main frame's parts of files: choosing the lines of a file that does not
// fit a canvas, and a save refused because the file changed on disk.
#include "app/CanvasDocument.h"
#include "app/MainFrame.h"
#include "app/OpenPartDlg.h"
#include "app/SettingsStore.h"
#include "canvas/io/FilePartFile.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

bool CMainFrame::ChoosePartOfFile(const QString& path, std::unique_ptr<CCanvasDocument>& part) {
    std::vector<CDiagramBlock> blocks;
    int lines = 0;
    CPartProblem problem;
    // A file too large to cut a part from opens as it always has.
    if (!ReadDiagramBlocks(QFileInfo(path).absoluteFilePath().toStdString(), blocks, lines,
                           problem))
        return true;
    QWidget* parent = isVisible() ? this : nullptr;
    COpenPartDlg dialog(parent, QFileInfo(path).fileName(), lines, blocks);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted) return false;
        if (dialog.Choice() == COpenPartDlg::Whole) return true;
        auto document = std::make_unique<CCanvasDocument>(m_pStore->Settings().Defaults());
        QString error;
        if (document->OpenPart(path, dialog.First(), dialog.Last(), error)) {
            part = std::move(document);
            return true;
        }
        QMessageBox::warning(parent, QStringLiteral("Tavik"), error);
    }
}

bool CMainFrame::OfferSaveAs(CCanvasDocument* document, const QString& why) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tavik"),
                    why + QStringLiteral("\n\n名前を付けて保存しますか?"), QMessageBox::Cancel,
                    this);
    QPushButton* saveAs =
        box.addButton(QStringLiteral("名前を付けて保存(&A)..."), QMessageBox::AcceptRole);
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
    box.setDefaultButton(saveAs);
    box.exec();
    return box.clickedButton() == saveAs && SaveDocument(document, true);
}
