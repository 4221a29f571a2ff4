// Reading a file piece by piece where a file system has no better way.
#include "platform/FileSystem.h"

namespace qw {

std::unique_ptr<ByteReader> FileSystem::openForReading(const std::string& path, IoResult& result) {
    std::string bytes;
    result = readFile(path, bytes);
    if (!result)
        return nullptr;
    return std::make_unique<MemoryReader>(std::move(bytes));
}

} // namespace qw
