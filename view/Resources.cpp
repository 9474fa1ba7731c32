#include "view/Resources.h"

#include <QtGlobal>

static void InitTavikResources() {
    Q_INIT_RESOURCE(tavik);
}

void EnsureResources() {
    static bool done = (InitTavikResources(), true);
    (void)done;
}
