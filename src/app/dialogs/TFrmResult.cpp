#include "app/dialogs/TFrmResult.h"

#include <QKeyEvent>

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "app/dialogs/DialogLayer.h"
#include "app/dialogs/FileNames.h"
#include "app/dialogs/FormStyle.h"
#include "app/dialogs/TResultMemo.h"
#include "app/dialogs/WindowServices.h"

namespace qw::desktop {
namespace {

constexpr const char* kAbandonQuestion =
    "Do you really want to abandon the changes?\r\nThe file has not been saved yet.";

QLabel* newPanel(QStatusBar* bar, int width, Qt::Alignment alignment, const QString& text) {
    auto* panel = new QLabel(text, bar);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(alignment | Qt::AlignVCenter);
    if (width > 0) {
        panel->setFixedWidth(width);
        bar->addWidget(panel);
    } else {
        bar->addWidget(panel, 1);
    }
    return panel;
}

TextEncoding encodingOf(const ResultEditor& editor) {
    for (int i = 0; i < editor.count(); ++i)
        if (detectEncoding(editor.line(i)) == TextEncoding::Windows1252)
            return TextEncoding::Windows1252;
    return TextEncoding::Utf8;
}

} // namespace

QString countText(bool countsInsertions, std::int32_t count) {
    QString number = count == 0   ? QStringLiteral("No")
                     : count == 1 ? QStringLiteral("One")
                                  : QString::number(count);
    return number + (countsInsertions ? QStringLiteral(" comments inserted.     ")
                                      : QStringLiteral(" comments removed.     "));
}

QTextCharFormat commentFormat() {
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    format.setFontItalic(true);
    format.setForeground(QColor(0, 0, 0x80)); // navy
    return format;
}

TFrmResult::TFrmResult(const WindowServices& services, QWidget* parent)
    : QDialog(parent), services_(services) {
    setObjectName(QStringLiteral("FrmResult"));
    setFont(formFont());
    setWindowTitle(QStringLiteral("Result:"));
    setSizeGripEnabled(false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(552, 612); // an outer size of 560 x 639 with the frame and title

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(25);
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton),
                              QStringLiteral("&Save"), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(0, 0, 75, 25);
    BitBtn1->setAutoDefault(false);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                              QStringLiteral("E&xit"), Panel1);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(80, 0, 75, 25);
    BitBtn2->setAutoDefault(false);
    Label1 = new QLabel(QStringLiteral("If you save the changes, a *.bak file will be created."),
                        Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setStyleSheet(QStringLiteral("color: red"));
    Label1->move(162, 6);
    Label1->adjustSize();
    layout->addWidget(Panel1);

    Memo2 = new TResultMemo(this);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setFont(editorFont());
    QPalette palette = Memo2->palette();
    palette.setColor(QPalette::Text, Qt::black);
    Memo2->setPalette(palette);
    Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
    // No scroll bars: the view follows the caret.
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo2->setPlainText(QStringLiteral("Memo2"));
    layout->addWidget(Memo2, 1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(20);
    Panels[0] = newPanel(StatusBar1, 90, Qt::AlignHCenter, QStringLiteral(" 1234:123"));
    Panels[1] = newPanel(StatusBar1, 80, Qt::AlignHCenter, QString());
    Panels[2] = newPanel(StatusBar1, 70, Qt::AlignHCenter, QStringLiteral("Insert"));
    SchemaNote = newPanel(StatusBar1, 1, Qt::AlignHCenter, QStringLiteral("No schema: no headers"));
    SchemaNote->setObjectName(QStringLiteral("SchemaNote"));
    SchemaNote->setStyleSheet(QStringLiteral("color: red"));
    SchemaNote->setToolTip(QStringLiteral("No schema could be read: choose one with Setup."));
    SchemaNote->setFixedWidth(SchemaNote->sizeHint().width() + 8);
    SchemaNote->hide();
    Panels[3] = newPanel(StatusBar1, 0, Qt::AlignRight, QStringLiteral("0 comments inserted"));
    layout->addWidget(StatusBar1);

    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(SaveSender::Button); });
    connect(BitBtn2, &QPushButton::clicked, this, &TFrmResult::BitBtn2Click);
    connect(Memo2, &QPlainTextEdit::textChanged, this, &TFrmResult::Memo2Change);
    connect(Memo2, &QPlainTextEdit::cursorPositionChanged, this, &TFrmResult::Memo2SelectionChange);
    connect(Memo2, &QPlainTextEdit::selectionChanged, this, &TFrmResult::Memo2SelectionChange);
    connect(Memo2, &TResultMemo::keyReleased, this, &TFrmResult::Memo2KeyUp);
    Memo2->setFocus();

    // FormCreate
    Saved = false;
    InsertMode = 1;
    centerOnScreen(*this);
}

