#include "app/dialogs/TSchemaMemo.h"

#include <QTextBlock>

#include <cmath>

namespace qw::desktop {

TSchemaMemo::TSchemaMemo(QWidget* parent) : QPlainTextEdit(parent) {}

int TSchemaMemo::firstVisibleLine() const {
    return firstVisibleBlock().blockNumber();
}

int TSchemaMemo::lineHeight() const {
    const QTextBlock first = document()->firstBlock();
    const double height = blockBoundingRect(first).height();
    if (height >= 1)
        return static_cast<int>(std::lround(height));
    return fontMetrics().lineSpacing();
}

int TSchemaMemo::firstLineTop(const QWidget* widget) const {
    const QTextBlock first = firstVisibleBlock();
    const double top = blockBoundingGeometry(first).translated(contentOffset()).top();
    return viewport()->mapTo(window(), QPoint(0, static_cast<int>(std::lround(top)))).y() -
           widget->mapTo(window(), QPoint(0, 0)).y();
}

} // namespace qw::desktop
