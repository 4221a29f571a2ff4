#include "cli/ProgressBar.h"

#include <algorithm>

namespace qw::cli {

ProgressBar::ProgressBar(std::ostream& terminal, ProgressShown shown, std::size_t total,
                         int columns)
    : out_(terminal), shown_(shown == ProgressShown::Yes), total_(total),
      columns_(std::max(columns, 40)) {}

void ProgressBar::advance(const std::string& current) {
    ++done_;
    current_ = current;
    redraw();
}

void ProgressBar::clear() {
    if (!drawn_)
        return;
    out_ << "\r\033[K" << std::flush;
    drawn_ = false;
}

void ProgressBar::redraw() {
    if (!shown_)
        return;
    constexpr std::size_t kWidth = 20;
    const std::size_t filled = total_ ? std::min(kWidth, done_ * kWidth / total_) : kWidth;
    std::string line = "[" + std::string(filled, '#') + std::string(kWidth - filled, '.') + "] " +
                       std::to_string(done_) + "/" + std::to_string(total_) + " files ";
    const std::size_t room = static_cast<std::size_t>(columns_ - 1);
    if (line.size() + 4 < room) {
        std::string name = current_;
        if (name.size() > room - line.size())
            name = "..." + name.substr(name.size() - (room - line.size() - 3));
        line += name;
    }
    out_ << "\r\033[K" << line << std::flush;
    drawn_ = true;
}

} // namespace qw::cli
