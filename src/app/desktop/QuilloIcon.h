#pragma once

#include <QIcon>

namespace qw::desktop {

// The program's icon, a page with lines and a pencil, drawn in code so that
// it needs no image plug-in (the installed quillo.svg is the same picture).
QIcon quilloIcon();

} // namespace qw::desktop
