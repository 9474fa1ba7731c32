#pragma once

#include <QString>
#include <memory>

class CCanvasDocument;
class QWidget;

// What the recovery copies need of the window they serve: a line in the
// status bar, a window for a restored canvas, and closing the canvases a
// restore replaces. The main frame implements it; tests use a small stand-in.
class CRecoveryHost {
public:
    virtual ~CRecoveryHost() = default;

    virtual void ShowRecoveryMessage(const QString& text) = 0;
    // Shows a canvas made from a copy in a new window and keeps it.
    virtual CCanvasDocument* AddRestoredDocument(std::unique_ptr<CCanvasDocument> document) = 0;
    // Closes the windows of canvases without unsaved changes that show the file
    // at path, or, for an empty path, that were never saved (the empty canvas
    // of the start).
    virtual void CloseUnchangedCanvases(const QString& path) = 0;
    // The window the recovery question belongs to.
    virtual QWidget* RecoveryDialogParent() = 0;
};
