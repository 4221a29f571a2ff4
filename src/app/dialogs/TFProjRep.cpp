#include "app/dialogs/TFProjRep.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTextOption>

#include <algorithm>

#include "app/dialogs/EditorLaunch.h"
#include "app/dialogs/FileNames.h"
#include "app/dialogs/FormStyle.h"
#include "app/dialogs/TextEditorCommand.h"
#include "app/dialogs/WindowServices.h"
#include "drivers/ProjectReport.h"

namespace qw::desktop {
namespace {

// Draws a line's TAB as a jump to the list's tab stop.
class TabStopDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        opt.widget->style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        const bool selected = opt.state & QStyle::State_Selected;
        painter->save();
        painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        QTextOption textOption(Qt::AlignLeft | Qt::AlignVCenter);
        textOption.setWrapMode(QTextOption::NoWrap);
        textOption.setTabArray({kReportTabStop});
        painter->drawText(QRectF(opt.rect.adjusted(2, 0, 0, 0)), text, textOption);
        painter->restore();
    }
};

QString reportText(const QString& fileName, std::int32_t count) {
    return fileName + u'\t' + QString::number(count);
}

} // namespace

TFProjRep::TFProjRep(const WindowServices& services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      services_(services) {
    setObjectName(QStringLiteral("FProjRep"));
    setFont(formFont());
    setWindowTitle(QStringLiteral("Project report"));
    fixClientSize(*this, 385, 208);

    Label1 = new QLabel(QStringLiteral("&Filename"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(8, 8);
    Label2 = new QLabel(QStringLiteral("Comments"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Right-aligned at 377: a font wider than the layout's grows it leftwards.
    const int labelWidth = std::max(49, Label2->sizeHint().width());
    Label2->setGeometry(377 - labelWidth, 8, labelWidth, 16);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 24, 369, 137);
    ListBox1->setItemDelegate(new TabStopDelegate(ListBox1));
    Label1->setBuddy(ListBox1);
    Button2 = new QPushButton(QStringLiteral("&Edit"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(211, 175, 75, 25);
    Button2->setEnabled(false);
    Button2->setAutoDefault(false);
    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(299, 176, 75, 25);
    Button1->setDefault(true);

    // A click, or a choice by keyboard, selects a line. Taking the focus only
    // gives the list a current line without selecting it, which is no choice.
    connect(ListBox1, &QListWidget::itemClicked, this, &TFProjRep::ListBox1Click);
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, [this] {
        if (!ListBox1->selectedItems().isEmpty())
            ListBox1Click();
    });
    connect(Button2, &QPushButton::clicked, this, &TFProjRep::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    centerOnScreen(*this);
}

void TFProjRep::AddEntry(const QString& fileName, std::int32_t count, const QString& path) {
    ListBox1->addItem(reportText(fileName, count));
    paths_.push_back(path);
}

void TFProjRep::AddEntries(const ProjectReport& report) {
    for (const ReportEntry& entry : report.entries())
        AddEntry(fromNativeName(entry.name), entry.count, fromNativeName(entry.path));
}

void TFProjRep::ListBox1Click() {
    Button2->setEnabled(true);
}

void TFProjRep::Button2Click() {
    const int row = ListBox1->currentRow();
    if (row < 0)
        return;
    QString file = paths_[static_cast<std::size_t>(row)];
    if (file.isEmpty()) {
        const QString line = ListBox1->item(row)->text();
        const qsizetype tab = line.lastIndexOf(u'\t');
        file = tab < 0 ? line : line.left(tab);
    }
    openInTextEditor(services_, this, file, EditorWait::No);
}

} // namespace qw::desktop
