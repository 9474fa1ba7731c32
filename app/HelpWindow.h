#pragma once

#include <QString>

class QWidget;

// The user manual (Japanese HTML shipped in the resources) in a help window of
// its own; one window, raised again when already open.
namespace HelpWindow {
// Opens the manual, or raises the open window, at the anchor when one is given.
// When the page cannot be read a message says so and no window opens.
void Show(QWidget* parent, const QString& anchor = QString());
// The page the window shows: ":/help/index.html" unless set (a resource path
// starting with ':' or a file path). Takes effect on the next Show.
void SetHomePage(const QString& path);
} // namespace HelpWindow
