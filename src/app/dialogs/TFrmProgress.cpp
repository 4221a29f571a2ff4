#include "app/dialogs/TFrmProgress.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <memory>

#include "app/dialogs/FormStyle.h"

namespace qw::desktop {

int progressPercent(std::int32_t bytesDone, std::int32_t totalBytes) {
    const std::int64_t whole = totalBytes > 0 ? totalBytes : 1;
    const std::int64_t percent = static_cast<std::int64_t>(bytesDone) * 100 / whole;
    return static_cast<int>(percent > 100 ? 100 : (percent < 0 ? 0 : percent));
}

TFrmProgress::TFrmProgress(Progress& progress, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      progress_(progress) {
    setObjectName(QStringLiteral("FrmProgress"));
    setFont(formFont());
    setWindowTitle(QStringLiteral("Progress"));
    fixClientSize(*this, 178, 126);
    titleBarWithoutButtons(*this);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setGeometry(8, 8, 161, 81);
    Label1 = new QLabel(QStringLiteral("-"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 8, 145, 16);
    Label2 = new QLabel(QStringLiteral("0 comments inserted."), Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(8, 32, 145, 16);
    ProgressBar1 = new QProgressBar(Panel1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(8, 56, 145, 17);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    BtnAbort = new QPushButton(QStringLiteral("&Abort"), this);
    BtnAbort->setObjectName(QStringLiteral("BtnAbort"));
    BtnAbort->setGeometry(51, 96, 75, 25);
    BtnAbort->setDefault(true);
    BtnAbort->setFocus();
    connect(BtnAbort, &QPushButton::clicked, this, &TFrmProgress::BtnAbortClick);

    // FormCreate
    progress_.commentCount = 0;
    progress_.lineCount = 0;
    progress_.bytesDone = 0;
    progress_.abortRequested = false;
    centerOnScreen(*this);

    clock_ = [timer = std::make_shared<QElapsedTimer>()] {
        if (!timer->isValid())
            timer->start();
        return static_cast<std::int64_t>(timer->elapsed());
    };
}

void TFrmProgress::setEventPace(std::chrono::milliseconds interval, Clock clock) {
    eventInterval_ = interval;
    clock_ = std::move(clock);
}

void TFrmProgress::LineProcessed() {
    const std::int64_t now = clock_();
    if (handledEvents_ && now - lastEvents_ < eventInterval_.count())
        return;
    handledEvents_ = true;
    lastEvents_ = now;
    Label1->setText(QString::number(progress_.lineCount) + QStringLiteral(" lines processed."));
    Label2->setText(QString::number(progress_.commentCount) + QStringLiteral(" comments."));
    ProgressBar1->setValue(progressPercent(progress_.bytesDone, progress_.totalBytes));
    QCoreApplication::processEvents();
}

void TFrmProgress::BtnAbortClick() {
    progress_.abortRequested = true;
}

void TFrmProgress::closeEvent(QCloseEvent* event) {
    event->ignore(); // the pass still uses the window; its driver destroys it
}

void TFrmProgress::reject() {
    BtnAbort->click();
}

} // namespace qw::desktop
