#pragma once

#include <cstdint>
#include <functional>
#include <memory>
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
// deleted above them. A file of millions of lines is held in one go, so the
// bytes of all lines share large blocks and a line costs a few words beside
// its text; a line's view stays valid until the editor is cleared.
class ResultEditor {
public:
    ResultEditor() = default;
    ResultEditor(const ResultEditor& other);
    ResultEditor& operator=(const ResultEditor& other);
    ResultEditor(ResultEditor&&) noexcept = default;
    ResultEditor& operator=(ResultEditor&&) noexcept = default;

    void clear();
    void reserve(int lineCount) { lines_.reserve(static_cast<std::size_t>(lineCount)); }

    int count() const { return static_cast<int>(lines_.size()); }
    std::string_view line(int index) const { return lines_.at(index).text(); }
    std::vector<std::string> lines() const;

    // Replaces the text of a line. Marks on the unchanged leading part stay;
    // a mark that reached the old end of the line reaches the new end.
    void replace(int index, std::string_view text);
    void append(std::string_view text);
    // Inserts before `index` (count() appends). A text holding CR LF pairs
    // (or lone CR or LF) becomes several lines.
    void insert(int index, std::string_view text);
    void remove(int index);

    // Whether a line begins inside a comment or string of the source (its
    // scanner state at the start was not code). Inserted lines begin in code.
    void setStartsInsideText(int index, bool inside) { lines_.at(index).startsInside = inside; }
    bool startsInsideText(int index) const { return lines_.at(index).startsInside; }
    // Whether the language reads a line as beginning inside a comment or
    // directive where the scanner may not ("(*)" opens a comment for the
    // language only). Inserted lines begin in code.
    void setStartsInsideCodeComment(int index, bool inside) {
        lines_.at(index).startsInsideForLanguage = inside;
    }
    bool startsInsideCodeComment(int index) const {
        return lines_.at(index).startsInsideForLanguage;
    }

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
        bool firstStartsInside = false; // see startsInsideText and startsInsideCodeComment
    };
    std::optional<EarlierLines> linesBeforeRecording(int from, int to) const;

    // The text with the given line break after every line but the last;
    // `finalBreak` adds one after the last line too.
    enum class FinalBreak { No, Yes };
    std::string text(std::string_view lineBreak, FinalBreak finalBreak) const;
    // The same bytes handed to `sink` in pieces of a bounded size, so that a
    // large text is written without a second copy of it.
    void writeText(std::string_view lineBreak, FinalBreak finalBreak,
                   const std::function<void(std::string_view)>& sink) const;

private:
    struct Span {
        int column;
        int length;
    };
    // Marks are rare; a line without any carries no list.
    class Marks {
    public:
        Marks() = default;
        Marks(const Marks& o)
            : spans_(o.spans_ ? std::make_unique<std::vector<Span>>(*o.spans_) : nullptr) {}
        Marks& operator=(const Marks& o) {
            if (this != &o)
                spans_ = o.spans_ ? std::make_unique<std::vector<Span>>(*o.spans_) : nullptr;
            return *this;
        }
        Marks(Marks&&) noexcept = default;
        Marks& operator=(Marks&&) noexcept = default;
        const std::vector<Span>& spans() const { return spans_ ? *spans_ : none(); }
        void set(std::vector<Span> spans) {
            spans_ =
                spans.empty() ? nullptr : std::make_unique<std::vector<Span>>(std::move(spans));
        }

    private:
        static const std::vector<Span>& none() {
            static const std::vector<Span> empty;
            return empty;
        }
        std::unique_ptr<std::vector<Span>> spans_;
    };
    struct Line {
        const char* data = nullptr; // in blocks_
        std::uint32_t size = 0;
        bool startsInside = false;
        bool startsInsideForLanguage = false;
        Marks marks;
        std::string_view text() const { return {data, size}; }
    };
    // The bytes of the lines, in blocks that never move. Text that a line no
    // longer shows stays until clear(): the pass rewrites few lines.
    class Blocks {
    public:
        Blocks() = default;
        Blocks(Blocks&& o) noexcept;
        Blocks& operator=(Blocks&& o) noexcept;
        const char* store(std::string_view text);
        void clear();

    private:
        std::vector<std::unique_ptr<char[]>> blocks_;
        char* free_ = nullptr;
        std::size_t left_ = 0;
    };
    Line makeLine(std::string_view text) {
        return {blocks_.store(text), static_cast<std::uint32_t>(text.size()), false, false, {}};
    }
    void copyFrom(const ResultEditor& other);
    struct Change {
        enum class Kind { Inserted, Removed, Changed } kind;
        int index;
        int count; // lines inserted
        Line old;  // the line removed or changed
    };
    void recordChange(Change::Kind kind, int index, int count = 1);
    static void undo(std::vector<Line>& lines, int at, const Change& change, Line old);

    Blocks blocks_;
    std::vector<Line> lines_;
    std::vector<Change> changes_;
    bool recording_ = false;
};

} // namespace qw
