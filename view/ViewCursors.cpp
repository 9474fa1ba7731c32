#include "view/ViewCursors.h"

#include "tools/CommandIds.h"

#include <QHash>

QCursor ViewCursor(int cursorId) {
    static QHash<int, QCursor> cache;
    auto it = cache.find(cursorId);
    if (it != cache.end()) return *it;
    QCursor cursor(Qt::ArrowCursor);
    switch (cursorId) {
    case CURSOR_PENCIL:
        cursor = QCursor(Qt::CrossCursor);
        break;
    case CURSOR_ERASER:
        cursor = QCursor(Qt::PointingHandCursor);
        break;
    case CURSOR_CORNER:
        cursor = QCursor(Qt::CrossCursor);
        break;
    case CURSOR_MOVE:
        cursor = QCursor(Qt::SizeAllCursor);
        break;
    default:
        break;
    }
    cache.insert(cursorId, cursor);
    return cursor;
}
