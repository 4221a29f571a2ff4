#include "ScriptedUi.h"

namespace qw::test {

void ScriptedUi::openProgress(const std::string& title, Progress& progress) {
    progressTitle_ = title;
    linesSeen = 0;
    calls.push_back("progress " + title + " " + std::to_string(progress.totalBytes));
}

void ScriptedUi::lineProcessed(Progress& progress) {
    ++linesSeen;
    if (abortLine_ > 0 && progressTitle_ == abortTitle_ && linesSeen >= abortLine_)
        progress.abortRequested = true;
    if (duringPass) {
        const auto handler = duringPass; // the handler may replace itself
        handler();
    }
}

void ScriptedUi::closeProgress() {
    calls.push_back("close");
}

Button ScriptedUi::ask(const Message& message) {
    messages.push_back(message);
    const auto it = answers_.find(message.text);
    Button b = it != answers_.end()      ? it->second
               : message.buttons.empty() ? Button::Ok
                                         : message.buttons.front();
    calls.push_back(std::string("ask ") + dialogTitle(message.kind) + " " + message.text + " -> " +
                    buttonName(b));
    return b;
}

void ScriptedUi::showResult(ResultDocument& result) {
    calls.push_back("show " + result.title + " " + std::to_string(result.commentCount) +
                    (result.saveButton == SaveButton::Enabled ? " enabled" : " disabled"));
    shownTexts.push_back(result.savedBytes());
}

SaveResult ScriptedUi::saveResult(const ResultDocument& result) {
    calls.push_back("save " + result.title);
    return saveResultDocument(fs_, result);
}

void ScriptedUi::showReport(const ProjectReport& report) {
    reportShown = true;
    reportLines = report.lines();
    calls.push_back("report " + std::to_string(reportLines.size()));
}

void ScriptedUi::showError(const std::string& text, const std::string& reason) {
    calls.push_back("error " + text + ": " + reason);
}

} // namespace qw::test
