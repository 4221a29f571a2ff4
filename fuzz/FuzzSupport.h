#pragma once

// What the fuzz targets share: reading choices from the fuzzer's bytes,
// running a pass in memory, and the invariants every pass must keep.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/PassHost.h"
#include "engine/PassOptions.h"
#include "platform/Clock.h"
#include "schema/Schema.h"
#include "text/ResultEditor.h"

namespace qw::fuzz {

// Takes choices from the front of the fuzzer's bytes; the rest is the text.
// Past the end every choice is 0, so short inputs are valid too.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : bytes_(reinterpret_cast<const char*>(data), size) {}
    std::uint8_t byte();
    std::size_t pick(std::size_t count); // 0 .. count-1
    std::string_view take(std::size_t count);
    std::string_view rest();

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// Answers the pass's questions from a list of buttons, then with Ignore.
class AnsweringHost : public PassHost {
public:
    explicit AnsweringHost(std::vector<Button> answers = {}) : answers_(std::move(answers)) {}
    Button ask(const Message& message) override;
    int asked = 0;

private:
    std::vector<Button> answers_;
};

// Up to four answers, each Abort, Ignore or Retry.
std::vector<Button> randomAnswers(FuzzInput& in);

class FixedTextClock : public Clock {
public:
    FixedTextClock(std::string date, std::string time)
        : date_(std::move(date)), time_(std::move(time)) {}
    std::string shortDate() override { return date_; }
    std::string longTime() override { return time_; }

private:
    std::string date_;
    std::string time_;
};

// A schema of up to eight lines, each a marker and a few pieces from a small
// dictionary of comment openers, placeholders (with and without width fields
// and closing percent signs) and literal text.
Schema randomSchema(FuzzInput& in);
// A schema whose every line is one closed comment of the given style, with
// placeholders whose values cannot close it early: its headers are comments.
Schema wellFormedSchema(FuzzInput& in);
std::string randomCoder(FuzzInput& in);

struct PassOutcome {
    std::vector<std::string> lines;
    std::vector<CommentMark> marks;
    std::string text;  // lines joined with CR LF
    std::string saved; // the bytes a save writes (compared: the editor keeps a byte-order mark out)
    int count = 0;
    bool aborted = false;
    int asked = 0; // questions put to the host
};

PassOutcome runPass(std::string_view source, const PassOptions& options, AnsweringHost& host);
PassOutcome runPassIgnoring(std::string_view source, const PassOptions& options);

// Reports a broken invariant with what it saw and stops the process, which
// the fuzzer counts as a finding.
[[noreturn]] void fail(const char* invariant, std::string_view detail = {});
inline void check(bool ok, const char* invariant, std::string_view detail = {}) {
    if (!ok)
        fail(invariant, detail);
}

// Every mark lies inside its line; the count is not negative.
void checkOutcome(const PassOutcome& outcome);
// The code of `after` is the code of `before`.
void checkSameCode(std::string_view before, std::string_view after, const char* invariant);

} // namespace qw::fuzz
