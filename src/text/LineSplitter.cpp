#include "text/LineSplitter.h"

#include <algorithm>
#include <cstring>

#include "text/ByteReader.h"
#include "text/LineBreaks.h"

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
    buffer_ = std::make_unique_for_overwrite<char[]>(kPiece);
    capacity_ = kPiece;
    bytes_ = std::string_view(buffer_.get(), 0);
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
    if (capacity_ - kept < capacity_ / 2) {
        auto larger = std::make_unique_for_overwrite<char[]>(capacity_ * 2);
        std::memcpy(larger.get(), buffer_.get() + pos_, kept);
        buffer_ = std::move(larger);
        capacity_ *= 2;
    } else {
        std::memmove(buffer_.get(), buffer_.get() + pos_, kept);
    }
    const auto keptAt = [&](std::size_t at) {
        return at != std::string_view::npos && at >= pos_ && at < bytes_.size()
                   ? at - pos_
                   : std::string_view::npos;
    };
    nextLf_ = keptAt(nextLf_);
    nextCr_ = keptAt(nextCr_);
    pos_ = 0;
    const std::size_t n = reader_->read(buffer_.get() + kept, capacity_ - kept);
    if (n == 0)
        allRead_ = true;
    bytes_ = std::string_view(buffer_.get(), kept + n);
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
        const auto find = [&](std::size_t& cached, char c) {
            if (cached == std::string_view::npos || cached < begin) {
                const void* at = std::memchr(data + begin, c, size - begin);
                cached = at ? static_cast<std::size_t>(static_cast<const char*>(at) - data) : size;
            }
            return cached;
        };
        const std::size_t p = std::min(find(nextLf_, '\n'), find(nextCr_, '\r'));
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
