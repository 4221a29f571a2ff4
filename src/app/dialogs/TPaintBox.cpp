#include "app/dialogs/TPaintBox.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

namespace qw::desktop {

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {}

QImage TPaintBox::render() const {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(palette().color(backgroundRole()));
    if (OnPaint) {
        QPainter painter(&image);
        OnPaint(painter);
    }
    return image;
}

void TPaintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, render());
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    pressed_ = true;
    const QPoint at = event->position().toPoint();
    if (OnMouseDown)
        OnMouseDown(at.x(), at.y());
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    if (rect().contains(event->position().toPoint()) && OnClick)
        OnClick();
}

} // namespace qw::desktop
