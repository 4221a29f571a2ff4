#include "text/ByteReader.h"

#include <algorithm>
#include <cstring>

namespace qw {

std::size_t MemoryReader::read(char* into, std::size_t size) {
    const std::size_t n = std::min(size, bytes_.size() - pos_);
    std::memcpy(into, bytes_.data() + pos_, n);
    pos_ += n;
    return n;
}

} // namespace qw
