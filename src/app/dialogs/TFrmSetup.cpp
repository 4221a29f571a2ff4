#include "app/dialogs/TFrmSetup.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTextBlock>

#include "app/dialogs/DialogLayer.h"
#include "app/dialogs/EditorLaunch.h"
#include "app/dialogs/FileNames.h"
#include "app/dialogs/FormStyle.h"
#include "app/dialogs/ProgramLauncher.h"
#include "app/dialogs/SchemaPictures.h"
#include "app/dialogs/TDirectoryListBox.h"
#include "app/dialogs/TDriveComboBox.h"
#include "app/dialogs/TFileListBox.h"
#include "app/dialogs/THotKey.h"
#include "app/dialogs/TPaintBox.h"
#include "app/dialogs/TSchemaMemo.h"
#include "app/dialogs/TextEditorCommand.h"
#include "platform/FileSystem.h"
#include "schema/SchemaFile.h"

namespace qw::desktop {
namespace {

constexpr const char* kSaveCaption = "Save schema file";
constexpr const char* kModifiedPrompt = "The schema was modified. Do you want to save it?";
constexpr const char* kNamePrompt = "Please enter a file name:";
constexpr const char* kDeleteQuestion = "Do you really want to delete the selected schema?";

QString folderWithoutSeparator(const std::string& folder) {
    QString path = fromNativeName(folder);
    while (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\')))
        path.chop(1);
    return path;
}

// Writes through a temporary file beside the target, so that a failed write
// leaves the old schema as it was.
IoResult writeWhole(FileSystem& fs, const std::string& path, const std::string& bytes) {
    const std::string temporary = temporaryNameBeside(fs, path);
    if (temporary.empty())
        return fs.writeFile(path, bytes);
    if (IoResult written = fs.writeFile(temporary, bytes); !written) {
        fs.removeFile(temporary);
        return written;
    }
    IoResult renamed = fs.renameFile(temporary, path);
    if (!renamed)
        fs.removeFile(temporary);
    return renamed;
}

QLabel* newLabel(const QString& text, QWidget* parent, int x, int y, const char* name) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}

QPushButton* newButton(const QString& text, QWidget* parent, QRect geometry, const char* name) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

} // namespace

QString withSchemaExtension(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    const qsizetype separator = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    const QString extension = dot > separator ? name.mid(dot) : QString();
    return extension == QStringLiteral(".cs") ? name : name + QStringLiteral(".cs");
}

TFrmSetup::TFrmSetup(const WindowServices& services, Settings& settings, Schema& schema,
                     HotKeyControls hotKey, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      services_(services), settings_(settings), schema_(schema), shownSettings_(settings),
      hotKey_(hotKey) {
    setObjectName(QStringLiteral("FrmSetup"));
    setFont(formFont());
    fixClientSize(*this, 567, 313);
    titleBarWithoutButtons(*this);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(5, 4, 558, 264);

    DirectoryListBox2 = new TDirectoryListBox(Panel1);
    DirectoryListBox2->setObjectName(QStringLiteral("DirectoryListBox2"));
    DirectoryListBox2->setGeometry(7, 7, 145, 130);
    DriveComboBox1 = new TDriveComboBox(Panel1);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setGeometry(7, 141, 145, 19);
    FileListBox2 = new TFileListBox(Panel1);
    FileListBox2->setObjectName(QStringLiteral("FileListBox2"));
    FileListBox2->setGeometry(159, 7, 97, 130);
    FileListBox2->setMask(QStringLiteral("*.cs"));
    FileListBox2->setMultiSelect(false);
    PBFixed = new TPaintBox(Panel1);
    PBFixed->setObjectName(QStringLiteral("PBFixed"));
    PBFixed->setGeometry(264, 10, 17, 245);
    MemoSchema = new TSchemaMemo(Panel1);
    MemoSchema->setObjectName(QStringLiteral("MemoSchema"));
    MemoSchema->setGeometry(280, 7, 271, 249);
    MemoSchema->setFont(editorFont());
    QPalette memoPalette = MemoSchema->palette();
    memoPalette.setColor(QPalette::Text, Qt::black);
    MemoSchema->setPalette(memoPalette);
    MemoSchema->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoSchema->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoSchema->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The first line starts level with the strip of marks beside the editor.
    MemoSchema->document()->setDocumentMargin(std::max(0, 10 - 7 - MemoSchema->frameWidth()));
    Bevel1 = new QFrame(Panel1);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel1->setGeometry(0, 168, 265, 2); // its top line only
    Label2 = newLabel(QStringLiteral("Hot&key for \"Comment!\""), Panel1, 8, 173, "Label2");
    HotKey1 = new THotKey(Panel1);
    HotKey1->setObjectName(QStringLiteral("HotKey1"));
    HotKey1->setGeometry(8, 189, 145, 19);
    HotKey1->setToolTip(QStringLiteral("set the hotkey for the IDE"));
    Label2->setBuddy(HotKey1);
    Label1 = newLabel(QStringLiteral("&Style for begin/ end"), Panel1, 160, 173, "Label1");
    // The strip of marks begins at 264: in a font wider than the layout's the
    // label is set smaller, so that no mark is painted over its end.
    QFont labelFont = Label1->font();
    while (QFontMetrics(labelFont).horizontalAdvance(QStringLiteral("Style for begin/ end")) >
               102 &&
           labelFont.pointSizeF() > 6)
        labelFont.setPointSizeF(labelFont.pointSizeF() - 0.5);
    Label1->setFont(labelFont);
    Label1->adjustSize();
    LBCStyle = new QListWidget(Panel1);
    LBCStyle->setObjectName(QStringLiteral("LBCStyle"));
    LBCStyle->setGeometry(159, 190, 97, 67);
    LBCStyle->addItems({QStringLiteral("<no comment>"), QStringLiteral("// function"),
                        QStringLiteral("{ function }"), QStringLiteral("(* function *)")});
    Label1->setBuddy(LBCStyle);
    CBRef = new QCheckBox(QStringLiteral("Cross-&reference"), Panel1);
    CBRef->setObjectName(QStringLiteral("CBRef"));
    CBRef->setGeometry(8, 240, 97, 17);
    CBRef->adjustSize();

    QPixmap pencil = QPixmap::fromImage(services_.pictures.writeImage());
    pencil.setMask(QBitmap::fromImage(
        services_.pictures.writeMask().convertToFormat(QImage::Format_Mono, Qt::ThresholdDither)));
    BtnEditor = newButton(QStringLiteral("&Edit"), this, QRect(168, 144, 89, 25), "BtnEditor");
    BtnEditor->setIcon(QIcon(pencil));
    BtnEditor->raise(); // over the panel
    Button1 = newButton(QStringLiteral("&Ok"), this, QRect(304, 280, 75, 25), "Button1");
    Button2 = newButton(QStringLiteral("&Cancel"), this, QRect(392, 280, 75, 25), "Button2");
    BtnHelp = newButton(QStringLiteral("&Help"), this, QRect(480, 280, 75, 25), "BtnHelp");
    Label3 =
        newLabel(QStringLiteral("The list of files has a popup-menu!"), this, 8, 296, "Label3");
    Label3->setStyleSheet(QStringLiteral("color: red"));

    MenuSchema = new QMenu(this);
    MenuSchema->setObjectName(QStringLiteral("MenuSchema"));
    Save1 = MenuSchema->addAction(QStringLiteral("&Save as..."));
    Save1->setObjectName(QStringLiteral("Save1"));
    Save1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    Save1->setShortcutContext(Qt::WidgetShortcut);
    Delete1 = MenuSchema->addAction(QStringLiteral("&Delete"));
    Delete1->setObjectName(QStringLiteral("Delete1"));
    FileListBox2->addAction(Save1); // Ctrl+S while the list has the focus
    FileListBox2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FileListBox2, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        MenuSchema->popup(FileListBox2->viewport()->mapToGlobal(at));
    });
    connect(Save1, &QAction::triggered, this, &TFrmSetup::Save1Click);
    connect(Delete1, &QAction::triggered, this, &TFrmSetup::Delete1Click);

