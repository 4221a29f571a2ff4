#pragma once

#include <QPlainTextEdit>

namespace qw::desktop {

// The schema editor of the setup dialog (MemoSchema). It tells where its
// lines stand, so that the strip of marks beside it can follow scrolling.
class TSchemaMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TSchemaMemo(QWidget* parent = nullptr);

    // The index of the first line that is visible.
    int firstVisibleLine() const;
    // The pixel height of one line.
    int lineHeight() const;
    // The top of the first visible line in the coordinates of `widget`.
    int firstLineTop(const QWidget* widget) const;
};

} // namespace qw::desktop
