#pragma once

#include <QObject>

#include <cstdint>
#include <memory>

class QWindow;

namespace qw::plugin {

// Makes the IDE's main window the parent of the library's windows: every
// top-level window shown without a parent of its own becomes transient for
// it (stays above it, is centred on it, goes with it when it is minimised),
// so that all dialogs of the library belong to the IDE window. Windows with a
// parent follow that parent as usual.
class TransientParent final : public QObject {
    Q_OBJECT
public:
    // Watches the windows of the application from now on; `ideWindow` is
    // owned from now on.
    explicit TransientParent(std::unique_ptr<QWindow> ideWindow);
    ~TransientParent() override;

    // For the IDE window of a native window handle; null for handle 0 and on
    // platforms that cannot take a window of another program (the offscreen
    // and minimal platforms, Wayland), where the handle is ignored.
    static std::unique_ptr<TransientParent> forHandle(std::uintptr_t handle);

    QWindow* ideWindow() const { return ideWindow_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<QWindow> ideWindow_;
};

} // namespace qw::plugin