    connect(DirectoryListBox2, &TDirectoryListBox::directoryChanged, this,
            [this](const QString& path) {
                FileListBox2->setDirectory(path);
                DriveComboBox1->showDriveOf(path);
            });
    connect(DriveComboBox1, &TDriveComboBox::driveChanged, this,
            [this](const QString& root) { DirectoryListBox2->setDirectory(root); });
    // A click loads the schema, also a click on the entry already selected;
    // a choice by keyboard counts as a click.
    connect(FileListBox2, &QListWidget::itemSelectionChanged, this, [this] {
        fileClickHandled_ = true;
        FileListBox2Click();
    });
    connect(FileListBox2, &QListWidget::itemClicked, this, [this] {
        if (!fileClickHandled_)
            FileListBox2Click();
        fileClickHandled_ = false;
    });
    connect(BtnEditor, &QPushButton::clicked, this, &TFrmSetup::BtnEditorClick);
    connect(Button1, &QPushButton::clicked, this, &TFrmSetup::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFrmSetup::Button2Click);
    connect(BtnHelp, &QPushButton::clicked, this, &TFrmSetup::BtnHelpClick);

    PBFixed->OnPaint = [this](QPainter& canvas) {
        PBFixedPaint(canvas);
    };
    PBFixed->OnMouseDown = [this](int x, int y) {
        PBFixedMouseDown(x, y);
    };
    PBFixed->OnClick = [this] {
        PBFixedClick();
    };

