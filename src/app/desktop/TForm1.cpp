#include "app/desktop/TForm1.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>

#include "app/desktop/TFilesDrop.h"
#include "app/dialogs/DialogLayer.h"
#include "app/dialogs/FileNames.h"
#include "app/dialogs/FormStyle.h"
#include "app/dialogs/TDirectoryListBox.h"
#include "app/dialogs/TDriveComboBox.h"
#include "app/dialogs/TFileListBox.h"
#include "app/dialogs/TFrmSetup.h"

namespace qw::desktop {
namespace {

constexpr const char* kSourceFilter = "*.pas;*.inc;*.dpr";

QPushButton* newButton(const QString& text, QWidget* parent, int y, const char* name) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(344, y, 75, 25);
    return button;
}

// Lower case of the letters A to Z only, as the extension test wants it.
QString asciiLower(QString text) {
    for (QChar& c : text)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + ('a' - 'A'));
    return text;
}

QString extensionOf(const QString& name) {
    const QString fileName =
        name.mid(std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\')) + 1);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? QString() : fileName.mid(dot);
}

} // namespace

bool isDroppableSource(const QString& name) {
    const QString probe = u' ' + asciiLower(extensionOf(name)) + u' ';
    return QStringLiteral(" .pas .dpr .inc ").contains(probe);
}

