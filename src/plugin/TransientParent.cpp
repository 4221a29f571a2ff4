#include "plugin/TransientParent.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace qw::plugin {

TransientParent::TransientParent(std::unique_ptr<QWindow> ideWindow)
    : ideWindow_(std::move(ideWindow)) {
    QCoreApplication::instance()->installEventFilter(this);
}

TransientParent::~TransientParent() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

std::unique_ptr<TransientParent> TransientParent::forHandle(std::uintptr_t handle) {
    if (handle == 0)
        return nullptr;
    std::unique_ptr<QWindow> window(QWindow::fromWinId(static_cast<WId>(handle)));
    if (!window)
        return nullptr;
    return std::make_unique<TransientParent>(std::move(window));
}

bool TransientParent::eventFilter(QObject* watched, QEvent* event) {
    // A widget's show event comes after its native window was made and
    // before that window appears, which is when a transient parent is best
    // given.
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        QWindow* window =
            widget->isWindow() && !widget->parentWidget() ? widget->windowHandle() : nullptr;
        if (window && window != ideWindow_.get() && !window->transientParent())
            window->setTransientParent(ideWindow_.get());
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qw::plugin
