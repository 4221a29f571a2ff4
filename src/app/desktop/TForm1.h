#pragma once

#include <QWidget>

#include <memory>

#include "app/dialogs/ProgramState.h"
#include "app/dialogs/WindowDriverUi.h"
#include "app/dialogs/WindowServices.h"
#include "drivers/Drivers.h"

class QPushButton;

namespace qw::desktop {

class TDirectoryListBox;
class TDriveComboBox;
class TFileListBox;
class TFilesDrop;

// The main window of Quillo: browse drives and folders, select source files
// and comment them (Parse, also on a double click or a drop of files), walk a
// project (Project), strip their comments (Clean); open the setup dialog and
// the help. While a command runs, the window's controls are disabled, so
// that runs never overlap.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    TForm1(const WindowServices& services, ProgramState& state, QWidget* parent = nullptr);
    ~TForm1() override;

    void FormCreate();
    void FileListBox1Click();
    void ParseClick();
    void BtnProjClick();
    void BtnCleanClick();
    void BtnSetupClick();
    void BtnHelpClick();
    void BtnExitClick();
    void FilesDrop1DropFile(TFilesDrop* sender);

    // A command is running.
    bool busy() const { return busy_; }
    Drivers& drivers() { return drivers_; }
    WindowDriverUi& driverUi() { return ui_; }

    TDirectoryListBox* DirectoryListBox1;
    TFileListBox* FileListBox1;
    TDriveComboBox* DriveComboBox2;
    QPushButton* BtnParse;
    QPushButton* BtnProj;
    QPushButton* BtnClean;
    QPushButton* BtnSetup;
    QPushButton* BtnHelp;
    QPushButton* BtnExit;
    TFilesDrop* FilesDrop1;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QString fullName(const QString& entry) const;
    // Runs a command with the window's controls disabled; refused while
    // another one runs.
    template <typename Command> void runCommand(Command command);

    WindowServices services_;
    ProgramState& state_;
    WindowDriverUi ui_;
    Drivers drivers_;
    QWidget* client_;
    bool busy_ = false;
};

// The drop filter: a name whose extension (from the last "." of its file
// name, letters A to Z lower-cased) is ".pas", ".dpr" or ".inc".
bool isDroppableSource(const QString& name);

} // namespace qw::desktop
