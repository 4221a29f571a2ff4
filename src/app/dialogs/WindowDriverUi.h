#pragma once

#include <QPointer>

#include "app/dialogs/WindowServices.h"
#include "drivers/DriverUi.h"

class QWidget;

namespace qw::desktop {

class TFrmProgress;

// The drivers' user interface in windows: a progress window per pass, the
// result window shown modally, the project report, message boxes and the
// general error display. Windows belong to `owner` (the main window; none in
// the plug-in) and are created for one use.
class WindowDriverUi final : public DriverUi {
public:
    WindowDriverUi(const WindowServices& services, QWidget* owner);
    ~WindowDriverUi() override;

    void openProgress(const std::string& title, Progress& progress) override;
    void lineProcessed(Progress& progress) override;
    void closeProgress() override;
    Button ask(const Message& message) override;
    void showResult(ResultDocument& result) override;
    SaveResult saveResult(const ResultDocument& result) override;
    void showReport(const ProjectReport& report) override;
    void showError(const std::string& text, const std::string& reason) override;

    // The progress window of the pass in progress; none between passes.
    TFrmProgress* progressWindow() const { return progress_; }

private:
    WindowServices services_;
    QPointer<QWidget> owner_;
    TFrmProgress* progress_ = nullptr;
};

} // namespace qw::desktop
