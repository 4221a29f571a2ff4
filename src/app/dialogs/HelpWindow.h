#pragma once

#include <QWidget>

class QTextBrowser;

namespace qw::desktop {

// The program's help: the text of "Quillo.md" from the resources, in a
// window of its own with its table of contents at the top.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    QTextBrowser* browser() const { return browser_; }
    // The help text as written (Markdown).
    static QString helpText();

private:
    QTextBrowser* browser_;
};

} // namespace qw::desktop
