#pragma once

#include <QLineEdit>

#include <cstdint>

namespace qw::desktop {

// A hot-key field: shows a shortcut and takes a new one from the next key
// pressed in it. Ctrl and Alt are the default modifiers: a key pressed alone
// or with Shift only is taken with Ctrl+Alt instead.
class THotKey : public QLineEdit {
    Q_OBJECT
public:
    explicit THotKey(QWidget* parent = nullptr);

    // The shortcut code: virtual-key code + 8192 Shift, 16384 Ctrl, 32768 Alt.
    std::int32_t hotKey() const { return hotKey_; }
    void setHotKey(std::int32_t code);

signals:
    void hotKeyChanged(std::int32_t code);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void showHotKey();

    std::int32_t hotKey_ = 0;
};

} // namespace qw::desktop
