#pragma once

#include <QDialog>
#include <QTextCharFormat>

#include <cstdint>

#include "app/dialogs/TextEncoding.h"
#include "app/dialogs/WindowServices.h"
#include "drivers/ResultDocument.h"

class QLabel;
class QPushButton;
class QStatusBar;
class QWidget;

namespace qw::desktop {

class TResultMemo;

// Who called Save: the user's button closes the window afterwards, a
// driver's silent save leaves it open.
enum class SaveSender { Button, None };

// The result window: the text a pass produced for one file, with the inserted
// comments bold, italic and navy; the user may read and edit it and save it
// over the file, whose old text becomes its backup.
class TFrmResult : public QDialog {
    Q_OBJECT
public:
    explicit TFrmResult(const WindowServices& services, QWidget* parent = nullptr);

    // Shows `document` (which must outlive the window's use of it): its title,
    // its text decoded (UTF-8 when valid, else Windows-1252) with the marks of
    // the pass, its count, and Save disabled when the document says so.
    void LoadDocument(ResultDocument& document);

    // Stores the count and words it in the status bar after CountsInsertions.
    void ShowCount(std::int32_t count);
    // Save: the backup, then the editor's text written to the title's file in
    // the encoding it was read in. With the button as sender the window then
    // closes; a failure goes to the general error display and the window stays.
    SaveResult BitBtn1Click(SaveSender sender);
    void BitBtn2Click(); // Exit
    // Whether the window may close now (asking the user when the result
    // would be lost).
    bool FormCloseQuery();

    std::int32_t CommentCount = 0;
    int InsertMode = 1;
    bool Saved = false;
    bool CountsInsertions = true;

    QWidget* Panel1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QLabel* Label1;
    TResultMemo* Memo2;
    QStatusBar* StatusBar1;
    // The four panels of the status bar: caret, modified, mode, count.
    QLabel* Panels[4];
    // Shown before the count only when the pass had no schema.
    QLabel* SchemaNote;

    TextEncoding encoding() const { return encoding_; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override; // a close request asks the close query

private:
    void FormShow();
    void Memo2Change();
    void Memo2SelectionChange();
    void Memo2KeyUp(int key, bool toggledMode);
    void copyTextToDocument();

    WindowServices services_;
    ResultDocument* document_ = nullptr;
    TextEncoding encoding_ = TextEncoding::Utf8;
    bool edited_ = false;
    bool loading_ = false;
};

// The status-bar text of ShowCount: "No", "One" or the number, then
// " comments inserted." or " comments removed.", then five blanks.
QString countText(bool countsInsertions, std::int32_t count);

// How the editor's text shows inserted comments.
QTextCharFormat commentFormat();

} // namespace qw::desktop
