#pragma once

#include <QWidget>

#include <functional>

namespace qw::desktop {

// A plain area that its owner paints: the owner's paint handler draws on a
// raster image of the box (so that raster operations such as a mask's AND
// work on every platform), which is then shown. A press and a release inside
// the box make a click.
class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent = nullptr);

    std::function<void(QPainter&)> OnPaint;
    std::function<void(int x, int y)> OnMouseDown;
    std::function<void()> OnClick;

    // What the box shows now, painted afresh.
    QImage render() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

} // namespace qw::desktop
