#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QMimeData;
class QWidget;

namespace qw::desktop {

// Lets its owner window accept files dragged onto it from the file manager:
// while `Active`, a drop of files is collected into `DroppedFiles` (full
// paths, in the order delivered, last drop only) and `OnDropFile` is called.
class TFilesDrop : public QObject {
    Q_OBJECT
public:
    explicit TFilesDrop(QWidget* owner);
    ~TFilesDrop() override;

    bool Active() const { return active_; }
    // Whether the owner window accepts dropped files.
    void setActive(bool active);

    QStringList DroppedFiles;
    int DroppedCount = 0;
    std::function<void(TFilesDrop* sender)> OnDropFile;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void collectDrop(const QMimeData& data);

    QWidget* owner_;
    bool active_ = false;
};

} // namespace qw::desktop
