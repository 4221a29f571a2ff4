#include "app/dialogs/DialogResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must stand outside any namespace.
static void initResourcesOnce() {
    static const bool done = [] {
        Q_INIT_RESOURCE(pictures);
        Q_INIT_RESOURCE(help);
        return true;
    }();
    (void)done;
}

namespace qw::desktop {

void initDialogResources() {
    initResourcesOnce();
}

} // namespace qw::desktop
