// Reading a file piece by piece where a file system has no better way.
#include <algorithm>
#include <cstring>

#include "engine/FileSystem.h"

namespace qw {

std::size_t MemoryReader::read(char* into, std::size_t size) {
    const std::size_t n = std::min(size, bytes_.size() - pos_);
    std::memcpy(into, bytes_.data() + pos_, n);
    pos_ += n;
    return n;
}

std::unique_ptr<ByteReader> FileSystem::openForReading(const std::string& path, IoResult& result) {
    std::string bytes;
    result = readFile(path, bytes);
    if (!result)
        return nullptr;
    return std::make_unique<MemoryReader>(std::move(bytes));
}

} // namespace qw
