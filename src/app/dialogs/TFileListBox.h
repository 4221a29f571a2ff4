#pragma once

#include <QListWidget>
#include <QString>
#include <QStringList>

namespace qw::desktop {

// The files of one folder that match a mask such as "*.pas;*.inc;*.dpr"
// (letter case ignored), sorted by name.
class TFileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TFileListBox(QWidget* parent = nullptr);

    void setMask(const QString& mask); // patterns separated by ";"
    QString mask() const { return mask_; }
    void setMultiSelect(bool multiSelect);

    QString directory() const { return directory_; }
    // Shows the matching files of `path`; nothing is selected afterwards.
    // The refill raises no selection signal.
    void setDirectory(const QString& path);
    // Reads the folder again.
    void refresh();

    // The names of the selected entries, in the order of the list.
    QStringList selectedNames() const;
    // Selects the entry of that name (letter case ignored) or none; true when found.
    bool selectName(const QString& name);

private:
    QString directory_;
    QString mask_ = QStringLiteral("*.*");
};

} // namespace qw::desktop
