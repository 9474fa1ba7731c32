#include "app/AboutDlg.h"

#include "view/Resources.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

// Icon and version text side by side, OK at the top right; OK and Esc close it.
CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    // No "?" in the title bar: the box has no help of its own.
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    EnsureResources();
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setFixedSize(32, 32); // keeps its place while the image is missing
    icon->setPixmap(QIcon(QStringLiteral(":/icons/tavik-32.png")).pixmap(32, 32));

    auto* text = new QLabel(QStringLiteral("Tavik Version 1.3"), this);
    text->setObjectName(QStringLiteral("text"));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout(this);
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addSpacing(12);
    row->addWidget(text, 0, Qt::AlignTop);
    row->addStretch(1);
    row->addSpacing(24);
    row->addWidget(ok, 0, Qt::AlignTop);
    row->setContentsMargins(16, 16, 12, 28);
    row->setSizeConstraint(QLayout::SetFixedSize);
    ok->setFocus();
}
