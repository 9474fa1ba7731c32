#pragma once

#include <QCursor>

// The cursor for a cursor id of the tools and the idle view (CURSOR_PENCIL and
// the others in tools/CursorIds.h); each is created once.
QCursor ViewCursor(int cursorId);
