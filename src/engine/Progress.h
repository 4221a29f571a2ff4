#pragma once

#include <cstdint>

namespace qw {

// The counters through which a pass reports, and the cooperative abort flag.
// One set per run of a driver; the progress window shows them.
struct Progress {
    std::int32_t commentCount = 0;
    std::int32_t lineCount = 0;
    std::int32_t bytesDone = 0;
    std::int32_t totalBytes = 1;
    bool abortRequested = false;

    // Counts one line read (its length without the line break); a CR LF is
    // assumed, so the bar reaches 100 on a CR LF file.
    void lineProcessed(std::int32_t lineLength) {
        bytesDone += lineLength + 2;
        lineCount += 1;
    }
    int percent() const {
        std::int64_t p =
            static_cast<std::int64_t>(bytesDone) * 100 / (totalBytes > 0 ? totalBytes : 1);
        return static_cast<int>(p > 100 ? 100 : p);
    }
};

} // namespace qw
