#include "text/ResultEditor.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace qw {
namespace {

// The first block serves a small file whole; each further one is twice the
// one before, up to a size that the memory may take as huge pages, so that a
// large file needs few blocks and a small one leaves little unused.
constexpr std::size_t kFirstBlock = std::size_t{1} << 18;
constexpr std::size_t kLargestBlock = std::size_t{1} << 25;

// What a line's 30 bits of mark-set number can hold beside the whole-line
// mark.
constexpr std::uint32_t kMaxMarkSets = (std::uint32_t{1} << 30) - 2;

} // namespace

ResultEditor::Blocks::Blocks(Blocks&& o) noexcept
    : memory_(o.memory_), blocks_(std::move(o.blocks_)), free_(o.free_), left_(o.left_),
      nextSize_(o.nextSize_) {
    o.blocks_.clear();
    o.free_ = nullptr;
    o.left_ = 0;
    o.nextSize_ = 0;
}

ResultEditor::Blocks& ResultEditor::Blocks::operator=(Blocks&& o) noexcept {
    if (this != &o) {
        clear();
        memory_ = o.memory_;
        blocks_ = std::move(o.blocks_);
        free_ = o.free_;
        left_ = o.left_;
        nextSize_ = o.nextSize_;
        o.blocks_.clear();
        o.free_ = nullptr;
        o.left_ = 0;
        o.nextSize_ = 0;
    }
    return *this;
}

char* ResultEditor::Blocks::take(std::size_t size) {
    blocks_.reserve(blocks_.size() + 1); // so that the push cannot lose the block
    char* block = static_cast<char*>(memory_->take(size));
    blocks_.push_back({block, size});
    return block;
}

const char* ResultEditor::Blocks::store(std::string_view text) {
    if (text.empty())
        return nullptr;
    if (text.size() > left_) {
        const std::size_t size = nextSize_ == 0 ? kFirstBlock : nextSize_;
        if (text.size() > size / 4) {
            // A very long line gets a block of its own; the current one stays open.
            char* own = take(text.size());
            std::memcpy(own, text.data(), text.size());
            return own;
        }
        free_ = take(size);
        left_ = size;
        nextSize_ = std::min(size * 2, kLargestBlock);
    }
    char* at = free_;
    std::memcpy(at, text.data(), text.size());
    free_ += text.size();
    left_ -= text.size();
    return at;
}

void ResultEditor::Blocks::clear() {
    for (const Block& b : blocks_)
        memory_->give(b.data, b.size);
    blocks_.clear();
    free_ = nullptr;
    left_ = 0;
    nextSize_ = 0;
}

ResultEditor::ResultEditor(const ResultEditor& other) : ResultEditor(other.blocks_.memory()) {
    copyFrom(other);
}

ResultEditor& ResultEditor::operator=(const ResultEditor& other) {
    if (this != &other) {
        ResultEditor copy(other);
        *this = std::move(copy);
    }
    return *this;
}

// The copy's lines point into its own blocks; the mark sets are copied as
// they are, and the lines keep their numbers.
void ResultEditor::copyFrom(const ResultEditor& other) {
    lines_ = other.lines_;
    for (Line& l : lines_)
        l.data = blocks_.store(l.text());
    changes_ = other.changes_;
    for (Change& c : changes_)
        c.old.data = blocks_.store(c.old.text());
    spans_ = other.spans_;
    markSets_ = other.markSets_;
    recording_ = other.recording_;
}

void ResultEditor::clear() {
    lines_.clear();
    changes_.clear(); // their lines' bytes go with the blocks
    blocks_.clear();
    spans_.clear();
    markSets_.clear();
}

void ResultEditor::setMarks(Line& line, std::span<const Span> spans) {
    if (spans.empty()) {
        line.markSet = 0;
        return;
    }
    if (spans.size() == 1 && spans[0].column == 0 &&
        spans[0].length == static_cast<int>(line.size)) {
        line.markSet = kWholeLine;
        return;
    }
    if (markSets_.size() >= kMaxMarkSets)
        throw std::length_error("too many comment marks");
    markSets_.push_back(
        {static_cast<std::uint32_t>(spans_.size()), static_cast<std::uint32_t>(spans.size())});
    spans_.insert(spans_.end(), spans.begin(), spans.end());
    line.markSet = static_cast<std::uint32_t>(markSets_.size()) & kWholeLine; // below it
}