    // FormCreate: the marks follow every repaint of the editor, so that they
    // keep up with scrolling and editing.
    setWindowTitle(QStringLiteral("Quillwright 1.32 - Setup"));
    MemoSchema->viewport()->installEventFilter(this);
    MemoSchema->document()->setModified(false); // the margin counted as an edit
    centerOnScreen(*this);
}

TFrmSetup::~TFrmSetup() {
    MemoSchema->viewport()->removeEventFilter(this);
}

bool TFrmSetup::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MemoSchema->viewport() && event->type() == QEvent::Paint)
        PBFixed->update();
    return QDialog::eventFilter(watched, event);
}

void TFrmSetup::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFrmSetup::FormShow() {
    shownSettings_ = settings_;
    if (!DirectoryListBox2->setDirectory(folderWithoutSeparator(settings_.schemaDirectory)))
        DirectoryListBox2->setDirectory(QDir::currentPath());
    if (!FileListBox2->selectName(fromNativeName(settings_.schemaName)) &&
        FileListBox2->count() > 0)
        FileListBox2->selectName(FileListBox2->item(0)->text());
    FileListBox2Click();
    LBCStyle->setCurrentRow(settings_.endCommentStyle);
    HotKey1->setHotKey(settings_.commentHotKey);
    CBRef->setChecked(settings_.crossReference == CrossReference::On);
    const bool showHotKey = hotKey_ == HotKeyControls::Shown;
    Label2->setVisible(showHotKey);
    HotKey1->setVisible(showHotKey);
}

QString TFrmSetup::folder() const {
    return DirectoryListBox2->directory();
}

QString TFrmSetup::selectedName() const {
    const QStringList names = FileListBox2->selectedNames();
    return names.isEmpty() ? QString() : names.front();
}

void TFrmSetup::FileListBox2Click() {
    settings_.schemaDirectory = toNativeName(folder());
    if (MemoSchema->document()->isModified()) {
        const auto name = services_.dialogs.askText(this, QLatin1String(kSaveCaption),
                                                    QLatin1String(kModifiedPrompt),
                                                    fromNativeName(settings_.schemaName));
        if (name) {
            const QString file = withSchemaExtension(*name);
            settings_.schemaName = toNativeName(file);
            if (!saveSchemaFile(file))
                return; // the edits stay in the editor
            MemoSchema->document()->setModified(false);
            refreshKeepingSelection();
        }
    }
    const QString selected = selectedName();
    if (selected.isEmpty())
        return;
    settings_.schemaName = toNativeName(selected);
    loadSchemaFile(selected);
}

bool TFrmSetup::loadSchemaFile(const QString& name) {
    const std::string path = toNativeName(QDir(folder()).filePath(name));
    std::string bytes;
    if (IoResult read = services_.files.readFile(path, bytes); !read) {
        services_.dialogs.showError(this,
                                    QStringLiteral("Cannot open file ") + fromNativeName(path),
                                    fromNativeName(read.error));
        return false;
    }
    encoding_ = detectEncoding(bytes);
    const Schema loaded = loadSchema(bytes);
    flags_ = loaded.fixed;
    QStringList lines;
    for (const std::string& line : loaded.lines)
        lines << decodeText(line, encoding_);
    MemoSchema->setPlainText(lines.join(u'\n'));
    MemoSchema->document()->setModified(false);
    PBFixed->update();
    return true;
}

bool TFrmSetup::saveSchemaFile(const QString& name) {
    Schema saved;
    saved.lines = editorLines();
    saved.fixed.resize(saved.lines.size());
    for (std::size_t i = 0; i < saved.lines.size(); ++i)
        saved.fixed[i] = isFixed(static_cast<int>(i));
    const std::string path = toNativeName(QDir(folder()).filePath(name));
    if (IoResult written = writeWhole(services_.files, path, schemaFileText(saved)); !written) {
        services_.dialogs.showError(this,
                                    QStringLiteral("Cannot create file ") + fromNativeName(path),
                                    fromNativeName(written.error));
        return false;
    }
    return true;
}

void TFrmSetup::refreshKeepingSelection() {
    const QString selected = selectedName();
    FileListBox2->refresh();
    if (!selected.isEmpty())
        FileListBox2->selectName(selected);
}

