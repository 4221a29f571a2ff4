#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qw {

// A stretch of characters on one line that the pass marked as inserted comment
// text (shown bold, italic and navy by the desktop program).
struct CommentMark {
    int line = 0;
    int column = 0; // 0-based byte column
    int length = 0;
    friend bool operator==(const CommentMark&, const CommentMark&) = default;
};

// The text the pass builds: lines of bytes without their line breaks, plus
// comment marks that travel with their lines when lines are inserted or
// deleted above them.
class ResultEditor {
public:
    void clear();
    void reserve(int lineCount) { lines_.reserve(static_cast<std::size_t>(lineCount)); }

    int count() const { return static_cast<int>(lines_.size()); }
    const std::string& line(int index) const { return lines_.at(index).text; }
    std::vector<std::string> lines() const;

    // Replaces the text of a line. Marks on the unchanged leading part stay;
    // a mark that reached the old end of the line reaches the new end.
    void replace(int index, std::string text);
    void append(std::string text);
    // Inserts before `index` (count() appends). A text holding CR LF pairs
    // (or lone CR or LF) becomes several lines.
    void insert(int index, std::string_view text);
    void remove(int index);

    // Whether a line begins inside a comment or string of the source (its
    // scanner state at the start was not code). Inserted lines begin in code.
    void setStartsInsideText(int index, bool inside) { lines_.at(index).startsInside = inside; }
    bool startsInsideText(int index) const { return lines_.at(index).startsInside; }

    // Marks `length` bytes of a line from `column` on.
    void mark(int index, int column, int length);
    // Marks whole lines [from, to).
    void markLines(int from, int to);
    bool isMarked(int index, int column) const;
    std::vector<CommentMark> marks() const;

    // Recording: from startRecording() on every change is kept, so that a step
    // can compare what it did with what was there and take it back.
    void startRecording();
    void stopRecording();
    // Undoes the recorded changes, newest first, and stops recording.
    void takeBackRecorded();
    // The first line a recorded change touched; count() when none did. The
    // lines above it are as they were.
    int recordedTop() const;
    // Where a line of the text as it was when recording started is now;
    // nothing when a recorded change removed or rewrote it.
    std::optional<int> recordedMove(int line) const;
    // Lines [from, to) of the text as it was when recording started, where
    // `to` is an index of the text as it is now; nothing when a recorded
    // change lies outside that stretch.
    struct EarlierLines {
        std::vector<std::string> text;
        bool firstStartsInside = false; // see startsInsideText
    };
    std::optional<EarlierLines> linesBeforeRecording(int from, int to) const;

    // The text with the given line break after every line but the last;
    // `finalBreak` adds one after the last line too.
    enum class FinalBreak { No, Yes };
    std::string text(std::string_view lineBreak, FinalBreak finalBreak) const;

private:
    struct Span {
        int column;
        int length;
    };
    struct Line {
        std::string text;
        std::vector<Span> marks;
        bool startsInside = false;
    };
    struct Change {
        enum class Kind { Inserted, Removed, Changed } kind;
        int index;
        int count; // lines inserted
        Line old;  // the line removed or changed
    };
    void recordChange(Change::Kind kind, int index, int count = 1);
    static void undo(std::vector<Line>& lines, int at, const Change& change, Line old);

    std::vector<Line> lines_;
    std::vector<Change> changes_;
    bool recording_ = false;
};

} // namespace qw
