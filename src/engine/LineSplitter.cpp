#include "engine/LineSplitter.h"

#include <cstring>

#include "engine/FileSystem.h"
#include "engine/SourcePass.h"

namespace qw {
namespace {

constexpr std::size_t kPiece = std::size_t{1} << 18;

} // namespace

LineSplitter::LineSplitter(std::string_view bytes, LineBreaks& breaks)
    : bytes_(bytes), breaks_(breaks) {
    breaks_ = LineBreaks{};
    skipByteOrderMark();
}

LineSplitter::LineSplitter(ByteReader& reader, LineBreaks& breaks)
    : reader_(&reader), allRead_(false), breaks_(breaks) {
    breaks_ = LineBreaks{};
    buffer_.resize(kPiece);
    bytes_ = std::string_view(buffer_.data(), 0);
    while (bytes_.size() < 3 && fill()) {
    }
    skipByteOrderMark();
}

void LineSplitter::skipByteOrderMark() {
    if (bytes_.size() >= 3 && bytes_.substr(0, 3) == "\xEF\xBB\xBF") {
        breaks_.byteOrderMark = true;
        pos_ = 3;
    }
}

bool LineSplitter::fill() {
    if (allRead_)
        return false;
    // Keep the bytes not yet split at the front; a line longer than the
    // buffer's free half makes it grow.
    const std::size_t kept = bytes_.size() - pos_;
    std::memmove(buffer_.data(), buffer_.data() + pos_, kept);
    const bool lfAtHand =
        nextLf_ != std::string_view::npos && nextLf_ >= pos_ && nextLf_ < bytes_.size();
    nextLf_ = lfAtHand ? nextLf_ - pos_ : std::string_view::npos;
    pos_ = 0;
    if (buffer_.size() - kept < buffer_.size() / 2)
        buffer_.resize(buffer_.size() * 2);
    const std::size_t n = reader_->read(buffer_.data() + kept, buffer_.size() - kept);
    if (n == 0)
        allRead_ = true;
    bytes_ = std::string_view(buffer_.data(), kept + n);
    return n > 0;
}

bool LineSplitter::atEnd() {
    while (pos_ >= bytes_.size()) {
        if (!fill())
            return true;
    }
    return false;
}

std::string_view LineSplitter::next() {
    for (;;) {
        const std::size_t begin = pos_;
        const std::size_t size = bytes_.size();
        const char* data = bytes_.data();
        if (nextLf_ == std::string_view::npos || nextLf_ < begin) {
            const void* lf = std::memchr(data + begin, '\n', size - begin);
            nextLf_ = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : size;
        }
        const void* cr = std::memchr(data + begin, '\r', nextLf_ - begin);
        const std::size_t p =
            cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - data) : nextLf_;
        // A line whose end is not at hand yet, or a CR that an LF may follow
        // in the next piece.
        const bool needMore = p == size || (data[p] == '\r' && p + 1 == size);
        if (needMore && !allRead_) {
            fill();
            continue;
        }
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
}

} // namespace qw
