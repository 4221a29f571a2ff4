#include "app/desktop/TFilesDrop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace qw::desktop {
namespace {

bool holdsFiles(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return false;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return true;
    return false;
}

} // namespace

TFilesDrop::TFilesDrop(QWidget* owner) : QObject(owner), owner_(owner) {
    owner_->installEventFilter(this);
}

TFilesDrop::~TFilesDrop() {
    owner_->setAcceptDrops(false);
    owner_->removeEventFilter(this);
}

void TFilesDrop::setActive(bool active) {
    active_ = active;
    owner_->setAcceptDrops(active);
}

bool TFilesDrop::eventFilter(QObject* watched, QEvent* event) {
    if (watched != owner_ || !active_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (holdsFiles(drag->mimeData())) {
            drag->acceptProposedAction();
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!holdsFiles(drop->mimeData()))
            break;
        drop->acceptProposedAction();
        collectDrop(*drop->mimeData());
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void TFilesDrop::collectDrop(const QMimeData& data) {
    DroppedCount = 0;
    DroppedFiles.clear();
    // Full paths as they come, however long: a cut name would open the
    // wrong file.
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            DroppedFiles << url.toLocalFile();
    DroppedCount = static_cast<int>(DroppedFiles.size());
    if (OnDropFile)
        OnDropFile(this);
}

} // namespace qw::desktop
