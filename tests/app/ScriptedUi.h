#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "drivers/DriverUi.h"
#include "drivers/ProjectReport.h"

namespace qw {
class FileSystem;
}

namespace qw::test {

// A shell for the drivers that answers from a script and writes down every
// call, one line each, so that tests can compare whole sequences:
//   "progress Unit1.pas 120"      openProgress (title, totalBytes)
//   "close"                       closeProgress
//   "ask Confirmation <text> -> Yes"
//   "show /p/Unit1.pas 3 enabled" showResult (title, count, save button)
//   "save /p/Unit1.pas"           saveResult
//   "report 2"                    showReport (number of lines)
//   "error <text>: <reason>"      showError
class ScriptedUi : public DriverUi {
public:
    explicit ScriptedUi(FileSystem& fs) : fs_(fs) {}

    // The answer to a question whose text is `text`; other questions are
    // answered with their first button.
    void answer(std::string_view text, Button button) { answers_[std::string(text)] = button; }
    // Presses Abort when this many lines of the file with this title have
    // been read.
    void abortAt(std::string title, int line) { abortTitle_ = std::move(title), abortLine_ = line; }

    void openProgress(const std::string& title, Progress& progress) override;
    void lineProcessed(Progress& progress) override;
    void closeProgress() override;
    Button ask(const Message& message) override;
    void showResult(ResultDocument& result) override;
    SaveResult saveResult(const ResultDocument& result) override;
    void showReport(const ProjectReport& report) override;
    void showError(const std::string& text, const std::string& reason) override;

    std::vector<std::string> calls;
    std::vector<Message> messages;
    std::vector<std::string> shownTexts; // the saved bytes of every result shown
    std::vector<std::string> reportLines;
    bool reportShown = false;
    int linesSeen = 0;
    // Runs inside lineProcessed, where a real shell handles its events.
    std::function<void()> duringPass;

private:
    FileSystem& fs_;
    std::map<std::string, Button> answers_;
    std::string progressTitle_;
    std::string abortTitle_;
    int abortLine_ = 0;
};

} // namespace qw::test