TForm1::TForm1(const WindowServices& services, ProgramState& state, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      services_(services), state_(state), ui_(services, this),
      drivers_(ui_, passOptionsFor(state, &services.files)) {
    setObjectName(QStringLiteral("Form1"));
    setFont(formFont());
    fixClientSize(*this, 430, 196);
    move(152, 177);

    // Everything the user can act on sits on one surface, which a running
    // command disables as a whole.
    client_ = new QWidget(this);
    client_->setGeometry(0, 0, 430, 196);

    DirectoryListBox1 = new TDirectoryListBox(client_);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setGeometry(8, 8, 145, 157);
    FileListBox1 = new TFileListBox(client_);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->setGeometry(160, 8, 161, 185);
    FileListBox1->setMultiSelect(true);
    DriveComboBox2 = new TDriveComboBox(client_);
    DriveComboBox2->setObjectName(QStringLiteral("DriveComboBox2"));
    DriveComboBox2->setGeometry(8, 173, 145, 19);
    BtnParse = newButton(QStringLiteral("&Parse"), client_, 8, "BtnParse");
    BtnProj = newButton(QStringLiteral("Pr&oject"), client_, 40, "BtnProj");
    BtnClean = newButton(QStringLiteral("&Clean"), client_, 69, "BtnClean");
    BtnSetup = newButton(QStringLiteral("&Setup"), client_, 98, "BtnSetup");
    BtnHelp = newButton(QStringLiteral("&Help"), client_, 127, "BtnHelp");
    BtnExit = newButton(QStringLiteral("E&xit"), client_, 168, "BtnExit");
    BtnParse->setEnabled(false);
    BtnProj->setEnabled(false);
    BtnClean->setEnabled(false);
    FilesDrop1 = new TFilesDrop(this);
    FilesDrop1->setObjectName(QStringLiteral("FilesDrop1"));

    setTabOrder(DirectoryListBox1, FileListBox1);
    setTabOrder(FileListBox1, DriveComboBox2);
    setTabOrder(DriveComboBox2, BtnParse);
    setTabOrder(BtnParse, BtnClean);
    setTabOrder(BtnClean, BtnSetup);
    setTabOrder(BtnSetup, BtnHelp);
    setTabOrder(BtnHelp, BtnExit);
    setTabOrder(BtnExit, BtnProj);

    connect(DirectoryListBox1, &TDirectoryListBox::directoryChanged, this,
            [this](const QString& path) {
                FileListBox1->setDirectory(path); // the buttons keep their state
                DriveComboBox2->showDriveOf(path);
            });
    connect(DriveComboBox2, &TDriveComboBox::driveChanged, this,
            [this](const QString& root) { DirectoryListBox1->setDirectory(root); });
    connect(FileListBox1, &QListWidget::itemSelectionChanged, this, &TForm1::FileListBox1Click);
    connect(FileListBox1, &QListWidget::itemDoubleClicked, this, &TForm1::ParseClick);
    connect(BtnParse, &QPushButton::clicked, this, &TForm1::ParseClick);
    connect(BtnProj, &QPushButton::clicked, this, &TForm1::BtnProjClick);
    connect(BtnClean, &QPushButton::clicked, this, &TForm1::BtnCleanClick);
    connect(BtnSetup, &QPushButton::clicked, this, &TForm1::BtnSetupClick);
    connect(BtnHelp, &QPushButton::clicked, this, &TForm1::BtnHelpClick);
    connect(BtnExit, &QPushButton::clicked, this, &TForm1::BtnExitClick);
    FilesDrop1->OnDropFile = [this](TFilesDrop* sender) {
        FilesDrop1DropFile(sender);
    };
    FilesDrop1->setActive(true);

    FormCreate();
    DirectoryListBox1->setDirectory(QDir::currentPath());
    FileListBox1->setFocus();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    FileListBox1->setMask(QLatin1String(kSourceFilter));
    setWindowTitle(QStringLiteral("Quillwright 1.32"));
}

template <typename Command> void TForm1::runCommand(Command command) {
    if (busy_)
        return;
    busy_ = true;
    // Disabled, the control loses the focus; it gets it back afterwards.
    const QPointer<QWidget> focused = focusWidget();
    client_->setEnabled(false);
    command();
    client_->setEnabled(true);
    busy_ = false;
    if (focused)
        focused->setFocus();
    // The window manager may hand the focus to a window that has just closed
    // (the result window, after its question was answered): the keys must
    // reach this window again.
    if (isVisible()) {
        raise();
        activateWindow();
    }
}

QString TForm1::fullName(const QString& entry) const {
    return QDir(DirectoryListBox1->directory()).filePath(entry);
}

void TForm1::FileListBox1Click() {
    if (busy_)
        return; // the buttons come back as they were when the command ends
    const QStringList selected = FileListBox1->selectedNames();
    const bool any = !selected.isEmpty();
    BtnParse->setEnabled(any);
    BtnClean->setEnabled(any);
    const QListWidgetItem* current = FileListBox1->currentItem();
    BtnProj->setEnabled(selected.size() == 1 && current &&
                        extensionOf(current->text()).toLower() == QStringLiteral(".dpr"));
}

void TForm1::ParseClick() {
    runCommand([this] {
        const int count = FileListBox1->count();
        for (int i = 0; i < count; ++i) {
            const QListWidgetItem* entry = FileListBox1->item(i);
            if (!entry || !entry->isSelected())
                continue;
            std::int32_t comments = 0;
            drivers_.commentFile(toNativeName(fullName(entry->text())), Interaction::ShowResult,
                                 comments);
        }
    });
}

void TForm1::BtnCleanClick() {
    runCommand([this] {
        const int count = FileListBox1->count();
        for (int i = 0; i < count; ++i) {
            const QListWidgetItem* entry = FileListBox1->item(i);
            if (entry && entry->isSelected())
                drivers_.cleanFile(toNativeName(fullName(entry->text())));
        }
    });
}

void TForm1::BtnProjClick() {
    const QListWidgetItem* current = FileListBox1->currentItem();
    if (!current)
        return; // after a change of folder the list may have no current entry
    const std::string project = toNativeName(fullName(current->text()));
    runCommand([this, project] {
        // The units are looked up beside the project file: the current
        // directory may since have moved to the schema folder.
        drivers_.commentProject(project);
    });
}

void TForm1::BtnSetupClick() {
    runCommand([this] {
        TFrmSetup setup(services_, state_.settings, state_.schema, HotKeyControls::Hidden, this);
        services_.dialogs.showModal(setup);
        drivers_.setPassOptions(passOptionsFor(state_, &services_.files));
    });
}

void TForm1::BtnHelpClick() {
    services_.dialogs.showHelp(this);
}

void TForm1::BtnExitClick() {
    close();
}

void TForm1::FilesDrop1DropFile(TFilesDrop* sender) {
    const QStringList names = sender->DroppedFiles;
    runCommand([this, names] {
        for (const QString& name : names) {
            if (!isDroppableSource(name) || QFileInfo(name).isDir())
                continue; // other files and folders are ignored without a message
            std::int32_t comments = 0;
            drivers_.commentFile(toNativeName(name), Interaction::ShowResult, comments);
        }
    });
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (busy_) {
        event->ignore(); // a pass is still using the windows
        return;
    }
    QWidget::closeEvent(event);
}

} // namespace qw::desktop
