#pragma once

#include <QPlainTextEdit>

namespace qw::desktop {

// The editor of the result window (Memo2): plain text whose inserted comments
// carry a character format, with the Insert key switching between inserting
// and overwriting.
class TResultMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TResultMemo(QWidget* parent = nullptr);

signals:
    // A key was released (auto-repeat releases do not count); `toggledMode`
    // tells whether it was the Insert key that switched the mode.
    void keyReleased(int key, bool toggledMode);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    bool insertToggled_ = false;
};

} // namespace qw::desktop
