#include "engine/LineSplitter.h"

#include <cstring>

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
    const std::size_t size = bytes_.size();
    const char* data = bytes_.data();
    if (nextLf_ < begin || nextLf_ == 0) {
        const void* lf = std::memchr(data + begin, '\n', size - begin);
        nextLf_ = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : size;
    }
    const void* cr = std::memchr(data + begin, '\r', nextLf_ - begin);
    std::size_t p = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - data) : nextLf_;
    if (p == size) {
        pos_ = size;
        breaks_.finalBreak = false;
    } else if (data[p] == '\r' && p + 1 < size && data[p + 1] == '\n') {
        ++breaks_.crlf;
        pos_ = p + 2;
        breaks_.finalBreak = true;
    } else {
        ++(data[p] == '\r' ? breaks_.cr : breaks_.lf);
        pos_ = p + 1;
        breaks_.finalBreak = true;
    }
    return bytes_.substr(begin, p - begin);
}

} // namespace qw
