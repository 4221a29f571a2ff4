#pragma once

#include <cstddef>
#include <ostream>
#include <string>

namespace qw::cli {

enum class ProgressShown { No, Yes };

// A one-line bar on standard error for runs over many files:
//   [##########..........]  512/1024 files
// redrawn in place. Anything else written to the terminal must go through
// `clear()` first, so that the bar never stands in the middle of a message.
class ProgressBar {
public:
    ProgressBar(std::ostream& terminal, ProgressShown shown, std::size_t total, int columns);
    ~ProgressBar() { clear(); }
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void advance(const std::string& current);
    void clear();
    // Draws the bar again after a clear().
    void redraw();

private:
    std::ostream& out_;
    bool shown_;
    std::size_t total_;
    std::size_t done_ = 0;
    int columns_;
    bool drawn_ = false;
    std::string current_;
};

} // namespace qw::cli
