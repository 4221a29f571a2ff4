#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>
#include <vector>

#include "app/dialogs/WindowServices.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace qw {
class ProjectReport;
}

namespace qw::desktop {

// The report of a project walk: one line per processed file (name, TAB,
// count) with the counts in a column under "Comments", and Edit to open the
// chosen file in the text editor.
class TFProjRep : public QDialog {
    Q_OBJECT
public:
    explicit TFProjRep(const WindowServices& services, QWidget* parent = nullptr);

    // Appends fileName + TAB + count. `path`, where the walk found the file,
    // is what Edit opens; without it the name itself is opened.
    void AddEntry(const QString& fileName, std::int32_t count, const QString& path = {});
    void AddEntries(const ProjectReport& report);

    void ListBox1Click(); // enables Edit, for good
    // Opens the file of the current line in the text editor, without waiting:
    // the name before the line's last TAB, as one argument, however long.
    void Button2Click();

    QLabel* Label1;
    QLabel* Label2;
    QListWidget* ListBox1;
    QPushButton* Button2;
    QPushButton* Button1;

private:
    WindowServices services_;
    std::vector<QString> paths_; // per line
};

// The tab stop of the list: 210 dialog units of the 8-point font, in pixels.
inline constexpr int kReportTabStop = 315;

} // namespace qw::desktop
