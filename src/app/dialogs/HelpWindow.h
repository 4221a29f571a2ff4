#pragma once

#include <QWidget>

class QTextBrowser;
class QTextDocument;

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

// The anchor of a heading as the help text's links name it: lower case,
// blanks as "-", other punctuation dropped ("The main window" ->
// "the-main-window").
QString headingAnchor(const QString& heading);

// Gives every heading of the document its anchor, so that the links of the
// table of contents lead to their sections.
void addHeadingAnchors(QTextDocument& document);

} // namespace qw::desktop
