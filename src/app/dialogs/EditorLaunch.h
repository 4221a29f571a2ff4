#pragma once

#include <QString>

#include "app/dialogs/TextEditorCommand.h"
#include "app/dialogs/WindowServices.h"

class QWidget;

namespace qw::desktop {

// Opens `file` in the user's text editor: with UntilClosed in a normal window
// and waiting until it is closed, else maximized and without waiting. When
// no editor is found, or the one found cannot be started, the user is told
// so in an error message over `parent`. True when the editor was started.
bool openInTextEditor(const WindowServices& services, QWidget* parent, const QString& file,
                      EditorWait wait);

} // namespace qw::desktop
