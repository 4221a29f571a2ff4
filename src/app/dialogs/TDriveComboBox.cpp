#include "app/dialogs/TDriveComboBox.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QStorageInfo>

#include <algorithm>

namespace qw::desktop {
namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

QStringList driveRoots() {
    QStringList roots;
#ifdef Q_OS_WIN
    for (const QFileInfo& drive : QDir::drives())
        roots << drive.absolutePath();
#else
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && QFileInfo(volume.rootPath()).isDir()) // not a bind-mounted file
            roots << volume.rootPath();
    roots << QDir::rootPath();
    roots.removeDuplicates();
    std::sort(roots.begin(), roots.end());
#endif
    return roots;
}

} // namespace

TDriveComboBox::TDriveComboBox(QWidget* parent) : QComboBox(parent) {
    fill();
    connect(this, &QComboBox::activated, this,
            [this](int index) { emit driveChanged(itemData(index).toString()); });
}

void TDriveComboBox::fill() {
    for (const QString& root : driveRoots())
        addItem(QDir::toNativeSeparators(root), root);
}

void TDriveComboBox::showDriveOf(const QString& path) {
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < count(); ++i) {
        const QString root = itemData(i).toString();
        const QString prefix = root.endsWith(u'/') ? root : root + u'/';
        const bool holds =
            clean.compare(root, kPathCase) == 0 || clean.startsWith(prefix, kPathCase);
        if (holds && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    const QSignalBlocker blocker(this);
    setCurrentIndex(best);
}

QString TDriveComboBox::drive() const {
    return currentData().toString();
}

} // namespace qw::desktop
