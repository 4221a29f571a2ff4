#pragma once

#include <cstddef>
#include <string>
#include <utility>

namespace qw {

// A file read piece by piece, so that a large one is never held whole.
class ByteReader {
public:
    virtual ~ByteReader() = default;
    // Reads up to `size` bytes into `into`; 0 at the end of the file. A read
    // error after the file was opened is thrown as std::runtime_error.
    virtual std::size_t read(char* into, std::size_t size) = 0;
};

// Bytes already in memory, handed out piece by piece.
class MemoryReader final : public ByteReader {
public:
    explicit MemoryReader(std::string bytes) : bytes_(std::move(bytes)) {}
    std::size_t read(char* into, std::size_t size) override;

private:
    std::string bytes_;
    std::size_t pos_ = 0;
};

} // namespace qw
