#pragma once

#include <QComboBox>
#include <QString>

namespace qw::desktop {

// The drives on Windows; elsewhere the file-system roots and mount points.
// Choosing one moves the folder list to its root.
class TDriveComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TDriveComboBox(QWidget* parent = nullptr);

    // Shows the drive that holds `path`, without a signal.
    void showDriveOf(const QString& path);
    QString drive() const;

signals:
    void driveChanged(const QString& root);

private:
    void fill();
};

} // namespace qw::desktop
