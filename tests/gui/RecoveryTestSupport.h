#pragma once

// Files for the recovery tests: whole files in and out, a copy as a program
// that died would have left it, and a copy read back as text.

#include "GuiTestSupport.h"
#include "app/CanvasDocument.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/DocumentText.h"
#include "canvas/io/PrivateFolder.h"
#include "canvas/io/RecoveryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QtTest>

namespace recovery_test {

using ::ReadBytes;
using ::WriteBytes;

inline QByteArray Text(CCanvasDocument* document) {
    return QByteArray::fromStdString(DocumentText(document->Doc(), document->Format()));
}

// The copy in the folder as `id`-1.tvkr, saving to `path`, and (unless lock is
// false) a lock naming a process that does not run.
inline void LeaveDeadCopy(const QString& folder, CCanvasDocument* document, const QString& id,
                          const QString& path, bool lock = true) {
    CPrivateFolder opened;
    QCOMPARE(opened.Open(folder.toStdString(), true), CPrivateFolder::Ok);
    const CRecoveryFile copy =
        CRecoveryFile::FromDocument(document->Doc(), path.toStdString(), false, 1765280000000);
    std::string error;
    QVERIFY(copy.Write(opened, (id + "-1.tvkr").toStdString(), error));
    if (lock)
        WriteBytes(QDir(folder).filePath(id + ".lock"),
                   "2147483647\ntavik\n" + QSysInfo::machineHostName().toUtf8() + "\n");
}

// The copy on disk, read back into a canvas and written as text.
inline QByteArray CopyText(const QString& file, const CTextFormat& format) {
    CRecoveryFile copy;
    std::string why;
    CPrivateFolder folder;
    if (folder.Open(QFileInfo(file).path().toStdString(), false) != CPrivateFolder::Ok ||
        !copy.Read(folder, QFileInfo(file).fileName().toStdString(), why))
        return QByteArray("<unreadable>");
    CRuvlenDoc doc;
    copy.RestoreTo(doc);
    return QByteArray::fromStdString(DocumentText(doc, format));
}

} // namespace recovery_test
