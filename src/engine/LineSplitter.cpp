#include "engine/LineSplitter.h"

#include "engine/SourcePass.h"

namespace qw {

LineSplitter::LineSplitter(std::string_view bytes, LineBreaks& breaks)
    : bytes_(bytes), breaks_(breaks) {
    breaks_ = LineBreaks{};
    if (bytes_.size() >= 3 && bytes_.substr(0, 3) == "\xEF\xBB\xBF") {
        breaks_.byteOrderMark = true;
        pos_ = 3;
    }
}

std::string_view LineSplitter::next() {
    const std::size_t begin = pos_;
    std::size_t p = begin;
    const std::size_t size = bytes_.size();
    while (p < size && bytes_[p] != '\n' && bytes_[p] != '\r')
        ++p;
    if (p == size) {
        pos_ = size;
        breaks_.finalBreak = false;
    } else if (bytes_[p] == '\r' && p + 1 < size && bytes_[p + 1] == '\n') {
        ++breaks_.crlf;
        pos_ = p + 2;
        breaks_.finalBreak = true;
    } else {
        ++(bytes_[p] == '\r' ? breaks_.cr : breaks_.lf);
        pos_ = p + 1;
        breaks_.finalBreak = true;
    }
    return bytes_.substr(begin, p - begin);
}

} // namespace qw
