#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/BlockAllocator.h"
#include "text/BlockMemory.h"

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
    ResultEditor() : ResultEditor(heapBlockMemory()) {}
    explicit ResultEditor(BlockMemory& memory)
        : blocks_(memory), lines_(BlockAllocator<Line>(memory)),
          spans_(BlockAllocator<Span>(memory)), markSets_(BlockAllocator<MarkSet>(memory)) {}
    ResultEditor(const ResultEditor& other);
    ResultEditor& operator=(const ResultEditor& other);
    ResultEditor(ResultEditor&&) noexcept = default;
    ResultEditor& operator=(ResultEditor&&) noexcept = default;
    ~ResultEditor() = default;

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
        std::vector<std::string_view> text; // valid until the editor is cleared
        bool firstStartsInside = false;     // see startsInsideText and startsInsideCodeComment
    };
    std::optional<EarlierLines> linesBeforeRecording(int from, int to) const;

    // The text with the given line break after every line but the last;
    // `finalBreak` adds one after the last line too.
    enum class FinalBreak { No, Yes };
    std::string text(std::string_view lineBreak, FinalBreak finalBreak) const;
    // The same bytes handed to `sink` in pieces of a bounded size, so that a
    // large text is written without a second copy of it. A sink that returns
    // false has seen enough: the rest is not put together.
    void writeText(std::string_view lineBreak, FinalBreak finalBreak,
                   const std::function<bool(std::string_view)>& sink) const;

private:
    struct Span {
        int column;
        int length;
    };
    // The marks of a line: a stretch of spans_. Sets are never changed once
    // made, so that a line kept for taking back a change keeps its marks.
    struct MarkSet {
        std::uint32_t first;
        std::uint32_t count;
    };
    // Sixteen bytes: a file of millions of lines holds one per line.
    struct Line {
        const char* data = nullptr; // in blocks_
        std::uint32_t size = 0;
        // 0: no marks; kWholeLine; else one past its place in markSets_.
        std::uint32_t markSet : 30 = 0;
        std::uint32_t startsInside : 1 = 0;
        std::uint32_t startsInsideForLanguage : 1 = 0;
        std::string_view text() const { return {data, size}; }
    };
    // The bytes of the lines, in blocks that never move. Text that a line no
    // longer shows stays until clear(): the pass rewrites few lines.
    class Blocks {
    public:
        explicit Blocks(BlockMemory& memory) : memory_(&memory) {}
        Blocks(Blocks&& o) noexcept;
        Blocks& operator=(Blocks&& o) noexcept;
        ~Blocks() { clear(); }
        const char* store(std::string_view text);
        void clear();
        BlockMemory& memory() const { return *memory_; }

    private:
        char* take(std::size_t size);

        BlockMemory* memory_;
        struct Block {
            char* data;
            std::size_t size;
        };
        std::vector<Block> blocks_;
        char* free_ = nullptr;
        std::size_t left_ = 0;
        std::size_t nextSize_ = 0; // 0: the first block's size
    };
    Line makeLine(std::string_view text) {
        Line l;
        l.data = blocks_.store(text);
        l.size = static_cast<std::uint32_t>(text.size());
        return l;
    }
    // A header marks every one of its lines whole: such a line takes this
    // number instead of a set of its own, which would cost a file of many
    // routines a set and a span per header line.
    static constexpr std::uint32_t kWholeLine = (std::uint32_t{1} << 30) - 1;
    // The line's spans; a whole-line mark is made in `whole`.
    std::span<const Span> spansOf(const Line& l, Span& whole) const {
        if (l.markSet == 0)
            return {};
        if (l.markSet == kWholeLine) {
            whole = {0, static_cast<int>(l.size)};
            return {&whole, 1};
        }
        const MarkSet& set = markSets_[l.markSet - 1];
        return {spans_.data() + set.first, set.count};
    }
    // Gives the line a new mark set holding `spans` (none when empty), for
    // the line's present size.
    void setMarks(Line& line, std::span<const Span> spans);
    void copyFrom(const ResultEditor& other);
    struct Change {
        enum class Kind { Inserted, Removed, Changed } kind;
        int index;
        int count; // lines inserted
        Line old;  // the line removed or changed
    };
    void recordChange(Change::Kind kind, int index, int count = 1);
    using Lines = std::vector<Line, BlockAllocator<Line>>;
    static void undo(Lines& lines, int at, const Change& change, Line old);

    Blocks blocks_;
    Lines lines_;
    std::vector<Span, BlockAllocator<Span>> spans_;
    std::vector<MarkSet, BlockAllocator<MarkSet>> markSets_;
    std::vector<Change> changes_;
    bool recording_ = false;
};

} // namespace qw
