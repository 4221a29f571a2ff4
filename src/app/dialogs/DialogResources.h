#pragma once

namespace qw::desktop {

// Registers the pictures and the help text of this library; a static
// library's resources are not registered on their own. Safe to call often.
void initDialogResources();

} // namespace qw::desktop
