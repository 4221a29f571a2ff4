#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace qw {

struct LineBreaks;
class ByteReader;

// Splits bytes into lines: CR LF, a lone LF and a lone CR each end a line. A
// final line break does not start another line. Counts the breaks it meets.
// Reads from a ByteReader a piece at a time, so that only the lines at hand
// are in memory, or splits bytes that are in memory already.
class LineSplitter {
public:
    LineSplitter(std::string_view bytes, LineBreaks& breaks);
    LineSplitter(ByteReader& reader, LineBreaks& breaks);
    LineSplitter(const LineSplitter&) = delete; // its view points into its own buffer
    LineSplitter& operator=(const LineSplitter&) = delete;
    bool atEnd();
    // The view lasts until the next call.
    std::string_view next();

private:
    void skipByteOrderMark();
    // Reads more behind the bytes not yet split; false at the end of the file.
    bool fill();

    ByteReader* reader_ = nullptr;
    // Not cleared first: a small file fills a few bytes of it.
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::string_view bytes_; // the bytes at hand: buffer_, or all of them
    bool allRead_ = true;
    std::size_t pos_ = 0;
    // Positions of the next LF and the next CR at or after pos_ (the size
    // when there is none at hand), each found once, so that a file that ends
    // its lines with one of them is searched for the other once per piece;
    // npos when not searched yet.
    std::size_t nextLf_ = std::string_view::npos;
    std::size_t nextCr_ = std::string_view::npos;
    LineBreaks& breaks_;
};

} // namespace qw
