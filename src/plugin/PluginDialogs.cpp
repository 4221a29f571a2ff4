#include "plugin/PluginDialogs.h"

#include <QCoreApplication>
#include <QVariant>

namespace qw::plugin {

desktop::DialogLayer& PluginDialogs::layer() {
    if (const QCoreApplication* application = QCoreApplication::instance()) {
        const QVariant host = application->property(kHostDialogsProperty);
        if (host.metaType() == QMetaType::fromType<void*>())
            if (auto* layer = static_cast<desktop::DialogLayer*>(host.value<void*>()))
                return *layer;
    }
    return own_;
}

Button PluginDialogs::ask(QWidget* parent, const Message& message) {
    return layer().ask(parent, message);
}

std::optional<QString> PluginDialogs::askText(QWidget* parent, const QString& caption,
                                              const QString& prompt, const QString& initial) {
    return layer().askText(parent, caption, prompt, initial);
}

void PluginDialogs::showError(QWidget* parent, const QString& text, const QString& detail) {
    layer().showError(parent, text, detail);
}

int PluginDialogs::showModal(QDialog& dialog) {
    return layer().showModal(dialog);
}

void PluginDialogs::showHelp(QWidget* parent) {
    layer().showHelp(parent);
}

} // namespace qw::plugin