std::vector<std::string> TFrmSetup::editorLines() const {
    std::vector<std::string> lines;
    const QTextDocument* doc = MemoSchema->document();
    if (doc->isEmpty())
        return lines; // an empty editor holds no line, not one empty line
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        lines.push_back(encodeText(block.text(), encoding_));
    return lines;
}

void TFrmSetup::Save1Click() {
    const auto name =
        services_.dialogs.askText(this, QLatin1String(kSaveCaption), QLatin1String(kNamePrompt),
                                  fromNativeName(settings_.schemaName));
    if (!name)
        return;
    const QString file = withSchemaExtension(*name);
    settings_.schemaName = toNativeName(file);
    if (!saveSchemaFile(file))
        return;
    MemoSchema->document()->setModified(false);
    refreshKeepingSelection();
}

void TFrmSetup::Delete1Click() {
    const Message question{MessageId::DeleteSchema,
                           DialogKind::Confirmation,
                           kDeleteQuestion,
                           {Button::Yes, Button::No},
                           {},
                           0};
    if (services_.dialogs.ask(this, question) != Button::Yes)
        return;
    const QString selected = selectedName();
    if (selected.isEmpty())
        return; // nothing selected: ignored, as every failure here
    services_.files.removeFile(toNativeName(QDir(folder()).filePath(selected)));
    FileListBox2->refresh();
}

void TFrmSetup::BtnEditorClick() {
    if (selectedName().isEmpty())
        return;
    const QString name = fromNativeName(settings_.schemaName);
    const QString path = QDir(folder()).filePath(name);
    // An editor that could not be started changed nothing: the dialog's
    // editor keeps what it shows.
    if (openInTextEditor(services_, this, path, EditorWait::UntilClosed))
        loadSchemaFile(name);
}

int TFrmSetup::SchemaRowHeight() const {
    // One line of the editor: what "3 minus the font's height" gives for the
    // 8-point font where the editor's lines are 14 pixels high.
    return std::max(1, MemoSchema->lineHeight());
}

int TFrmSetup::markOffset() const {
    return MemoSchema->firstLineTop(PBFixed);
}

bool TFrmSetup::isFixed(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < flags_.size() &&
           flags_[static_cast<std::size_t>(index)];
}

void TFrmSetup::PBFixedPaint(QPainter& canvas) {
    const int row = SchemaRowHeight();
    const int first = MemoSchema->firstVisibleLine();
    const int offset = markOffset();
    const int lines = MemoSchema->document()->isEmpty() ? 0 : MemoSchema->document()->blockCount();
    const int last = first + MemoSchema->height() / row;
    for (int line = first; line <= last && line < lines; ++line) {
        const QPoint at(2, (line - first) * row + offset);
        services_.pictures.draw(
            canvas, at, isFixed(line) ? SchemaPictures::Mark::Fixed : SchemaPictures::Mark::Free);
    }
}

void TFrmSetup::PBFixedMouseDown(int, int y) {
    mouseY_ = y;
}

void TFrmSetup::PBFixedClick() {
    const int offsetY = mouseY_ - markOffset();
    if (offsetY < 0)
        return; // above the first visible line
    toggleFlag(MemoSchema->firstVisibleLine() + offsetY / SchemaRowHeight());
    PBFixed->update();
    MemoSchema->document()->setModified(true);
}

void TFrmSetup::toggleFlag(int index) {
    // No test against the number of lines: the flag belongs to the index,
    // which a later line may take.
    const auto at = static_cast<std::size_t>(index);
    if (at >= flags_.size())
        flags_.resize(at + 1, false);
    flags_[at] = !flags_[at];
}

void TFrmSetup::Button1Click() {
    if (LBCStyle->currentRow() >= 0)
        settings_.endCommentStyle = static_cast<std::uint8_t>(LBCStyle->currentRow());
    if (MemoSchema->document()->isModified())
        FileListBox2Click();
    settings_.commentHotKey = HotKey1->hotKey();
    schema_.lines = editorLines();
    schema_.fixed.assign(schema_.lines.size(), false);
    for (std::size_t i = 0; i < schema_.lines.size(); ++i)
        schema_.fixed[i] = isFixed(static_cast<int>(i));
    settings_.crossReference = CBRef->isChecked() ? CrossReference::On : CrossReference::Off;
    accept();
}

void TFrmSetup::Button2Click() {
    settings_ = shownSettings_;
    QDialog::reject();
}

void TFrmSetup::reject() {
    Button2Click();
}

void TFrmSetup::BtnHelpClick() {
    services_.dialogs.showHelp(this);
}

} // namespace qw::desktop
