#include "app/dialogs/SchemaPictures.h"

#include <QPainter>

#include "app/dialogs/DialogResources.h"

namespace qw::desktop {
namespace {

// Raster operations need both sides in the same 32-bit form.
QImage loadPicture(const char* name, const char* suffix) {
    initDialogResources();
    QImage image(
        QStringLiteral(":/pictures/%1.%2").arg(QLatin1String(name), QLatin1String(suffix)));
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

SchemaPictures::SchemaPictures()
    : writeImage_(loadPicture("WRITE_IMAGE", "xpm")), writeMask_(loadPicture("WRITE_MASK", "pbm")),
      abortImage_(loadPicture("ABORT_IMAGE", "xpm")), abortMask_(loadPicture("ABORT_MASK", "pbm")) {
}

bool SchemaPictures::loaded() const {
    return !writeImage_.isNull() && !writeMask_.isNull() && !abortImage_.isNull() &&
           !abortMask_.isNull();
}

void SchemaPictures::draw(QPainter& painter, QPoint at, Mark mark) const {
    const QImage& image = mark == Mark::Fixed ? abortImage_ : writeImage_;
    const QImage& mask = mark == Mark::Fixed ? abortMask_ : writeMask_;
    const QPainter::CompositionMode before = painter.compositionMode();
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawImage(at, mask);
    painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    painter.drawImage(at, image);
    painter.setCompositionMode(before);
}

} // namespace qw::desktop
