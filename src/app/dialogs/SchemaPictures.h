#pragma once

#include <QImage>
#include <QPoint>

class QPainter;

namespace qw::desktop {

// The marks of schema lines in the setup dialog, loaded once from the
// program's resources: a pencil (14 x 14) for a free line and a red
// prohibition sign (13 x 13) for a fixed line, each with a 1-bit mask.
class SchemaPictures {
public:
    SchemaPictures(); // loads "WRITE_IMAGE", "WRITE_MASK", "ABORT_IMAGE", "ABORT_MASK"

    const QImage& writeImage() const { return writeImage_; }
    const QImage& writeMask() const { return writeMask_; }
    const QImage& abortImage() const { return abortImage_; }
    const QImage& abortMask() const { return abortMask_; }
    bool loaded() const;

    enum class Mark { Free, Fixed };
    // Draws a mark with its top left corner at `at`: the mask is combined
    // with what is there (AND), then the image (OR), so the mask's white
    // pixels leave the background as it was. `painter` must paint on a
    // raster image.
    void draw(QPainter& painter, QPoint at, Mark mark) const;

private:
    QImage writeImage_;
    QImage writeMask_;
    QImage abortImage_;
    QImage abortMask_;
};

} // namespace qw::desktop