void TFrmResult::LoadDocument(ResultDocument& document) {
    document_ = &document;
    setWindowTitle(fromNativeName(document.title));
    const ResultEditor& editor = document.editor;
    encoding_ = encodingOf(editor);

    loading_ = true;
    QTextDocument* doc = Memo2->document();
    doc->setUndoRedoEnabled(false);
    Memo2->clear();
    // Built in one pass, each stretch with its format, so that no formatting
    // has to split the text afterwards.
    const QTextCharFormat plain = Memo2->currentCharFormat();
    const QTextCharFormat marked = [&] {
        QTextCharFormat f = plain;
        f.merge(commentFormat());
        return f;
    }();
    std::vector<CommentMark> marks = editor.marks();
    std::sort(marks.begin(), marks.end(), [](const CommentMark& a, const CommentMark& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    std::size_t next = 0;
    for (int i = 0; i < editor.count(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        const std::string_view line = editor.line(i);
        const QString text = decodeText(line, encoding_);
        // Byte columns of the pass become positions in the decoded line.
        auto position = [&](std::size_t byte) {
            return decodedLength(line.substr(0, std::min(byte, line.size())), encoding_);
        };
        int done = 0;
        while (next < marks.size() && marks[next].line < i)
            ++next;
        for (; next < marks.size() && marks[next].line == i; ++next) {
            const auto column = static_cast<std::size_t>(marks[next].column);
            const int from = std::max(done, position(column));
            const int to = position(column + static_cast<std::size_t>(marks[next].length));
            if (to <= from)
                continue;
            if (from > done)
                cursor.insertText(text.mid(done, from - done), plain);
            cursor.insertText(text.mid(from, to - from), marked);
            done = to;
        }
        if (done < text.size())
            cursor.insertText(text.mid(done), plain);
    }
    cursor.endEditBlock();
    doc->setUndoRedoEnabled(true);
    doc->setModified(false);
    Memo2->moveCursor(QTextCursor::Start);
    loading_ = false;
    edited_ = false;

    CountsInsertions = document.counts == CountKind::Insertions;
    SchemaNote->setVisible(document.withoutSchema);
    ShowCount(document.commentCount);
    BitBtn1->setEnabled(document.saveButton == SaveButton::Enabled);
}

void TFrmResult::ShowCount(std::int32_t count) {
    CommentCount = count;
    Panels[3]->setText(countText(CountsInsertions, count));
}

SaveResult TFrmResult::BitBtn1Click(SaveSender sender) {
    if (!document_)
        return SaveResult{false, "Cannot create file ", "there is no result to save", {}};
    copyTextToDocument();
    SaveResult saved = saveResultDocument(services_.files, *document_);
    if (!saved) {
        if (sender == SaveSender::Button)
            services_.dialogs.showError(this, fromNativeName(saved.message),
                                        fromNativeName(saved.reason));
        return saved;
    }
    if (sender == SaveSender::Button) {
        Saved = true;
        close();
    }
    return saved;
}

void TFrmResult::BitBtn2Click() {
    close();
}

bool TFrmResult::FormCloseQuery() {
    if (Saved || !BitBtn1->isEnabled() || (CommentCount == 0 && !Memo2->document()->isModified()))
        return true;
    const Message question{MessageId::AbandonChanges,
                           DialogKind::Confirmation,
                           kAbandonQuestion,
                           {Button::Yes, Button::No},
                           {},
                           0};
    return services_.dialogs.ask(this, question) == Button::Yes;
}

void TFrmResult::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TFrmResult::FormShow() {
    Memo2->document()->setModified(false);
    Panels[1]->clear();
    Memo2->setFocus();
}

void TFrmResult::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept(); // the window has no cancel button
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFrmResult::reject() {
    if (FormCloseQuery())
        QDialog::reject();
}

void TFrmResult::Memo2Change() {
    if (loading_)
        return;
    edited_ = true;
    if (!isVisible())
        return; // the pass's own changes leave the panel alone
    Panels[1]->setText(Memo2->document()->isModified() ? QStringLiteral("Modified") : QString());
}

void TFrmResult::Memo2SelectionChange() {
    const QTextCursor cursor = Memo2->textCursor();
    const int start = cursor.selectionStart();
    const QTextBlock block = Memo2->document()->findBlock(start);
    Panels[0]->setText(
        QStringLiteral("%1:%2").arg(block.blockNumber()).arg(start - block.position()));
}

void TFrmResult::Memo2KeyUp(int key, bool toggledMode) {
    if (key == Qt::Key_Insert && toggledMode)
        InsertMode = InsertMode == 0 ? 1 : 0;
    Panels[2]->setText(InsertMode == 0 ? QStringLiteral("Overwrite") : QStringLiteral("Insert"));
}

void TFrmResult::copyTextToDocument() {
    if (!edited_)
        return; // untouched: the pass's own lines, byte for byte
    ResultEditor& editor = document_->editor;
    editor.clear();
    for (QTextBlock block = Memo2->document()->begin(); block.isValid(); block = block.next())
        editor.append(encodeText(block.text(), encoding_));
    edited_ = false;
}

} // namespace qw::desktop
