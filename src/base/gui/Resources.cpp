#include "base/gui/Resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterKrovelQrc() {
    Q_INIT_RESOURCE(krovel);
}

namespace krovel {

void InitKrovelResources() {
    static const bool done = (RegisterKrovelQrc(), true);
    (void)done;
}

} // namespace krovel
