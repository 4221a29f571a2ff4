#pragma once

#include "app/dialogs/DialogLayer.h"
#include "app/dialogs/QtDialogLayer.h"

namespace qw::plugin {

// The property of the application object under which a host that answers the
// library's dialogs itself (the substitute IDE of the tests) may put its
// DialogLayer, as a void*. The library has a single exported symbol, so this
// is the one way in; it is looked up at every dialog, so that a host can set
// it once the library has made the application object.
inline constexpr const char* kHostDialogsProperty = "quillwrightHostDialogs";

// The library's dialogs: the host's, when it put a layer on the application
// object, else real message boxes, input boxes and modal windows.
class PluginDialogs final : public desktop::DialogLayer {
public:
    Button ask(QWidget* parent, const Message& message) override;
    std::optional<QString> askText(QWidget* parent, const QString& caption, const QString& prompt,
                                   const QString& initial) override;
    void showError(QWidget* parent, const QString& text, const QString& detail) override;
    int showModal(QDialog& dialog) override;
    void showHelp(QWidget* parent) override;

private:
    desktop::DialogLayer& layer();

    desktop::QtDialogLayer own_;
};

} // namespace qw::plugin
