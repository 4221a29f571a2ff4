#include "app/dialogs/TDirectoryListBox.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

namespace qw::desktop {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kLevelRole = Qt::UserRole + 1;
constexpr int kIndent = 8;

// Indents each line by its depth in the path.
class IndentDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted = option;
        shifted.rect.setLeft(option.rect.left() + kIndent * index.data(kLevelRole).toInt());
        QStyledItemDelegate::paint(painter, shifted, index);
        // The style draws no focus mark on a line: the current folder is
        // framed while the list has the focus, so that the keys' target shows.
        if (option.state & QStyle::State_HasFocus) {
            painter->save();
            QPen pen(option.palette.color(QPalette::WindowText));
            pen.setStyle(Qt::DotLine);
            painter->setPen(pen);
            painter->drawRect(shifted.rect.adjusted(0, 0, -1, -1));
            painter->restore();
        }
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += kIndent * index.data(kLevelRole).toInt();
        return size;
    }
};

// The folders from the root down to `path`, each as its full path.
QStringList pathChain(const QString& path) {
    QStringList chain;
    QDir dir(path);
    chain.prepend(dir.absolutePath());
    while (dir.cdUp())
        chain.prepend(dir.absolutePath());
    return chain;
}

QString lineText(const QString& folder) {
    const QString name = QFileInfo(folder).fileName();
    return name.isEmpty() ? QDir::toNativeSeparators(folder) : name; // a root has no name
}

} // namespace

TDirectoryListBox::TDirectoryListBox(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new IndentDelegate(this));
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemActivated, this, &TDirectoryListBox::openItem);
}

bool TDirectoryListBox::setDirectory(const QString& path) {
    const QFileInfo info(path);
    if (!info.isDir())
        return false;
    directory_ = QDir::cleanPath(info.absoluteFilePath());
    QDir::setCurrent(directory_); // the project walk finds its units there
    fill();
    emit directoryChanged(directory_);
    return true;
}

void TDirectoryListBox::fill() {
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    clear();
    const QStringList chain = pathChain(directory_);
    int level = 0;
    for (const QString& folder : chain) {
        auto* item = new QListWidgetItem(open, lineText(folder), this);
        item->setData(kPathRole, folder);
        item->setData(kLevelRole, level++);
    }
    QListWidgetItem* current = item(count() - 1);
    const QDir dir(directory_);
    const QStringList subfolders =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : subfolders) {
        auto* item = new QListWidgetItem(closed, name, this);
        item->setData(kPathRole, dir.filePath(name));
        item->setData(kLevelRole, level);
    }
    setCurrentItem(current);
    scrollToItem(current);
}

void TDirectoryListBox::openItem(QListWidgetItem* item) {
    if (item)
        setDirectory(item->data(kPathRole).toString());
}

} // namespace qw::desktop
