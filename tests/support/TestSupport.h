#pragma once

#include <deque>
#include <string>
#include <vector>

#include "engine/PassHost.h"
#include "platform/Clock.h"

namespace qw::test {

// Answers every message from a script (first answer first), or with a default
// button when the script is used up, and keeps what it was asked.
class ScriptedHost : public PassHost {
public:
    explicit ScriptedHost(Button fallback = Button::Ignore) : fallback_(fallback) {}
    void script(std::vector<Button> replies) { answers_.assign(replies.begin(), replies.end()); }
    Button ask(const Message& message) override;
    void lineProcessed(Progress& progress) override;

    std::vector<Message> messages;
    std::vector<Button> answers; // what was answered, in order
    int linesSeen = 0;
    // Set the abort flag when this many lines have been seen (0: never).
    int abortAtLine = 0;

private:
    Button fallback_;
    std::deque<Button> answers_;
};

// A clock that always tells the same date and time.
class FixedClock : public Clock {
public:
    FixedClock(std::string date = "08.12.2026", std::string time = "10:30:00")
        : date_(std::move(date)), time_(std::move(time)) {}
    std::string shortDate() override { return date_; }
    std::string longTime() override { return time_; }
    std::string date_;
    std::string time_;
};

// Lines joined with LF, with a final LF.
std::string joinLines(const std::vector<std::string>& lines);
std::vector<std::string> splitLines(const std::string& text);
std::string readTextFile(const std::string& path);
// The names of the golden files (*.txt) in a folder, sorted.
std::vector<std::string> goldenFilesIn(const std::string& folder);
// A test name for a golden file: its name without ".txt", other characters
// than letters and digits made "_".
std::string goldenTestName(const std::string& fileName);

} // namespace qw::test
