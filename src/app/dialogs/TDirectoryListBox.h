#pragma once

#include <QListWidget>
#include <QString>

namespace qw::desktop {

// A folder list: the path of the current folder, one indented line per
// folder from the root down, followed by its subfolders. Opening a line
// (double click or Enter) moves to that folder, which also becomes the
// program's current directory.
class TDirectoryListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TDirectoryListBox(QWidget* parent = nullptr);

    QString directory() const { return directory_; }
    // Moves to `path` (made absolute and clean) and makes it the current
    // directory. A folder that does not exist is not entered: false.
    bool setDirectory(const QString& path);

signals:
    void directoryChanged(const QString& path);

private:
    void fill();
    void openItem(QListWidgetItem* item);

    QString directory_;
};

} // namespace qw::desktop
