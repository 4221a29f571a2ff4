#include "app/dialogs/TFileListBox.h"

#include <QDir>
#include <QSignalBlocker>

namespace qw::desktop {

TFileListBox::TFileListBox(QWidget* parent) : QListWidget(parent) {
    setUniformItemSizes(true);
}

void TFileListBox::setMask(const QString& mask) {
    mask_ = mask;
    refresh();
}

void TFileListBox::setMultiSelect(bool multiSelect) {
    setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection
                                 : QAbstractItemView::SingleSelection);
}

void TFileListBox::setDirectory(const QString& path) {
    directory_ = path;
    refresh();
}

void TFileListBox::refresh() {
    const QSignalBlocker blocker(this);
    clear();
    if (directory_.isEmpty())
        return;
    QDir dir(directory_);
    dir.setNameFilters(mask_.split(u';', Qt::SkipEmptyParts));
    // Name filters ignore letter case unless told otherwise, as on Windows.
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    addItems(dir.entryList());
    setCurrentRow(-1);
}

QStringList TFileListBox::selectedNames() const {
    QStringList names;
    for (int i = 0; i < count(); ++i)
        if (item(i)->isSelected())
            names << item(i)->text();
    return names;
}

bool TFileListBox::selectName(const QString& name) {
    const QSignalBlocker blocker(this);
    clearSelection();
    for (int i = 0; i < count(); ++i)
        if (item(i)->text().compare(name, Qt::CaseInsensitive) == 0) {
            setCurrentRow(i);
            item(i)->setSelected(true);
            return true;
        }
    return false;
}

} // namespace qw::desktop