std::vector<std::string> ResultEditor::lines() const {
    std::vector<std::string> out;
    out.reserve(lines_.size());
    for (const auto& l : lines_)
        out.emplace_back(l.text());
    return out;
}

void ResultEditor::replace(int index, std::string_view text) {
    if (recording_)
        recordChange(Change::Kind::Changed, index);
    Line& l = lines_.at(index);
    const std::string_view old = l.text();
    const int oldLen = static_cast<int>(old.size());
    const int newLen = static_cast<int>(text.size());
    int common = 0;
    while (common < oldLen && common < newLen && old[common] == text[common])
        ++common;
    std::vector<Span> kept;
    Span whole;
    for (const Span& s : spansOf(l, whole)) {
        const bool reachedEnd = s.column + s.length >= oldLen;
        const bool wholeLine = s.column == 0 && reachedEnd;
        if (s.column >= common && !wholeLine)
            continue;
        int end = reachedEnd ? newLen : std::min(s.column + s.length, common);
        if (end > s.column)
            kept.push_back({s.column, end - s.column});
    }
    l.data = blocks_.store(text);
    l.size = static_cast<std::uint32_t>(text.size());
    setMarks(l, kept);
}

void ResultEditor::append(std::string_view text) {
    if (recording_)
        recordChange(Change::Kind::Inserted, count());
    lines_.push_back(makeLine(text));
}

void ResultEditor::insert(int index, std::string_view text) {
    if (text.empty() || (std::memchr(text.data(), '\n', text.size()) == nullptr &&
                         std::memchr(text.data(), '\r', text.size()) == nullptr)) {
        // One line, as nearly every insertion is: no list of parts.
        if (recording_)
            recordChange(Change::Kind::Inserted, index, 1);
        lines_.insert(lines_.begin() + index, makeLine(text));
        return;
    }
    std::vector<Line> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size()) {
            parts.push_back(makeLine(text.substr(start)));
            break;
        }
        if (text[i] == '\r' || text[i] == '\n') {
            parts.push_back(makeLine(text.substr(start, i - start)));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
            if (start == text.size())
                break;
        }
    }
    if (recording_)
        recordChange(Change::Kind::Inserted, index, static_cast<int>(parts.size()));
    lines_.insert(lines_.begin() + index, std::make_move_iterator(parts.begin()),
                  std::make_move_iterator(parts.end()));
}

void ResultEditor::remove(int index) {
    if (recording_)
        recordChange(Change::Kind::Removed, index);
    lines_.erase(lines_.begin() + index);
}

void ResultEditor::mark(int index, int column, int length) {
    Line& l = lines_.at(index);
    const int len = static_cast<int>(l.size);
    column = std::clamp(column, 0, len);
    length = std::min(length, len - column);
    if (length <= 0)
        return;
    if (recording_)
        recordChange(Change::Kind::Changed, index);
    if (l.markSet == 0) {
        const Span first{column, length}; // the line's first mark, as nearly always
        setMarks(l, {&first, 1});
        return;
    }
    // Keep spans sorted and merged so that the marks read back as ranges.
    Span whole;
    const std::span<const Span> had = spansOf(l, whole);
    std::vector<Span> spans(had.begin(), had.end());
    spans.push_back({column, length});
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.column < b.column; });
    std::vector<Span> merged;
    for (const Span& s : spans) {
        if (!merged.empty() && s.column <= merged.back().column + merged.back().length) {
            int end = std::max(merged.back().column + merged.back().length, s.column + s.length);
            merged.back().length = end - merged.back().column;
        } else {
            merged.push_back(s);
        }
    }
    setMarks(l, merged);
}

void ResultEditor::markLines(int from, int to) {
    for (int i = std::max(from, 0); i < to && i < count(); ++i)
        mark(i, 0, static_cast<int>(lines_[i].size));
}

bool ResultEditor::isMarked(int index, int column) const {
    Span whole;
    for (const Span& s : spansOf(lines_.at(index), whole))
        if (column >= s.column && column < s.column + s.length)
            return true;
    return false;
}

std::vector<CommentMark> ResultEditor::marks() const {
    std::vector<CommentMark> out;
    Span whole;
    for (int i = 0; i < count(); ++i)
        for (const Span& s : spansOf(lines_[i], whole))
            out.push_back({i, s.column, s.length});
    return out;
}

