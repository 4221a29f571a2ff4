#include "plugin/PluginApplication.h"

#include <QApplication>

#include "app/dialogs/FormStyle.h"

namespace qw::plugin {

PluginApplication::PluginApplication() {
    if (QCoreApplication::instance())
        return;
    owned_ = std::make_unique<QApplication>(argc_, argv_);
    QApplication::setFont(desktop::formFont());
}

PluginApplication::~PluginApplication() = default;

bool PluginApplication::hasWidgets() const {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace qw::plugin
