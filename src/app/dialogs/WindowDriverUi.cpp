#include "app/dialogs/WindowDriverUi.h"

#include "app/dialogs/DialogLayer.h"
#include "app/dialogs/FileNames.h"
#include "app/dialogs/TFProjRep.h"
#include "app/dialogs/TFrmProgress.h"
#include "app/dialogs/TFrmResult.h"
#include "drivers/ProjectReport.h"

namespace qw::desktop {

WindowDriverUi::WindowDriverUi(const WindowServices& services, QWidget* owner)
    : services_(services), owner_(owner) {}

WindowDriverUi::~WindowDriverUi() {
    delete progress_;
}

void WindowDriverUi::openProgress(const std::string& title, Progress& progress) {
    delete progress_;
    progress_ = new TFrmProgress(progress, owner_);
    progress_->setWindowTitle(fromNativeName(title));
    progress_->show(); // modeless: the pass runs meanwhile
}

void WindowDriverUi::lineProcessed(Progress&) {
    if (progress_)
        progress_->LineProcessed();
}

void WindowDriverUi::closeProgress() {
    delete progress_;
    progress_ = nullptr;
}

Button WindowDriverUi::ask(const Message& message) {
    // During a pass its questions stand over the progress window.
    QWidget* parent = progress_ ? static_cast<QWidget*>(progress_) : owner_.data();
    return services_.dialogs.ask(parent, message);
}

void WindowDriverUi::showResult(ResultDocument& result) {
    TFrmResult window(services_, owner_);
    window.LoadDocument(result);
    services_.dialogs.showModal(window);
}

SaveResult WindowDriverUi::saveResult(const ResultDocument& result) {
    return saveResultDocument(services_.files, result);
}

void WindowDriverUi::showReport(const ProjectReport& report) {
    TFProjRep window(services_, owner_);
    window.AddEntries(report);
    services_.dialogs.showModal(window);
}

void WindowDriverUi::showError(const std::string& text, const std::string& reason) {
    services_.dialogs.showError(owner_, fromNativeName(text), fromNativeName(reason));
}

} // namespace qw::desktop