void ResultEditor::startRecording() {
    changes_.clear();
    recording_ = true;
}

void ResultEditor::stopRecording() {
    changes_.clear();
    recording_ = false;
}

void ResultEditor::recordChange(Change::Kind kind, int index, int count) {
    Change change{kind, index, count, {}};
    if (kind != Change::Kind::Inserted)
        change.old = lines_.at(index);
    changes_.push_back(std::move(change));
}

void ResultEditor::undo(Lines& lines, int at, const Change& change, Line old) {
    const auto it = lines.begin() + at;
    switch (change.kind) {
    case Change::Kind::Inserted:
        lines.erase(it, it + change.count);
        break;
    case Change::Kind::Removed:
        lines.insert(it, std::move(old));
        break;
    case Change::Kind::Changed:
        *it = std::move(old);
        break;
    }
}

void ResultEditor::takeBackRecorded() {
    for (auto c = changes_.rbegin(); c != changes_.rend(); ++c)
        undo(lines_, c->index, *c, std::move(c->old));
    stopRecording();
}

int ResultEditor::recordedTop() const {
    int top = count();
    for (const Change& c : changes_)
        top = std::min(top, c.index);
    return top;
}

std::optional<int> ResultEditor::recordedMove(int line) const {
    for (const Change& c : changes_) {
        switch (c.kind) {
        case Change::Kind::Inserted:
            if (line >= c.index)
                line += c.count;
            break;
        case Change::Kind::Removed:
            if (line == c.index)
                return std::nullopt;
            if (line > c.index)
                --line;
            break;
        case Change::Kind::Changed:
            if (line == c.index)
                return std::nullopt;
            break;
        }
    }
    return line;
}

std::optional<ResultEditor::EarlierLines> ResultEditor::linesBeforeRecording(int from,
                                                                             int to) const {
    if (from < 0 || to < from || to > count())
        return std::nullopt;
    Lines lines(lines_.begin() + from, lines_.begin() + to, lines_.get_allocator());
    for (auto c = changes_.rbegin(); c != changes_.rend(); ++c) {
        const int at = c->index - from;
        const int size = static_cast<int>(lines.size());
        const int end = at + (c->kind == Change::Kind::Inserted ? c->count : 0);
        if (at < 0 || end > size || (c->kind == Change::Kind::Changed && at >= size))
            return std::nullopt;
        undo(lines, at, *c, c->old);
    }
    EarlierLines out;
    out.firstStartsInside =
        !lines.empty() && (lines.front().startsInside || lines.front().startsInsideForLanguage);
    out.text.reserve(lines.size());
    for (const Line& l : lines)
        out.text.push_back(l.text());
    return out;
}

std::string ResultEditor::text(std::string_view lineBreak, FinalBreak finalBreak) const {
    std::size_t size = 0;
    for (const auto& l : lines_)
        size += l.size + lineBreak.size();
    std::string out;
    out.reserve(size);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i].text();
        if (i + 1 < lines_.size() || finalBreak == FinalBreak::Yes)
            out += lineBreak;
    }
    return out;
}

void ResultEditor::writeText(std::string_view lineBreak, FinalBreak finalBreak,
                             const std::function<bool(std::string_view)>& sink) const {
    constexpr std::size_t kPiece = std::size_t{1} << 16;
    // Copied by hand: a string's append checks its room for every line.
    const auto piece = std::make_unique_for_overwrite<char[]>(kPiece + lineBreak.size());
    std::size_t used = 0;
    const auto add = [&](std::string_view bytes) {
        if (bytes.empty())
            return; // an empty line has no bytes to copy from
        std::memcpy(piece.get() + used, bytes.data(), bytes.size());
        used += bytes.size();
    };
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view t = lines_[i].text();
        if (used + t.size() > kPiece && used > 0) {
            if (!sink({piece.get(), used}))
                return;
            used = 0;
        }
        if (t.size() > kPiece) {
            if (!sink(t))
                return;
        } else {
            add(t);
        }
        if (i + 1 < lines_.size() || finalBreak == FinalBreak::Yes)
            add(lineBreak);
    }
    if (used > 0)
        sink({piece.get(), used});
}

} // namespace qw
