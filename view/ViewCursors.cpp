#include "view/ViewCursors.h"

#include "view/CursorHotSpots.h"
#include "view/Resources.h"

#include <QHash>
#include <QPixmap>

QCursor ViewCursor(int cursorId) {
    static QHash<int, QCursor> cache;
    auto it = cache.find(cursorId);
    if (it != cache.end()) return *it;
    EnsureResources();
    QCursor cursor(Qt::ArrowCursor);
    if (const CCursorHotSpot* spot = FindCursorHotSpot(cursorId)) {
        QPixmap picture(QString::fromLatin1(spot->pszPath));
        if (!picture.isNull()) cursor = QCursor(picture, spot->nHotX, spot->nHotY);
    }
    cache.insert(cursorId, cursor);
    return cursor;
}
