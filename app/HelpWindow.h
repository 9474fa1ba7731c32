#pragma once

#include <QString>

class QWidget;

// The user manual (Japanese HTML shipped in the resources) in a help window of
// its own; one window, raised again when already open.
namespace HelpWindow {
void Show(QWidget* parent, const QString& anchor = QString());
}
