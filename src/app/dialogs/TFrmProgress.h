#pragma once

#include <QDialog>

#include <chrono>
#include <cstdint>
#include <functional>

#include "engine/Progress.h"

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

namespace qw::desktop {

// The small modeless window of one pass: lines read, comments so far, a bar
// by bytes, and Abort. Its counters are the pass's `Progress`; the window
// exists for exactly one pass, and only its creator destroys it: a close
// request (the window manager's close, Alt+F4) is ignored.
class TFrmProgress : public QDialog {
    Q_OBJECT
public:
    // Clears the counters and the abort flag of `progress`; `totalBytes`
    // stays as the driver set it.
    explicit TFrmProgress(Progress& progress, QWidget* parent = nullptr);

    std::int32_t CommentCount() const { return progress_.commentCount; }
    std::int32_t LineCount() const { return progress_.lineCount; }
    std::int32_t BytesDone() const { return progress_.bytesDone; }
    std::int32_t TotalBytes() const { return progress_.totalBytes; }

    // One line has been read and counted: shows the counters and the bar,
    // then handles every pending event (which is how Abort reaches the pass).
    // A pass reads many thousands of lines a second, and the window system
    // needs its turn far less often: after the first line this happens only
    // once `eventInterval` has passed since it last did.
    void LineProcessed();

    // A clock in milliseconds; tests hand in their own.
    using Clock = std::function<std::int64_t()>;
    static constexpr std::chrono::milliseconds kEventInterval{20};
    void setEventPace(std::chrono::milliseconds interval, Clock clock);
    // Sets the abort flag; the window stays open.
    void BtnAbortClick();

    QFrame* Panel1;
    QLabel* Label1;
    QLabel* Label2;
    QProgressBar* ProgressBar1;
    QPushButton* BtnAbort;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override; // Escape presses Abort

private:
    Progress& progress_;
    std::chrono::milliseconds eventInterval_ = kEventInterval;
    Clock clock_;
    std::int64_t lastEvents_ = 0;
    bool handledEvents_ = false;
};

// The bar's position: bytes done against the file's size, in percent
// (truncated), at most 100.
int progressPercent(std::int32_t bytesDone, std::int32_t totalBytes);

} // namespace qw::desktop
