#pragma once

#include <string_view>

namespace qw {

struct LineBreaks;

// Splits bytes into lines: CR LF, a lone LF and a lone CR each end a line. A
// final line break does not start another line. Counts the breaks it meets.
class LineSplitter {
public:
    LineSplitter(std::string_view bytes, LineBreaks& breaks);
    bool atEnd() const { return pos_ >= bytes_.size(); }
    std::string_view next();

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
    // Position of the next LF at or after pos_ (the size when there is none),
    // found once so that files ending lines with CR alone stay linear.
    std::size_t nextLf_ = 0;
    LineBreaks& breaks_;
};

} // namespace qw
