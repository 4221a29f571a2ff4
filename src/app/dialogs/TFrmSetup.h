#pragma once

#include <QDialog>

#include <string>
#include <vector>

#include "app/dialogs/TextEncoding.h"
#include "app/dialogs/WindowServices.h"
#include "schema/Schema.h"
#include "settings/Settings.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;

namespace qw::desktop {

class TDirectoryListBox;
class TDriveComboBox;
class TFileListBox;
class THotKey;
class TPaintBox;
class TSchemaMemo;

// Whether the dialog offers the hot key of "Comment!": only the IDE plug-in
// has one; the desktop program hides the field and its label.
enum class HotKeyControls { Hidden, Shown };

// The setup dialog: the schema library (the "*.cs" files of a folder), the
// chosen schema in an editor with a strip of marks beside it (a pencil for a
// free line, a red prohibition sign for a fixed one; a click toggles the
// line), and the other settings. It reads and writes `settings` and, on OK,
// `schema` (the schema in use); Cancel leaves both as they were.
class TFrmSetup : public QDialog {
    Q_OBJECT
public:
    TFrmSetup(const WindowServices& services, Settings& settings, Schema& schema,
              HotKeyControls hotKey, QWidget* parent = nullptr);
    ~TFrmSetup() override;

    // The handlers, named after their controls and events.
    void FormShow();
    void FileListBox2Click();
    void Save1Click();
    void Delete1Click();
    void BtnEditorClick();
    void PBFixedPaint(QPainter& canvas);
    void PBFixedMouseDown(int x, int y);
    void PBFixedClick();
    void Button1Click();
    void Button2Click();
    void BtnHelpClick();

    // One line's height in the strip of marks.
    int SchemaRowHeight() const;
    // The fixed flag of a line index, as the dialog holds it now.
    bool isFixed(int index) const;
    // The editor's lines, encoded as the schema file was.
    std::vector<std::string> editorLines() const;
    TextEncoding schemaEncoding() const { return encoding_; }
    // Where the top of the first visible editor line lies in the strip.
    int markOffset() const;

    QFrame* Panel1;
    TDirectoryListBox* DirectoryListBox2;
    TDriveComboBox* DriveComboBox1;
    TFileListBox* FileListBox2;
    TPaintBox* PBFixed;
    TSchemaMemo* MemoSchema;
    QFrame* Bevel1;
    QLabel* Label2;
    THotKey* HotKey1;
    QLabel* Label1;
    QListWidget* LBCStyle;
    QCheckBox* CBRef;
    QPushButton* BtnEditor;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* BtnHelp;
    QLabel* Label3;
    QMenu* MenuSchema;
    QAction* Save1;
    QAction* Delete1;

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override; // Escape and the window's close answer as Cancel
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString folder() const;
    QString selectedName() const;
    bool loadSchemaFile(const QString& name);
    bool saveSchemaFile(const QString& name);
    void refreshKeepingSelection();
    void toggleFlag(int index);

    WindowServices services_;
    Settings& settings_;
    Schema& schema_;
    Settings shownSettings_; // as they were when the dialog was shown, for Cancel
    HotKeyControls hotKey_;
    std::vector<bool> flags_; // fixed flags by line index, toggled in the dialog
    TextEncoding encoding_ = TextEncoding::Utf8;
    int mouseY_ = 0;
    bool fileClickHandled_ = false;
};

// A schema file name as the dialog saves it: ".cs" appended unless the name's
// extension (from its last ".") is exactly ".cs".
QString withSchemaExtension(const QString& name);

} // namespace qw::desktop
